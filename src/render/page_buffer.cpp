#include "render/page_buffer.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr quintptr kHugePageBytes = quintptr(2) << 20;

// Smaller images fault in few enough pages that ordinary ones are as fast.
constexpr qsizetype kSmallestAdvisedBytes = qsizetype(8) << 20;

} // namespace

// The image keeps memory that QImage allocated itself rather than a buffer of ours: QImage
// converts only its own memory in place, and a page converted for writing would otherwise be
// copied whole.
QImage newPageImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (image.sizeInBytes() >= kSmallestAdvisedBytes) {
        // Only whole huge pages inside the image can be huge; the kernel may also decline.
        const quintptr start = reinterpret_cast<quintptr>(image.bits());
        const quintptr first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
        const quintptr end = (start + quintptr(image.sizeInBytes())) & ~(kHugePageBytes - 1);
        if (end > first)
            ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
    return image;
}

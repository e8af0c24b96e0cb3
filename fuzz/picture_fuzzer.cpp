// Any bytes opened by content, as the file fields open them and within the program's own
// limits: refused with a reason, or a picture of a depth the drawing code knows whose every
// pixel can be read and filtered as a texture is.
#include "picture/open_picture.h"
#include "picture/texture_filters.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture read =
        readPicture(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (read.ok() == !read.error.isEmpty())
        std::abort();
    if (!read.ok())
        return 0;
    const int depth = read.picture.depth();
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        std::abort();
    // Filtered as the page's texture is, within the same budget for its 24-bit copy.
    read = filterTexture(std::move(read), QStringLiteral("fuzz"), true, true, true);
    if (!read.ok())
        return 0;
    for (int y = 0; y < read.picture.height(); ++y)
        for (int x = 0; x < read.picture.width(); ++x)
            if (qRed(read.picture.pixelColor(x, y)) < 224)
                std::abort(); // strong lightening leaves nothing darker
    return 0;
}

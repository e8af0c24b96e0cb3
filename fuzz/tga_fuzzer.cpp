// Any bytes read as a TGA file: refused with a reason, or a picture
// whose every pixel is an index of its depth or a colour.
#include "picture/tga_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PictureLimits limits;
    limits.maxPixels = 1 << 22; // keeps each run quick; the checks are the same
    const DecodedPicture read =
        readTga(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), limits);
    if (read.ok() == !read.error.isEmpty())
        std::abort();
    // Every index fits the depth: the drawing and the BMP writer rely on it.
    if (read.ok() && read.picture.depth() != 24)
        for (int y = 0; y < read.picture.height(); ++y)
            for (int x = 0; x < read.picture.width(); ++x)
                if (read.picture.pixelIndex(x, y) >> read.picture.depth())
                    std::abort();
    return 0;
}

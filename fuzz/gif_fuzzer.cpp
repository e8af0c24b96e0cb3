// Any bytes read as a GIF file.
#include "picture/gif_reader.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return checkReader(
        [](QByteArrayView file, const PictureLimits& limits) { return readGif(file, limits); },
        data, size);
}

// Any bytes read as a TGA file.
#include "picture/tga_reader.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return checkReader(
        [](QByteArrayView file, const PictureLimits& limits) { return readTga(file, limits); },
        data, size);
}

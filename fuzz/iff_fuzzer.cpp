// Any bytes read as a IFF file.
#include "picture/iff_reader.h"
#include "reader_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return checkReader(
        [](QByteArrayView file, const PictureLimits& limits) { return readIff(file, limits); },
        data, size);
}

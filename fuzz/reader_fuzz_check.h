#pragma once

#include "picture/decoded_picture.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

// Any bytes read by one of our readers within the program's own limits: refused with a reason,
// or a picture whose every pixel is an index of its depth or a colour. The drawing and the BMP
// writer rely on the indexes.
template <class Reader> int checkReader(Reader read, const uint8_t* data, size_t size) {
    const DecodedPicture picture =
        read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), {});
    if (picture.ok() == !picture.error.isEmpty())
        std::abort();
    if (picture.ok() && picture.picture.depth() != 24) {
        for (int y = 0; y < picture.picture.height(); ++y) {
            for (int x = 0; x < picture.picture.width(); ++x) {
                if (picture.picture.pixelIndex(x, y) >> picture.picture.depth())
                    std::abort();
            }
        }
    }
    return 0;
}

#pragma once

#include "picture/decoded_picture.h"

#include <optional>

class QIODevice;

// What a BMP's header declares of its picture. The old OS/2 header of 12 bytes keeps 16-bit
// fields at other places than the later ones.
struct BmpDeclared {
    qint64 width = 0, height = 0; // rows, whichever way they run
    int bits = 0;
    qint64 pixelsAt = 0; // where the header says the pixels start
    bool runs = false;   // in run-length codes, as far as the bytes given tell
};

// What the header in `header`, a BMP file's first bytes, declares; nothing when they do not
// reach its size and depth.
std::optional<BmpDeclared> bmpDeclared(QByteArrayView header);

// What decoding a file with Qt's reader costs at most, learnt from its header before anything is
// decoded: Qt's readers count only the image they hand over against their allocation limit,
// not their own buffers nor the copies we make of the image.
struct DecodeCost {
    qint64 width = 0, height = 0; // 0 when the header does not tell
    qint64 peakBytes = 0;         // held at once: the decoder's image, its buffers, our copies
    qint64 fewestFileBytes = 0;   // the smallest file that can hold the pixels declared
};

// The cost of decoding the file in `device` (positioned at its start, where it is left).
DecodeCost qtDecodeCost(QIODevice& device, PictureFormat format);

// Why a file of `fileSize` bytes whose decoding costs `cost` is not decoded, if it is not.
Failure refuseCost(const DecodeCost& cost, qint64 fileSize, PictureFormat format,
                   const PictureLimits& limits);

#pragma once

#include <QtGlobal>

#include <cstddef>

// Turns `count` pixels of a 24-bit row (blue, green, red bytes) into opaque RGB32 values: the
// colours qRgb(red, green, blue) gives, sixteen pixels at a time where the processor can
// shuffle bytes.
void bgrToRgb32(const uchar* bgr, size_t count, quint32* out);

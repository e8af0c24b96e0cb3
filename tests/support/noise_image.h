#pragma once

#include <QImage>

// Pixels that differ everywhere, from a small linear congruential sequence that starts at
// `state`: a picture sent one pixel off, resampled or lossily compressed shows.
inline QImage noiseImage(QSize size, quint32 state) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state >> 8);
        }
    }
    return image;
}

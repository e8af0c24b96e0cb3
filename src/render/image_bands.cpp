#include "render/image_bands.h"

#include <algorithm>
#include <climits>

namespace {

// 16 MB as the engine's 32-bit copy of a band.
constexpr qint64 kBandPixels = qint64(4) << 20;

} // namespace

int rowsPerBand(qint64 width) {
    return int(std::clamp<qint64>(kBandPixels / std::max<qint64>(width, 1), 1, INT_MAX));
}

std::vector<QImage> imageBands(const QImage& image) {
    const int rows = rowsPerBand(image.width());
    if (image.height() <= rows)
        return {image};
    std::vector<QImage> bands;
    for (int top = 0; top < image.height(); top += rows) {
        QImage band(image.constScanLine(top), image.width(), std::min(rows, image.height() - top),
                    image.bytesPerLine(), image.format());
        band.setColorTable(image.colorTable());
        bands.push_back(std::move(band));
    }
    return bands;
}

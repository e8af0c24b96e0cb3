#include "output/page_bands.h"

#include "render/image_surface.h"

#include <algorithm>

namespace {

// 4 MB as 32-bit pixels: a band is drawn and then read back for the file while the cache
// still holds it, and the page's drawing steps are worked out again for each band, which
// costs little against this many pixels.
constexpr qint64 kBandPixels = qint64(1) << 20;

constexpr QRgb kWhite = 0xffffffff;

// A band of a page. Text is drawn by the toolkit, whose outlines come out a shade different
// where they lie above the image's first row, at negative coordinates: text that reaches the
// band from above is drawn in a taller picture that holds it from above its cell (or from the
// page's top, as the whole page holds it) down to the band's last row, and the band's rows are
// copied back from it.
class BandSurface : public ImageSurface {
  public:
    using ImageSurface::ImageSurface;

    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override {
        const QRect band = clipRect();
        const int height = textHeight(font);
        // A glyph may reach a little beyond its cell: a whole cell's height is room enough.
        const int top = std::max(topLeft.y() - height, 0);
        if (top >= band.top() || topLeft.y() + 2 * height <= band.top()) {
            ImageSurface::textOut(topLeft, font, color, text);
            return;
        }
        QImage tall(band.width(), band.bottom() + 1 - top, QImage::Format_RGB32);
        tall.fill(kWhite); // what lies above the band is cut away; it need only be the same
        const int above = band.top() - top;
        const QImage& pixels = image();
        for (int y = 0; y < band.height(); ++y)
            std::copy_n(pixels.constScanLine(y), pixels.bytesPerLine(), tall.scanLine(above + y));
        ImageSurface written(std::move(tall), QPoint(band.left(), top));
        written.textOut(topLeft, font, color, text);
        const QImage& drawn = written.image();
        drawImage(band.topLeft(), QImage(drawn.constScanLine(above), band.width(), band.height(),
                                         drawn.bytesPerLine(), QImage::Format_RGB32));
    }
};

} // namespace

int rowsPerFileBand(int width) {
    return int(std::clamp<qint64>(kBandPixels / std::max(width, 1), 1, kBandPixels));
}

Failure drawInBands(const QRect& area, int rowsPerBand, BandOrder order, const DrawOnSurface& draw,
                    const TakeBand& take) {
    if (area.isEmpty())
        return Failure::none();
    const int rows = std::clamp(rowsPerBand, 1, area.height());
    QImage buffer(area.width(), rows, QImage::Format_RGB32);
    if (buffer.isNull())
        return Failure::because(QStringLiteral("There is not enough memory to draw the page."));
    const int count = (area.height() + rows - 1) / rows;
    for (int i = 0; i < count; ++i) {
        const int top = (order == BandOrder::Downwards ? i : count - 1 - i) * rows;
        // The last band is the buffer's first rows; the surface draws into the buffer itself.
        QImage band(buffer.bits(), area.width(), std::min(rows, area.height() - top),
                    buffer.bytesPerLine(), QImage::Format_RGB32);
        BandSurface surface(std::move(band), area.topLeft() + QPoint(0, top));
        surface.fill(surface.clipRect(), kWhite, PenMode::Copy);
        draw(surface);
        if (const Failure failure = take(surface.image(), top); failure.failed())
            return failure;
    }
    return Failure::none();
}

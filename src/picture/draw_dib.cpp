#include "picture/draw_dib.h"

#include "picture/dib_sampling.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

// R(a * b / c): the product in 64 bits, the quotient in floating point, to nearest with
// halves to even.
qint64 scaledRound(qint64 a, qint64 b, qint64 c) {
    return qint64(std::nearbyint(double(a) * double(b) / double(c)));
}

bool drawable(const DibTransfer& t) {
    return t.dest.width > 0 && t.dest.height > 0 && t.source.width > 0 && t.source.height > 0;
}

// Rows of a 24- or 8-bit picture through one row buffer, each sent one to one.
void drawRows(DibDevice& device, const DibTransfer& t, const PictureRecord& dib) {
    const QRect part = visiblePart(t.dest, device.clipRect());
    sampleRows(
        dib, t.dest, part, stretchSampling(dib, t.dest, t.source),
        [&](int y, const QImage& row) { device.setDIBitsToDevice(QPoint(part.left(), y), row); });
}

void drawHalftoned(DibDevice& device, const DibTransfer& t, const PictureRecord& dib) {
    const qint64 w = DibWidth(dib);
    const qint64 h = DibHeight(dib);
    if (t.source.width > t.dest.width || t.source.height > t.dest.height) {
        // Shrunk before dithering, so that the dither's pattern survives; then copied one to
        // one from where the source rectangle lies in the shrunk picture.
        const qint64 reducedWidth = scaledRound(w, t.dest.width, t.source.width);
        const qint64 reducedHeight = scaledRound(h, t.dest.height, t.source.height);
        if (reducedWidth <= 0 || reducedHeight <= 0)
            return;
        const PictureRecord reduced =
            halftoned(resized(dib, QSize(int(reducedWidth), int(reducedHeight))));
        const DibRect from{scaledRound(reducedWidth, t.source.x, w),
                           scaledRound(reducedHeight, t.source.y, h), t.dest.width, t.dest.height};
        device.stretchDIBits(t.dest, reduced, from);
        return;
    }
    device.stretchDIBits(t.dest, halftoned(dib), t.source);
}

// For devices that refuse to stretch: a copy resampled to the destination's size (by a rule
// of its own, which reaches the source's last pixel exactly), sent one to one.
bool drawResampled(DibDevice& device, const DibTransfer& t, const PictureRecord& dib) {
    const DibRect& s = t.source;
    const DibRect& d = t.dest;
    const qint64 dibHeight = DibHeight(dib);
    // Rows counted from the bottom in both pictures, so destination row r from the top is
    // row d.height - 1 - r from the bottom.
    const DibSampling sampling{
        [=](qint64 i) { return d.width > 1 ? s.x + (s.width - 1) * i / (d.width - 1) : s.x; },
        [=](qint64 r) {
            const qint64 y = d.height - 1 - r;
            const qint64 sy = d.height > 1 ? s.y + (s.height - 1) * y / (d.height - 1) : s.y;
            return dibHeight - 1 - sy;
        }};
    return sampleBands(
        dib, d, visiblePart(d, device.clipRect()), sampling,
        [&](QPoint at, const QImage& band) { return device.setDIBitsToDevice(at, band); });
}

QString drawThroughBitmap(DibDevice& device, const DibTransfer& t, const PictureRecord& dib) {
    const std::unique_ptr<DeviceBitmap> bitmap =
        device.createCompatibleBitmap(QSize(DibWidth(dib), DibHeight(dib)));
    if (!bitmap)
        return QStringLiteral("Could not create bitmap.");
    if (!bitmap->setDIBits(dib))
        return QStringLiteral("The device does not support the function setdibits!");
    if (!bitmap->stretchBlt(t.dest, t.source))
        return QStringLiteral("The device does not support the function StretchBlt!");
    return {};
}

QString drawDirect(DibDevice& device, const DibTransfer& t, const PictureRecord& dib) {
    if (device.stretchDIBits(t.dest, dib, t.source))
        return {};
    if (device.hasDibToDevice() && drawResampled(device, t, dib))
        return {};
    return drawThroughBitmap(device, t, dib);
}

} // namespace

DibPath chooseDibPath(int bitCount, bool printer, int displayBitsPerPixel, bool halftone) {
    if (bitCount == 24 && displayBitsPerPixel <= 8 && halftone)
        return DibPath::Halftone;
    if (bitCount == 24 && !printer)
        return DibPath::Rows24;
    if (bitCount == 8 && !printer)
        return DibPath::Rows8;
    return DibPath::Direct;
}

DibTransfer clipToPicture(DibTransfer t, qint64 dibWidth, qint64 dibHeight) {
    DibRect& d = t.dest;
    DibRect& s = t.source;
    if (s.width <= 0 || s.height <= 0)
        return t;
    if (dibWidth < s.x + s.width) { // right
        d.width = scaledRound(d.width, dibWidth - s.x, s.width);
        s.width = dibWidth - s.x;
    }
    if (s.y < 0) { // bottom
        d.height = scaledRound(s.height + s.y, d.height, s.height);
        s.height += s.y;
        s.y = 0;
    }
    if (s.height > 0 && dibHeight < s.y + s.height) { // top
        const qint64 n = scaledRound(d.height, dibHeight - s.y, s.height);
        d.y += d.height - n;
        d.height = n;
        s.height = dibHeight - s.y;
    }
    if (s.width > 0 && s.x < 0) { // left
        const qint64 n = scaledRound(s.x + s.width, d.width, s.width);
        d.x += d.width - n;
        d.width = n;
        s.width += s.x;
        s.x = 0;
    }
    return t;
}

QString DrawDib(DibDevice& device, const DibRect& dest, const PictureRecord& dib,
                const DibRect& source, bool halftone) {
    if (dib.isEmpty())
        return {};
    const DibTransfer t = clipToPicture({dest, source}, DibWidth(dib), DibHeight(dib));
    if (!drawable(t))
        return {};
    switch (chooseDibPath(DibBitCount(dib), device.isPrinter(), device.displayBitsPerPixel(),
                          halftone)) {
    case DibPath::Halftone:
        drawHalftoned(device, t, dib);
        return {};
    case DibPath::Rows24:
    case DibPath::Rows8:
        drawRows(device, t, dib);
        return {};
    case DibPath::Direct:
        return drawDirect(device, t, dib);
    }
    return {};
}

int ScreenBitsPerPixel() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen ? screen->depth() : 32;
}

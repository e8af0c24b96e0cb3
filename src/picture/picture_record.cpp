#include "picture/picture_record.h"

PictureRecord PictureRecord::fromIndexed(QImage indexed, int depth) {
    Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
    Q_ASSERT(depth == 1 || depth == 4 || depth == 8);
    PictureRecord record;
    record.m_image = std::move(indexed);
    record.m_depth = record.m_image.isNull() ? 0 : depth;
    return record;
}

PictureRecord PictureRecord::fromTrueColor(QImage pixels) {
    Q_ASSERT(pixels.isNull() || pixels.format() == QImage::Format_BGR888 ||
             pixels.format() == QImage::Format_RGB32);
    PictureRecord record;
    record.m_image = std::move(pixels);
    record.m_depth = record.m_image.isNull() ? 0 : 24;
    return record;
}

QRgb PictureRecord::paletteEntry(int index) const {
    const QList<QRgb> palette = m_image.colorTable();
    return index >= 0 && index < palette.size() ? palette[index] : qRgb(0, 0, 0);
}

int PictureRecord::pixelIndex(int x, int y) const {
    Q_ASSERT(m_depth != 24);
    return m_image.constScanLine(y)[x];
}

QRgb PictureRecord::pixelColor(int x, int y) const {
    if (m_depth != 24)
        return paletteEntry(pixelIndex(x, y));
    const uchar* pixel = m_image.constScanLine(y) + x * bytesPerPixel();
    return qRgb(pixel[2], pixel[1], pixel[0]);
}

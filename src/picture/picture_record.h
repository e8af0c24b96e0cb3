#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

// A picture as the page, the viewer and the printer see it: its size, the depth the file
// stores (1, 4, 8 or 24 bits per pixel), a palette for the depths below 24, and its pixels.
//
// Copies share the pixels (the image is reference counted), so a copy kept by a viewer stays
// valid after the owner replaces its own; writing through a copy detaches it first.
//
// How pixels are held, whatever the depth reported:
//   depth 1, 4, 8   one byte per pixel, the palette index (Format_Indexed8)
//   depth 24        blue, green, red in three bytes (Format_BGR888, our readers), or in four
//                   with an unused fourth (Format_RGB32, kept as Qt decoded it)
// Rows are addressed from the bottom, as the drawing code counts them, by rowFromBottom().
class PictureRecord {
  public:
    // The empty record: no picture.
    PictureRecord() = default;

    // `indexed` is Format_Indexed8 whose colour table is the palette; `depth` is 1, 4 or 8.
    static PictureRecord fromIndexed(QImage indexed, int depth);
    // `pixels` is Format_BGR888 or Format_RGB32.
    static PictureRecord fromTrueColor(QImage pixels);

    bool isEmpty() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    int depth() const { return m_depth; }
    // Palette entries held (0 for 24 bits).
    int colorCount() const { return int(m_image.colorTable().size()); }
    // Entry i of the palette; black past its end, so that any index of the depth has a colour.
    QRgb paletteEntry(int index) const;

    // Bytes of one pixel as held: 1 for palette pictures, 3 or 4 for 24 bits.
    int bytesPerPixel() const { return m_image.depth() / 8; }
    qsizetype rowBytes() const { return m_image.bytesPerLine(); }
    // Row `y` counted from the bottom row (0) up.
    const uchar* rowFromBottom(int y) const { return m_image.constScanLine(height() - 1 - y); }
    uchar* mutableRowFromBottom(int y) { return m_image.scanLine(height() - 1 - y); }

    // The palette index of an indexed picture, or the colour of a 24-bit one; x and y from the
    // top-left corner.
    int pixelIndex(int x, int y) const;
    QRgb pixelColor(int x, int y) const;

    // The pixels as held, for drawing and writing.
    const QImage& image() const { return m_image; }

  private:
    QImage m_image;
    int m_depth = 0;
};

// The record's size and depth as the drawing code asks for them.
inline int DibWidth(const PictureRecord& dib) {
    return dib.width();
}
inline int DibHeight(const PictureRecord& dib) {
    return dib.height();
}
inline int DibBitCount(const PictureRecord& dib) {
    return dib.depth();
}

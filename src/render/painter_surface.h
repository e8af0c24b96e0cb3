#pragma once

#include "render/surface.h"

#include <vector>

class QPainter;

// A surface on any paint device (a printer, a PDF), whose painter works in device pixels.
// Each operation in copy mode becomes one sharp, unblended rectangle, so what reaches the paper
// lies on exactly the pixels that an image surface of the same size shows.
//
// XOR and NOT combine with what lies under them, which printers and PDFs cannot do: they
// ignore raster operations. So the surface remembers what it has drawn, and sends each area
// that such an operation changes as the picture of its finished pixels, drawn by an image
// surface from that memory:
//
//   texture tile   ->  sent once, drawn at every tile position
//   XOR/NOT line   ->  held back; when anything else is drawn, or the surface goes, the
//                      line's area goes out as an image of tiles and lines merged
//
// Areas of crossing lines overlap; each image carries every operation that touches it, so the
// crossing comes out the same in both.
class PainterSurface : public Surface {
  public:
    explicit PainterSurface(QPainter& painter);
    // Sends what is still held back; the painter must still be active.
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    QRect clipRect() const override;
    bool isPrinter() const override { return true; }
    // Pictures are sent at one device pixel per picture pixel and without lossy compression,
    // so that no printer or PDF viewer resamples them.
    void drawImage(QPoint at, const QImage& pixels) override;
    // The whole tile goes out once and is drawn at every position it covers whole; the tiles
    // cut by the area's sides share one cut copy per kind of cut.
    void drawTiled(const QRect& area, const QImage& tile) override;
    int textHeight(const QFont& font) const override;
    // Text goes out as text, not as pixels.
    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override;

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;

  private:
    // One operation as drawn, to be drawn again on an image surface.
    struct Drawn {
        QRect area;   // of a fill or of the tiling; an image's place and size
        QImage image; // of an image or the tile; null for a fill
        bool tiled = false;
        QRgb color = 0;
        PenMode mode = PenMode::Copy;
    };

    // Sends the merged areas held back so far.
    void sendMerged();
    // Sends `pixels` one to one onto the device pixels from `at`.
    void sendImage(QPoint at, const QImage& pixels);
    void replay(Surface& target, const QRect& area) const;

    QPainter& m_painter;
    std::vector<Drawn> m_drawn;
    std::vector<QRect> m_held; // areas of XOR and NOT fills not yet sent
};

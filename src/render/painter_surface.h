#pragma once

#include "render/surface.h"

#include <vector>

class QPainter;

// A surface on any paint device (a printer, a PDF), whose painter works in device pixels.
// Each operation in copy mode becomes one sharp, unblended rectangle, so what reaches the paper
// lies on exactly the pixels that an image surface of the same size shows.
//
// XOR and NOT combine with what lies under them, which printers and PDFs cannot do: they
// ignore raster operations. So the surface remembers what it has drawn, and sends the areas
// that such operations change as pictures of their finished pixels, drawn by an image surface
// from that memory:
//
//   texture tile   ->  sent once, drawn at every tile position, clipped at the sides
//   XOR/NOT line   ->  held back; when anything else is drawn, or the surface goes, the
//   or round dot       held areas are gathered into pieces (a round dot is one piece), and
//                      each piece goes out as an image of tiles and lines merged
//
// Round dots in copy mode go out as rectangles of their rows while they lie apart. Once a dot
// overlaps the one before it, every dot is drawn over others: from then on they are held back
// too, and each piece goes out once with what shows of them, rather than every row of every dot
// being sent and kept. A round dot is remembered as one operation, whatever its size.
//
// The memory is indexed by bands of rows, so that a piece replays only what reaches its rows
// and the time grows with the page's area, not with the square of its dots. Pieces of crossing
// lines overlap, and a piece also shows unchanged pixels around its areas: each image carries
// every operation that touches it, so they come out the same in the image as on the paper.
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
    // The whole tile goes out once and is drawn at every position, clipped where the area's
    // sides cut it.
    void drawTiled(const QRect& area, const QImage& tile) override;
    int textHeight(const QFont& font) const override;
    int textWidth(const QFont& font, const QString& text) const override;
    // Text goes out as text, not as pixels.
    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override;

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;
    void fillRoundArea(const QRect& square, QRgb color, PenMode mode) override;

  private:
    enum class Kind { Fill, RoundDot, Image, Tiles };
    // One operation as drawn, to be drawn again on an image surface.
    struct Drawn {
        QRect area;   // of a fill or of the tiling; a dot's square; an image's place and size
        QImage image; // of an image or the tile; null otherwise
        Kind kind = Kind::Fill;
        QRgb color = 0;
        PenMode mode = PenMode::Copy;
    };

    // Keeps `drawn` for the bands of rows that `reach`, its visible part, covers.
    void remember(Drawn drawn, const QRect& reach);
    static int bandOf(int y);
    // The operations whose area meets `area`, in the order they were drawn.
    std::vector<size_t> drawnReaching(const QRect& area) const;
    // Sends the merged areas held back so far.
    void sendMerged();
    // Sends `pixels` one to one onto the device pixels from `at`, in bands.
    void sendImage(QPoint at, const QImage& pixels);
    // Sends the bands of one image, as imageBands cuts it, one to one from `at` down, those
    // that reach into its first `rows` rows.
    void sendBands(QPoint at, const std::vector<QImage>& bands, int rows);
    static void replay(Surface& target, const Drawn& drawn);

    QPainter& m_painter;
    std::vector<Drawn> m_drawn;
    std::vector<std::vector<size_t>> m_bands; // indices into m_drawn, in the order drawn
    std::vector<QRect> m_held;                // areas of operations held back, not yet sent
    QRect m_lastDot;                          // the square of the last round dot in copy mode
    bool m_dotsOverlap = false;               // round dots in copy mode are held back
};

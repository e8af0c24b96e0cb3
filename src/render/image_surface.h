#pragma once

#include "render/surface.h"

#include <QImage>
#include <QPoint>

#include <deque>
#include <optional>
#include <vector>

// A surface on a 32-bit image that shows one rectangle of a page: `origin` is the page
// position of the image's top-left pixel. Drawing the same page into any rectangle gives
// exactly the pixels of that rectangle of the whole page.
//
// Operations are collected and carried out together when the image is read, or when a batch is
// full.
class ImageSurface : public Surface {
  public:
    // An RGB32 image of `size`, filled white.
    explicit ImageSurface(QSize size, QPoint origin = QPoint(0, 0));
    // Draws on `image` (converted to RGB32 if it is in another format).
    ImageSurface(QImage image, QPoint origin);

    // The pixels with every operation so far applied.
    const QImage& image();

    QRect clipRect() const override { return QRect(m_origin, m_image.size()); }
    void drawImage(QPoint at, const QImage& pixels) override;
    void drawTiled(const QRect& area, const QImage& tile) override;
    int textHeight(const QFont& font) const override;
    void textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) override;

  protected:
    void fillArea(const QRect& area, QRgb color, PenMode mode) override;
    // A piece waits as one operation over the rows it reaches; each row's span is worked out
    // as that row is drawn.
    void fillSlanted(const SlantedPiece& piece, QRgb color, PenMode mode) override;

  private:
    // A tile repeated over the plane, a copy's top-left pixel at `origin` (image coordinates).
    struct Pattern {
        QImage pixels; // RGB32
        QPoint origin;
    };
    // A slanted piece in page coordinates, and the page position of the image's top-left pixel.
    struct Slant {
        SlantedRows rows;
        QPoint origin;
    };
    struct Operation {
        QRect area; // image coordinates, already clipped
        quint32 value;
        PenMode mode;
        const Pattern* pattern = nullptr; // copied instead of `value` when set
        const Slant* slant = nullptr;     // only its span of each row, when set
    };
    // Rows drawn from whole-row operations, so that a later run whose rows would come out the
    // same (the same operations at the same columns, as between the lines of a grid) copies
    // one of them instead of drawing its own. The rows are kept here rather than in the image,
    // so that they stay in the cache while the image is written past them.
    class RowPatterns {
      public:
        const quint32* find(const std::vector<const Operation*>& ops) const;
        // A row of `width` pixels to draw `ops` into, in place of the oldest when all are taken.
        quint32* add(const std::vector<const Operation*>& ops, int width);
        // Whether rows drawn from `a` and from `b` come out the same.
        static bool sameRow(const std::vector<const Operation*>& a,
                            const std::vector<const Operation*>& b);

      private:
        struct Row {
            std::vector<const Operation*> ops;
            std::vector<quint32> pixels;
        };
        static constexpr size_t kKept = 4;
        std::vector<Row> m_rows;
    };

    // What the rows of a run are made of, from the bottom up: operations that come out alike
    // in every row, drawn once; at most one picture over them; and pieces whose columns change
    // from row to row, or that must come after a piece.
    struct RunLayers {
        std::vector<const Operation*> alike;
        const Operation* picture = nullptr;
        std::vector<const Operation*> pieces;
    };
    // What a run's rows are drawn with, kept from one run to the next.
    struct RunBuffers {
        std::vector<const Operation*> alike; // what `base` holds
        // Rows of the image's width and three pixels more, so that pixels copied four at a
        // time may reach past its end.
        std::vector<quint32> base;
        std::vector<quint32> scratch;
        bool scratchHoldsBase = false; // `scratch` is a copy of `base`
        std::vector<quint8> marks;
    };

    void queue(const Operation& operation);
    void flush();
    static void drawRow(quint32* row, int y, const std::vector<const Operation*>& operations);
    // The columns of row `y` (image coordinates) that `op`, which is no picture, changes:
    // first .. end-1.
    static std::pair<int, int> columnsOf(const Operation& op, int y);
    // The layers of a run whose operations begin with a whole row in copy mode; none when it
    // shows more than one picture.
    static std::optional<RunLayers> layersOf(const std::vector<const Operation*>& covering);
    // Draws rows `top` .. `bottom`-1 of a run made of `layers`.
    void drawLayeredRun(int top, int bottom, const RunLayers& layers, bool streaming,
                        RunBuffers& buffers);

    QImage m_image;
    QPoint m_origin;
    std::vector<Operation> m_pending;
    std::deque<Pattern> m_patterns; // of the pending operations; a deque keeps their addresses
    std::deque<Slant> m_slants;     // likewise
};

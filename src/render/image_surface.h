#pragma once

#include "render/surface.h"

#include <QImage>
#include <QPoint>

#include <deque>
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

      private:
        static bool sameRow(const std::vector<const Operation*>& a,
                            const std::vector<const Operation*>& b);
        struct Row {
            std::vector<const Operation*> ops;
            std::vector<quint32> pixels;
        };
        static constexpr size_t kKept = 4;
        std::vector<Row> m_rows;
    };

    void queue(const Operation& operation);
    void flush();
    static void drawRow(quint32* row, int y, const std::vector<const Operation*>& operations);
    // The columns of row `y` (image coordinates) that `op`, which is no picture, changes:
    // first .. end-1.
    static std::pair<int, int> columnsOf(const Operation& op, int y);
    // Draws rows `top` .. `bottom`-1, whose operations begin with a whole row in copy mode and
    // hold slanted pieces but no picture, with two rows of the image's width to work in.
    void drawSlantedRun(int top, int bottom, const std::vector<const Operation*>& covering,
                        bool streaming, std::vector<quint32>& base, std::vector<quint32>& row);

    QImage m_image;
    QPoint m_origin;
    std::vector<Operation> m_pending;
    std::deque<Pattern> m_patterns; // of the pending operations; a deque keeps their addresses
    std::deque<Slant> m_slants;     // likewise
};

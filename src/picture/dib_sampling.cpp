#include "picture/dib_sampling.h"

#include "picture/bgr_row.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr quint32 kBlack = 0xff000000u;
// Bands handed on by sampleBands stay below this many bytes.
constexpr qint64 kBandBytes = qint64(4) << 20;

// Reads pixels of any depth a record holds as opaque RGB32 values.
class PixelReader {
  public:
    explicit PixelReader(const PictureRecord& dib) : m_image(dib.image()) {
        m_palette.fill(kBlack);
        const QList<QRgb> table = m_image.colorTable();
        for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i)
            m_palette[size_t(i)] = table[i] | kBlack;
    }

    // Fills `out` from row `y` (from the top) at the columns given; a negative column is black.
    void readRow(int y, const std::vector<qint64>& columns, quint32* out) const {
        const uchar* row = m_image.constScanLine(y);
        const size_t n = columns.size();
        switch (m_image.format()) {
        case QImage::Format_Indexed8:
            for (size_t k = 0; k < n; ++k)
                out[k] = columns[k] < 0 ? kBlack : m_palette[row[columns[k]]];
            break;
        case QImage::Format_BGR888:
            for (size_t k = 0; k < n; ++k) {
                const uchar* p = row + 3 * columns[k];
                out[k] = columns[k] < 0 ? kBlack : qRgb(p[2], p[1], p[0]);
            }
            break;
        default: // RGB32
            for (size_t k = 0; k < n; ++k) {
                const quint32* p = reinterpret_cast<const quint32*>(row);
                out[k] = columns[k] < 0 ? kBlack : p[columns[k]] | kBlack;
            }
            break;
        }
    }

    // Fills `out` from `count` pixels of row `y` (from the top) from column `first` on: a row
    // shown at 100 %, read in order with no column table and no test for black.
    void readRun(int y, qint64 first, size_t count, quint32* out) const {
        const uchar* row = m_image.constScanLine(y);
        switch (m_image.format()) {
        case QImage::Format_Indexed8: {
            const uchar* p = row + first;
            for (size_t k = 0; k < count; ++k)
                out[k] = m_palette[p[k]];
            break;
        }
        case QImage::Format_BGR888: {
            bgrToRgb32(row + 3 * first, count, out);
            break;
        }
        default: { // RGB32
            const quint32* p = reinterpret_cast<const quint32*>(row) + first;
            for (size_t k = 0; k < count; ++k)
                out[k] = p[k] | kBlack;
            break;
        }
        }
    }

  private:
    const QImage& m_image;
    std::array<quint32, 256> m_palette;
};

// Whether `columns` are neighbouring columns of the picture, left to right, as at 100 %.
bool consecutiveColumns(const std::vector<qint64>& columns) {
    return columns.front() >= 0 &&
           std::adjacent_find(columns.begin(), columns.end(), [](qint64 left, qint64 right) {
               return right != left + 1;
           }) == columns.end();
}

} // namespace

DibSampling stretchSampling(const PictureRecord& dib, const DibRect& dest, const DibRect& source) {
    const qint64 top = DibHeight(dib) - source.y - source.height;
    return {[=](qint64 i) { return source.x + source.width * i / dest.width; },
            [=](qint64 r) { return top + source.height * r / dest.height; }};
}

QRect visiblePart(const DibRect& dest, const QRect& clip) {
    if (dest.width <= 0 || dest.height <= 0 || clip.isEmpty())
        return {};
    const qint64 left = std::max<qint64>(dest.x, clip.left());
    const qint64 top = std::max<qint64>(dest.y, clip.top());
    const qint64 right = std::min<qint64>(dest.x + dest.width, qint64(clip.right()) + 1);
    const qint64 bottom = std::min<qint64>(dest.y + dest.height, qint64(clip.bottom()) + 1);
    if (left >= right || top >= bottom)
        return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void sampleRows(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                const DibSampling& sampling,
                const std::function<void(int deviceY, const QImage& row)>& deliver) {
    if (part.isEmpty() || dib.isEmpty())
        return;
    std::vector<qint64> columns(size_t(part.width()));
    for (int k = 0; k < part.width(); ++k) {
        const qint64 column = sampling.column(part.left() + k - dest.x);
        columns[size_t(k)] = column >= 0 && column < DibWidth(dib) ? column : -1;
    }
    const bool oneToOne = consecutiveColumns(columns);
    QImage row(part.width(), 1, QImage::Format_RGB32);
    const PixelReader reader(dib);
    qint64 previous = -1;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const qint64 sourceRow = sampling.row(y - dest.y);
        // bits() afresh for every write: a device that kept a copy of the last row keeps it.
        if (sourceRow < 0 || sourceRow >= DibHeight(dib)) {
            std::fill_n(reinterpret_cast<quint32*>(row.bits()), part.width(), kBlack);
            previous = -1;
        } else if (sourceRow != previous) {
            quint32* out = reinterpret_cast<quint32*>(row.bits());
            if (oneToOne)
                reader.readRun(int(sourceRow), columns.front(), columns.size(), out);
            else
                reader.readRow(int(sourceRow), columns, out);
            previous = sourceRow;
        }
        deliver(y, row);
    }
}

void copyRowsOneToOne(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                      QImage& target, QPoint origin) {
    Q_ASSERT(dest.width == DibWidth(dib) && dest.height == DibHeight(dib));
    Q_ASSERT(target.format() == QImage::Format_RGB32 &&
             QRect(origin, target.size()).contains(part));
    if (part.isEmpty())
        return;
    const PixelReader reader(dib);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        auto* out = reinterpret_cast<quint32*>(target.scanLine(y - origin.y())) +
                    (part.left() - origin.x());
        reader.readRun(int(y - dest.y), part.left() - dest.x, size_t(part.width()), out);
    }
}

bool sampleBands(const PictureRecord& dib, const DibRect& dest, const QRect& part,
                 const DibSampling& sampling,
                 const std::function<bool(QPoint at, const QImage& band)>& deliver) {
    if (part.isEmpty())
        return true;
    const int bandRows =
        int(std::clamp<qint64>(kBandBytes / (qint64(part.width()) * 4), 1, part.height()));
    QImage band(part.width(), bandRows, QImage::Format_RGB32);
    int bandTop = part.top();
    bool accepted = true;
    sampleRows(dib, dest, part, sampling, [&](int y, const QImage& row) {
        if (!accepted)
            return;
        std::copy_n(row.constBits(), row.bytesPerLine(), band.scanLine(y - bandTop));
        const bool last = y == part.bottom();
        if (y - bandTop + 1 == bandRows || last) {
            const QImage filled =
                y - bandTop + 1 == bandRows ? band : band.copy(0, 0, part.width(), y - bandTop + 1);
            accepted = deliver(QPoint(part.left(), bandTop), filled);
            bandTop = y + 1;
        }
    });
    return accepted;
}

PictureRecord halftoned(const PictureRecord& dib) {
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    QImage out(dib.width(), dib.height(), QImage::Format_Indexed8);
    QList<QRgb> cube;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b)
                cube.append(qRgb(51 * r, 51 * g, 51 * b));
        }
    }
    out.setColorTable(cube);
    // Each channel has five steps of 51 between its six levels; the threshold spreads the
    // remainder over a 4 x 4 cell.
    auto level = [](int value, int threshold) {
        const int base = value / 51;
        return std::min(5, base + (value % 51 * 16 > threshold * 51 ? 1 : 0));
    };
    for (int y = 0; y < dib.height(); ++y) {
        uchar* row = out.scanLine(y);
        for (int x = 0; x < dib.width(); ++x) {
            const QRgb c = dib.pixelColor(x, y);
            const int t = kBayer[y & 3][x & 3];
            row[x] = uchar(36 * level(qRed(c), t) + 6 * level(qGreen(c), t) + level(qBlue(c), t));
        }
    }
    return PictureRecord::fromIndexed(out, 8);
}

PictureRecord resized(const PictureRecord& dib, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    const DibRect dest{0, 0, size.width(), size.height()};
    const DibRect whole{0, 0, DibWidth(dib), DibHeight(dib)};
    sampleRows(dib, dest, out.rect(), stretchSampling(dib, dest, whole),
               [&](int y, const QImage& row) {
                   std::copy_n(row.constBits(), row.bytesPerLine(), out.scanLine(y));
               });
    return PictureRecord::fromTrueColor(out);
}

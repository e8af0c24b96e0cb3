#include "render/image_surface.h"

#include "render/composed_row.h"
#include "render/page_buffer.h"
#include "render/text_cell.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

void applyRow(quint32* row, int count, quint32 value, PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        std::fill_n(row, count, value);
        break;
    case PenMode::Xor:
    case PenMode::Not:
        for (int i = 0; i < count; ++i)
            row[i] ^= value;
        break;
    }
}

// Operations wait in batches of at most this many (16 MB): a page of many large round dots
// would otherwise hold every row of every dot until the image is read.
constexpr size_t kMaxPendingOperations = size_t(1) << 19;

// Images larger than this do not stay in the cache while they are drawn.
constexpr qsizetype kStreamingBytes = qsizetype(16) << 20;

// Copies a finished row into a row of a large image that is not read again soon: stores that
// bypass the cache where the processor has them, so the page is written once instead of read
// and written. A small image stays in the cache, where plain stores are faster.
void copyRow(const quint32* source, quint32* target, int count, bool streaming) {
    if (!streaming) {
        std::copy_n(source, count, target);
        return;
    }
#if defined(__SSE2__)
    int i = 0;
    while (i < count && (reinterpret_cast<quintptr>(target + i) & 15) != 0) {
        target[i] = source[i];
        ++i;
    }
    for (; i + 4 <= count; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        _mm_stream_si128(reinterpret_cast<__m128i*>(target + i), v);
    }
    for (; i < count; ++i)
        target[i] = source[i];
#else
    std::copy_n(source, count, target);
#endif
}

} // namespace

// Row `y` of a pattern from column `left` for `count` pixels, wrapping round its copies.
void copyPatternRow(quint32* row, int y, int left, int count, const QImage& pixels, QPoint origin) {
    const int w = pixels.width();
    const int h = pixels.height();
    const int patternY = int(((qint64(y) - origin.y()) % h + h) % h);
    const quint32* source = reinterpret_cast<const quint32*>(pixels.constScanLine(patternY));
    int patternX = int(((qint64(left) - origin.x()) % w + w) % w);
    while (count > 0) {
        const int run = std::min(count, w - patternX);
        std::copy_n(source + patternX, run, row);
        row += run;
        count -= run;
        patternX = 0;
    }
}

namespace {

// The columns of image row `y` that a slanted piece changes, cut to `left` .. `end`-1; `origin`
// is the page position of the image's top-left pixel.
std::pair<int, int> slantedColumns(const SlantedRows& rows, QPoint origin, int left, int end,
                                   int y) {
    const auto [first, last] = rows.columnsOf(y + origin.y());
    return {std::max(first - origin.x(), left), std::min(last - origin.x(), end)};
}

} // namespace

std::pair<int, int> ImageSurface::columnsOf(const Operation& op, int y) {
    if (!op.slant)
        return {op.area.left(), op.area.right() + 1};
    return slantedColumns(op.slant->rows, op.slant->origin, op.area.left(), op.area.right() + 1, y);
}

void ImageSurface::drawRow(quint32* row, int y, const std::vector<const Operation*>& operations) {
    for (const Operation* op : operations) {
        if (op->pattern) {
            copyPatternRow(row + op->area.left(), y, op->area.left(), op->area.width(),
                           op->pattern->pixels, op->pattern->origin);
            continue;
        }
        const auto [left, right] = columnsOf(*op, y);
        if (right > left)
            applyRow(row + left, right - left, op->value, op->mode);
    }
}

namespace {

// Tiles narrower than this are repeated into the row being drawn: read straight from the
// tile, each would be a change of source every few columns.
constexpr int kNarrowestStreamedTile = 64;

// A row of a picture with at most this many pieces over it is written straight from the tile,
// but for the pieces' columns; with more, putting the whole row together aside costs less
// than going from the tile to the row aside and back for each.
constexpr size_t kFewPiecesOverAPicture = 8;

} // namespace

// An operation that comes out alike in every row joins those drawn once, even after a piece,
// when it gives the same pixels there: a lattice's upright lines are then not drawn and put
// back in every row between its slanted ones.
std::optional<ImageSurface::RunLayers>
ImageSurface::layersOf(const std::vector<const Operation*>& covering) {
    // Whether `a` drawn before `b` gives the same pixels as drawn after it: they share no
    // column, or both copy the same value, or both flip bits, whose order never matters.
    const auto commute = [](const Operation& a, const Operation& b) {
        if (a.area.right() < b.area.left() || b.area.right() < a.area.left())
            return true;
        if (a.mode == PenMode::Copy || b.mode == PenMode::Copy)
            return a.mode == b.mode && a.value == b.value;
        return true;
    };
    RunLayers layers;
    auto op = covering.begin();
    for (; op != covering.end() && !(*op)->slant && !(*op)->pattern; ++op)
        layers.alike.push_back(*op);
    if (op != covering.end() && (*op)->pattern) {
        if ((*op)->pattern->pixels.width() < kNarrowestStreamedTile)
            return std::nullopt;
        layers.picture = *op++;
    }
    for (; op != covering.end(); ++op) {
        const Operation& o = **op;
        if (o.pattern)
            return std::nullopt;
        const bool alike = !o.slant && !layers.picture &&
                           std::all_of(layers.pieces.begin(), layers.pieces.end(),
                                       [&](const Operation* piece) { return commute(o, *piece); });
        (alike ? layers.alike : layers.pieces).push_back(&o);
    }
    return layers;
}

// The operations that come out alike are drawn once, into a row kept aside, and kept for the
// next run when they are the same. Each row is then written from that row or from the
// picture's tile, except where its pieces fall: only those columns are put together aside.
void ImageSurface::drawLayeredRun(int top, int bottom, const RunLayers& layers, bool streaming,
                                  RunBuffers& buffers) {
    const int width = m_image.width();
    if (!layers.alike.empty() &&
        (buffers.alike.empty() || !RowPatterns::sameRow(buffers.alike, layers.alike))) {
        drawRow(buffers.base.data(), top, layers.alike);
        buffers.alike = layers.alike;
        buffers.scratchHoldsBase = false;
    }
    // The pieces, with what each row needs of them at hand.
    struct Piece {
        // None for a line, which changes the same columns in every row.
        std::optional<SlantedRowWalk> rows;
        int originX; // the page column of the image's first
        int left;
        int end;
        quint32 value;
        PenMode mode;
    };
    std::vector<Piece> pieces;
    pieces.reserve(layers.pieces.size());
    for (const Operation* o : layers.pieces) {
        Piece& piece = pieces.emplace_back(
            Piece{std::nullopt, 0, o->area.left(), o->area.right() + 1, o->value, o->mode});
        if (o->slant) {
            const int originY = o->slant->origin.y();
            piece.rows.emplace(o->slant->rows, top + originY, bottom + originY);
            piece.originX = o->slant->origin.x();
        }
    }
    // Where each column's pixels lie before the pieces, in a run with a picture: in the row
    // drawn once, or in a row of the picture's tile, copy after copy.
    std::vector<RowSource> sources;
    const quint32* base = buffers.base.data();
    const auto findSources = [&](int y) {
        sources.clear();
        const QRect& area = layers.picture->area;
        const Pattern& pattern = *layers.picture->pattern;
        if (area.left() > 0)
            sources.push_back({0, area.left(), base});
        const int w = pattern.pixels.width();
        const int h = pattern.pixels.height();
        const int patternY = int(((qint64(y) - pattern.origin.y()) % h + h) % h);
        const quint32* tileRow =
            reinterpret_cast<const quint32*>(pattern.pixels.constScanLine(patternY));
        int patternX = int(((qint64(area.left()) - pattern.origin.x()) % w + w) % w);
        for (int x = area.left(); x <= area.right(); patternX = 0) {
            const int run = std::min(area.right() + 1 - x, w - patternX);
            sources.push_back({x, x + run, tileRow + patternX});
            x += run;
        }
        if (area.right() + 1 < width)
            sources.push_back({area.right() + 1, width, base + area.right() + 1});
    };
    // The columns of the next row that `piece` changes, within the image.
    const auto nextColumns = [](Piece& piece) {
        if (!piece.rows)
            return std::pair(piece.left, piece.end);
        const auto [first, end] = piece.rows->next();
        return std::pair(std::max(first - piece.originX, piece.left),
                         std::min(end - piece.originX, piece.end));
    };
    const qsizetype stride = m_image.bytesPerLine() / 4;
    quint32* pixels = reinterpret_cast<quint32*>(m_image.bits());
    quint32* scratch = buffers.scratch.data();
    if (layers.picture && pieces.size() <= kFewPiecesOverAPicture) {
        buffers.scratchHoldsBase = false;
        for (int y = top; y < bottom; ++y) {
            findSources(y);
            ComposedRow row(pixels + y * stride, width, sources, scratch, buffers.marks.data());
            for (Piece& piece : pieces) {
                const auto [left, right] = nextColumns(piece);
                if (right <= left)
                    continue;
                // Groups already aside keep what earlier pieces drew there.
                row.takeAside(left, right);
                applyRow(scratch + left, right - left, piece.value, piece.mode);
            }
            row.write(streaming);
        }
        return;
    }
    // Otherwise each row is put together aside in full and copied, the picture's part of it
    // copied from the tile first; what the pieces changed is then put back from the base row,
    // so that a row costs its pieces rather than its width.
    if (!buffers.scratchHoldsBase)
        std::copy_n(base, width, scratch);
    std::vector<std::pair<int, int>> changed;
    for (int y = top; y < bottom; ++y) {
        if (layers.picture) {
            const QRect& area = layers.picture->area;
            const Pattern& pattern = *layers.picture->pattern;
            copyPatternRow(scratch + area.left(), y, area.left(), area.width(), pattern.pixels,
                           pattern.origin);
        }
        changed.clear();
        for (Piece& piece : pieces) {
            const auto [left, right] = nextColumns(piece);
            if (right <= left)
                continue;
            applyRow(scratch + left, right - left, piece.value, piece.mode);
            changed.emplace_back(left, right);
        }
        copyRow(scratch, pixels + y * stride, width, streaming);
        // Four pixels at a time, short as most pieces are; the rows have room for the last
        // four to reach past their end.
        for (const auto& [left, right] : changed) {
            for (int x = left; x < right; x += 4)
                std::memcpy(scratch + x, base + x, 4 * sizeof(quint32));
        }
    }
    buffers.scratchHoldsBase = !layers.picture;
}

bool ImageSurface::RowPatterns::sameRow(const std::vector<const Operation*>& a,
                                        const std::vector<const Operation*>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const Operation* x, const Operation* y) {
            return x->area.left() == y->area.left() && x->area.width() == y->area.width() &&
                   x->value == y->value && x->mode == y->mode && x->pattern == y->pattern;
        });
}

const quint32* ImageSurface::RowPatterns::find(const std::vector<const Operation*>& ops) const {
    for (const Row& row : m_rows) {
        if (sameRow(row.ops, ops))
            return row.pixels.data();
    }
    return nullptr;
}

quint32* ImageSurface::RowPatterns::add(const std::vector<const Operation*>& ops, int width) {
    if (m_rows.size() < kKept)
        m_rows.emplace_back();
    else
        std::rotate(m_rows.begin(), m_rows.begin() + 1, m_rows.end());
    Row& row = m_rows.back();
    row.ops = ops;
    row.pixels.resize(size_t(width));
    return row.pixels.data();
}

ImageSurface::ImageSurface(QSize size, QPoint origin)
    : m_image(newPageImage(size)), m_origin(origin) {
    // Filled white by the first flush, together with what is drawn on it.
    fillArea(QRect(origin, size), 0xffffffffu, PenMode::Copy);
}

ImageSurface::ImageSurface(QImage image, QPoint origin)
    : m_image(image.format() == QImage::Format_RGB32 ? std::move(image)
                                                     : image.convertToFormat(QImage::Format_RGB32)),
      m_origin(origin) {}

namespace {

// RGB32 keeps its alpha byte at 0xff: XOR and NOT touch only the colour bytes.
quint32 valueOf(QRgb color, PenMode mode) {
    switch (mode) {
    case PenMode::Copy:
        return color | 0xff000000u;
    case PenMode::Xor:
        return color & 0x00ffffffu;
    case PenMode::Not:
        return 0x00ffffffu;
    }
    return 0;
}

} // namespace

void ImageSurface::fillArea(const QRect& area, QRgb color, PenMode mode) {
    const QRect clipped = area.translated(-m_origin).intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    queue({clipped, valueOf(color, mode), mode});
}

void ImageSurface::fillSlanted(const SlantedPiece& piece, QRgb color, PenMode mode) {
    const QRect clipped = piece.reach().translated(-m_origin).intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    m_slants.push_back({SlantedRows(piece), m_origin});
    queue({clipped, valueOf(color, mode), mode, nullptr, &m_slants.back()});
}

// Tiles wait in the batch like lines, so that a texture page is written in one pass: each row
// is copied from the tile and the lines over it are drawn while it is in the cache.
void ImageSurface::drawTiled(const QRect& area, const QImage& tile) {
    const QRect clipped = area.translated(-m_origin).intersected(m_image.rect());
    if (clipped.isEmpty() || tile.isNull())
        return;
    m_patterns.push_back(
        {tile.format() == QImage::Format_RGB32 ? tile : tile.convertToFormat(QImage::Format_RGB32),
         area.topLeft() - m_origin});
    queue({clipped, 0, PenMode::Copy, &m_patterns.back()});
}

void ImageSurface::queue(const Operation& operation) {
    m_pending.push_back(operation);
    if (m_pending.size() >= kMaxPendingOperations)
        flush();
}

// A single picture is copied at once: it is seldom under lines, and a picture sampled row by
// row would otherwise wait in the batch as one operation per row.
void ImageSurface::drawImage(QPoint at, const QImage& pixels) {
    const QRect target = QRect(at - m_origin, pixels.size()).intersected(m_image.rect());
    if (target.isEmpty())
        return;
    flush();
    const QImage source = pixels.format() == QImage::Format_RGB32
                              ? pixels
                              : pixels.convertToFormat(QImage::Format_RGB32);
    const QPoint from = target.topLeft() - (at - m_origin);
    for (int y = 0; y < target.height(); ++y) {
        const uchar* row = source.constScanLine(from.y() + y) + 4 * from.x();
        std::copy_n(row, 4 * target.width(),
                    m_image.scanLine(target.top() + y) + 4 * target.left());
    }
}

int ImageSurface::textHeight(const QFont& font) const {
    return textCellHeight(font, &m_image);
}

void ImageSurface::textOut(QPoint topLeft, const QFont& font, QRgb color, const QString& text) {
    flush();
    QPainter painter(&m_image);
    painter.setPen(QColor::fromRgb(color));
    drawTextCell(painter, topLeft - m_origin, font, text);
}

const QImage& ImageSurface::image() {
    flush();
    return m_image;
}

// The operations are carried out in runs of rows that the same operations cover. Within a
// run, once an operation has painted whole rows in copy mode, every row is alike from then on:
// one row is drawn aside and copied to all of them, so that a page of lines costs about as much
// as filling it. Rows that hold earlier content are drawn one by one.
void ImageSurface::flush() {
    if (m_pending.empty())
        return;
    const int width = m_image.width();
    const qsizetype stride = m_image.bytesPerLine() / 4;
    quint32* pixels = reinterpret_cast<quint32*>(m_image.bits());

    std::vector<int> cuts = {0, m_image.height()};
    for (const Operation& op : m_pending) {
        cuts.push_back(op.area.top());
        cuts.push_back(op.area.bottom() + 1);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    const bool streaming = m_image.sizeInBytes() > kStreamingBytes;
    // The operations that cover the current run, in the order they were drawn: operations join
    // at the cut where they begin and leave after the cut where they end.
    std::vector<size_t> byTop(m_pending.size());
    for (size_t k = 0; k < byTop.size(); ++k)
        byTop[k] = k;
    std::stable_sort(byTop.begin(), byTop.end(), [this](size_t a, size_t b) {
        return m_pending[a].area.top() < m_pending[b].area.top();
    });
    size_t nextToJoin = 0;
    std::vector<size_t> active;
    std::vector<const Operation*> covering;
    RowPatterns patterns;
    RunBuffers buffers;
    buffers.base.resize(size_t(width) + 3);
    buffers.scratch.resize(size_t(width) + 3);
    buffers.marks.resize(size_t(width) / 4 + 1);
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const int top = cuts[i];
        const int bottom = cuts[i + 1];
        std::erase_if(active, [&](size_t k) { return m_pending[k].area.bottom() < top; });
        bool joined = false;
        for (; nextToJoin < byTop.size() && m_pending[byTop[nextToJoin]].area.top() <= top;
             ++nextToJoin) {
            active.push_back(byTop[nextToJoin]);
            joined = true;
        }
        if (joined)
            std::sort(active.begin(), active.end());
        if (active.empty())
            continue;
        // No cut lies inside a run, so every active operation covers all of its rows. The last
        // one that paints whole rows in copy mode makes all before it irrelevant.
        covering.clear();
        for (size_t k : active) {
            const Operation& op = m_pending[k];
            if (op.mode == PenMode::Copy && op.area.left() == 0 && op.area.width() == width &&
                !op.slant)
                covering.clear();
            covering.push_back(&op);
        }
        // Rows that keep earlier content are drawn where they are. Any other row is put together
        // from rows that stay in the cache and then written, so that a large image is only
        // written.
        if (covering.front()->mode != PenMode::Copy || covering.front()->area.width() != width ||
            covering.front()->slant) {
            for (int y = top; y < bottom; ++y)
                drawRow(pixels + y * stride, y, covering);
            continue;
        }
        const bool showsPictures =
            std::any_of(covering.begin(), covering.end(),
                        [](const Operation* op) { return op->pattern != nullptr; });
        const bool showsSlants =
            std::any_of(covering.begin(), covering.end(),
                        [](const Operation* op) { return op->slant != nullptr; });
        if (showsSlants || showsPictures) {
            if (const auto layers = layersOf(covering)) {
                drawLayeredRun(top, bottom, *layers, streaming, buffers);
                continue;
            }
            buffers.scratchHoldsBase = false;
            for (int y = top; y < bottom; ++y) {
                drawRow(buffers.scratch.data(), y, covering);
                copyRow(buffers.scratch.data(), pixels + y * stride, width, streaming);
            }
            continue;
        }
        const quint32* source = patterns.find(covering);
        if (!source) {
            quint32* row = patterns.add(covering, width);
            drawRow(row, top, covering);
            source = row;
        }
        for (int y = top; y < bottom; ++y)
            copyRow(source, pixels + y * stride, width, streaming);
    }
    m_pending.clear();
    m_patterns.clear();
    m_slants.clear();
#if defined(__SSE2__)
    _mm_sfence(); // the streamed rows are visible before anyone reads the image
#endif
}

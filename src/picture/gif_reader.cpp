#include "picture/gif_reader.h"

#include "picture/gif_lzw.h"

#include <array>
#include <cstring>

using namespace picture_decoding;

namespace {

constexpr int kHeaderBytes = 13;
constexpr int kDescriptorBytes = 9;
// What Qt's GIF reader gave an index past the palette, and what it makes transparent pixels.
constexpr QRgb kTransparentWhite = 0x00ffffff;
constexpr QRgb kTransparentMask = 0x00ffffff;

// Besides the 256 indices, two values stand for what the frame does not give: the background
// filled around a frame smaller than the screen (and where its data stops), and nothing at all
// where a frame covering the whole screen stops.
constexpr int kBackground = 256;
constexpr int kNothing = 257;
constexpr int kSources = 258;
constexpr int kFromFrame = -1;

struct GifFrame {
    int screenWidth = 0, screenHeight = 0;
    const uchar* globalTable = nullptr;
    int globalColours = 0; // counted from the flags even where no table follows
    int background = 0;
    int transparent = -1;
    int left = 0, top = 0, width = 0, height = 0;
    const uchar* localTable = nullptr;
    int localColours = 0;
    bool interlaced = false;
    int minCodeBits = 0;
    const uchar* data = nullptr; // the first sub-block
};

// Skips sub-blocks up to the one of length 0; null when the file ends first.
const uchar* afterSubBlocks(const uchar* at, const uchar* end) {
    while (at < end) {
        const int length = *at++;
        if (length == 0)
            return at;
        if (end - at < length)
            return nullptr;
        at += length;
    }
    return nullptr;
}

Failure endsBeforeThePicture() {
    return Failure::because(QStringLiteral("The file ends before its GIF picture begins."));
}

Failure parseGif(QByteArrayView file, GifFrame& f) {
    const auto* h = reinterpret_cast<const uchar*>(file.data());
    const uchar* end = h + file.size();
    if (file.size() < kHeaderBytes || (!file.startsWith("GIF87a") && !file.startsWith("GIF89a")))
        return Failure::because(QStringLiteral("The file has no GIF header."));
    f.screenWidth = le16(h + 6);
    f.screenHeight = le16(h + 8);
    f.globalColours = 2 << (h[10] & 7);
    f.background = h[11];
    const uchar* at = h + kHeaderBytes;
    if (h[10] & 0x80) {
        if (end - at < 3 * f.globalColours)
            return Failure::because(QStringLiteral("The file ends within the GIF's colour table."));
        f.globalTable = at;
        at += 3 * f.globalColours;
    }
    for (;;) {
        if (at == end)
            return endsBeforeThePicture();
        const uchar kind = *at++;
        if (kind == ';')
            return Failure::because(QStringLiteral("The GIF file holds no picture."));
        if (kind == '!') {
            if (at == end)
                return endsBeforeThePicture();
            const uchar label = *at++;
            // The graphic control extension tells which index, if any, is transparent.
            if (label == 0xf9 && end - at >= 5 && at[0] >= 4)
                f.transparent = at[1] & 1 ? at[4] : -1;
            if (!(at = afterSubBlocks(at, end)))
                return endsBeforeThePicture();
            continue;
        }
        if (kind != ',')
            return Failure::because(
                QStringLiteral("The GIF file is damaged: a block of unknown kind %1 comes "
                               "before its picture.")
                    .arg(kind));
        if (end - at < kDescriptorBytes + 1)
            return endsBeforeThePicture();
        f.left = le16(at), f.top = le16(at + 2), f.width = le16(at + 4), f.height = le16(at + 6);
        const uchar flags = at[8];
        at += kDescriptorBytes;
        f.interlaced = flags & 0x40;
        if (flags & 0x80) {
            f.localColours = 2 << (flags & 7);
            if (end - at < 3 * f.localColours + 1)
                return Failure::because(
                    QStringLiteral("The file ends within the GIF picture's colour table."));
            f.localTable = at;
            at += 3 * f.localColours;
        }
        f.minCodeBits = *at++;
        if (f.minCodeBits < 1 || f.minCodeBits > 12)
            return Failure::because(
                QStringLiteral("The GIF picture gives an LZW code size of %1 bits, which "
                               "is not valid.")
                    .arg(f.minCodeBits));
        f.data = at;
        return Failure::none();
    }
}

// The frame's rows as they come in the file, the rows of every eighth line first where it is
// interlaced, and back.
class FrameRows {
  public:
    FrameRows(int height, bool interlaced)
        : m_interlaced(interlaced), m_pass{(height + 7) / 8, (height + 3) / 8, (height + 1) / 4} {}

    int rowOf(int stored) const {
        if (!m_interlaced)
            return stored;
        if (stored < m_pass[0])
            return 8 * stored;
        stored -= m_pass[0];
        if (stored < m_pass[1])
            return 8 * stored + 4;
        stored -= m_pass[1];
        if (stored < m_pass[2])
            return 4 * stored + 2;
        return 2 * (stored - m_pass[2]) + 1;
    }
    int storedAs(int row) const {
        if (!m_interlaced)
            return row;
        if (row % 8 == 0)
            return row / 8;
        if (row % 8 == 4)
            return m_pass[0] + row / 8;
        if (row % 4 == 2)
            return m_pass[0] + m_pass[1] + row / 4;
        return m_pass[0] + m_pass[1] + m_pass[2] + row / 2;
    }

  private:
    bool m_interlaced;
    int m_pass[3];
};

// Where the frame lies on the screen, cut to it, and how much of it the data gave.
struct Placement {
    int width = 0, height = 0;                              // of the screen
    int left = 0, top = 0, shownWidth = 0, shownHeight = 0; // of the frame
    FrameRows rows{0, false};
    int wholeRows = 0;  // stored rows the data gave in full
    int partPixels = 0; // of the next stored row
    int missing = kNothing;

    struct Span {
        int from, to, source; // kFromFrame: the indices held in the row
    };

    // The spans of screen row `y`, left to right, to `out`; returns how many.
    int spans(int y, Span* out) const {
        if (y < top || y >= top + shownHeight)
            return out[0] = {0, width, kBackground}, 1;
        const int stored = rows.storedAs(y - top);
        const int given = stored < wholeRows    ? shownWidth
                          : stored == wholeRows ? qMin(partPixels, shownWidth)
                                                : 0;
        int n = 0;
        const Span all[] = {{0, left, kBackground},
                            {left, left + given, kFromFrame},
                            {left + given, left + shownWidth, missing},
                            {left + shownWidth, width, kBackground}};
        for (const Span& s : all)
            if (s.from < s.to)
                out[n++] = s;
        return n;
    }
};

// The colours Qt's GIF reader gave, which the program's pictures keep.
class GifColours {
  public:
    explicit GifColours(const GifFrame& f) : m_frame(f) {}

    // The colour of `source` with the alpha Qt gave it.
    QRgb raw(int source) const {
        const GifFrame& f = m_frame;
        if (source == kNothing)
            return 0;
        if (source == kBackground) {
            // The background is a colour of the global palette; where a transparent index is
            // set, the screen is transparent instead.
            if (f.transparent >= 0)
                return indexed(f.transparent, f.globalTable, f.globalColours);
            return f.globalTable ? indexed(f.background, f.globalTable, f.globalColours)
                                 : qRgb(0, 0, 0);
        }
        return f.localTable ? indexed(source, f.localTable, f.localColours)
                            : indexed(source, f.globalTable, f.globalColours);
    }

    // Transparent pixels are laid over white, unless nothing on the screen is opaque: that
    // is taken to mean a writer that left alpha 0 throughout.
    QRgb shown(QRgb raw, bool anyOpaque) const {
        if (m_frame.transparent < 0 || !anyOpaque)
            return raw | 0xff000000;
        return qAlpha(raw) ? raw : qRgb(255, 255, 255);
    }

  private:
    QRgb indexed(int index, const uchar* table, int count) const {
        if (index > count)
            return kTransparentWhite;
        QRgb c = 0;
        if (table)
            c = index == count ? kTransparentWhite
                               : qRgb(table[3 * index], table[3 * index + 1], table[3 * index + 2]);
        return index == m_frame.transparent ? c & kTransparentMask : c;
    }

    const GifFrame& m_frame;
};

// The sources the screen shows, in the order in which they first appear.
std::vector<int> sourcesInOrder(const QImage& image, const Placement& p) {
    std::vector<int> order;
    std::array<bool, kSources> seen{};
    int framesSeen = 0;
    Placement::Span spans[4];
    for (int y = 0; y < p.height; ++y) {
        const uchar* row = image.constScanLine(y);
        const int n = p.spans(y, spans);
        for (int i = 0; i < n; ++i) {
            const Placement::Span& s = spans[i];
            if (s.source != kFromFrame) {
                if (!seen[size_t(s.source)])
                    seen[size_t(s.source)] = true, order.push_back(s.source);
                continue;
            }
            if (framesSeen == 256)
                continue;
            for (int x = s.from; x < s.to; ++x)
                if (!seen[row[x]])
                    seen[row[x]] = true, order.push_back(row[x]), ++framesSeen;
        }
    }
    return order;
}

// Writes each source's value from `valueOf` over the screen: `Pixel` is uchar or QRgb.
template <typename Pixel>
void paintSources(const QImage& indices, QImage& out, const Placement& p,
                  const std::array<Pixel, kSources>& valueOf) {
    Placement::Span spans[4];
    for (int y = 0; y < p.height; ++y) {
        const uchar* in = indices.constScanLine(y);
        auto* row = reinterpret_cast<Pixel*>(out.scanLine(y));
        const int n = p.spans(y, spans);
        for (int i = 0; i < n; ++i) {
            const Placement::Span& s = spans[i];
            if (s.source != kFromFrame)
                std::fill(row + s.from, row + s.to, valueOf[size_t(s.source)]);
            else
                for (int x = s.from; x < s.to; ++x)
                    row[x] = valueOf[in[x]];
        }
    }
}

// The screen in the colours shown, as an 8-bit picture of those colours; more than 256 of them
// (a frame of 256 and the screen around it) are reduced as Qt reduces them.
DecodedPicture paletteFromColours(QImage screen, const Placement& p, const GifColours& colours,
                                  const PictureLimits& limits) {
    const std::vector<int> order = sourcesInOrder(screen, p);
    bool anyOpaque = false;
    for (int source : order)
        anyOpaque = anyOpaque || qAlpha(colours.raw(source)) != 0;
    std::array<QRgb, kSources> colourOf{};
    for (int source : order)
        colourOf[size_t(source)] = colours.shown(colours.raw(source), anyOpaque);

    QList<QRgb> palette;
    std::array<uchar, kSources> indexOf{};
    for (int source : order) {
        const qsizetype known = palette.indexOf(colourOf[size_t(source)]);
        if (known < 0 && palette.size() == 256) {
            if (const Failure refusal = refuseSize(p.width, p.height, 6, limits); refusal.failed())
                return DecodedPicture::failure(refusal.message());
            QImage rgb(p.width, p.height, QImage::Format_RGB32);
            if (rgb.isNull())
                return DecodedPicture::failure(outOfMemory());
            paintSources(screen, rgb, p, colourOf);
            screen = QImage();
            rgb.convertTo(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
            return {PictureRecord::fromIndexed(std::move(rgb), 8), PictureFormat::Gif, {}, {}};
        }
        if (known < 0)
            palette.append(colourOf[size_t(source)]);
        indexOf[size_t(source)] = uchar(known < 0 ? palette.size() - 1 : known);
    }
    paintSources(screen, screen, p, indexOf);
    screen.setColorTable(palette);
    return {PictureRecord::fromIndexed(std::move(screen), 8), PictureFormat::Gif, {}, {}};
}

} // namespace

DecodedPicture readGif(QByteArrayView file, const PictureLimits& limits,
                       const PictureProgress& progress) {
    GifFrame f;
    if (const Failure failure = parseGif(file, f); failure.failed())
        return DecodedPicture::failure(failure.message());
    const uchar* end = reinterpret_cast<const uchar*>(file.data()) + file.size();

    // A screen of no size is as large as the frame; a frame reaching past the screen is cut.
    Placement p;
    p.width = f.screenWidth > 0 ? f.screenWidth : f.left + f.width;
    p.height = f.screenHeight > 0 ? f.screenHeight : f.top + f.height;
    if (const Failure refusal = refuseSize(p.width, p.height, 1, limits); refusal.failed())
        return DecodedPicture::failure(refusal.message());
    p.left = f.left, p.top = f.top;
    p.shownWidth = f.left < p.width ? qMin(f.width, p.width - f.left) : 0;
    p.shownHeight = f.top < p.height ? qMin(f.height, p.height - f.top) : 0;
    if (p.shownWidth == 0 || p.shownHeight == 0)
        p.shownWidth = p.shownHeight = p.left = p.top = 0; // nothing of it on the screen
    p.rows = FrameRows(f.height, f.interlaced);
    const bool covers = p.shownWidth == p.width && p.shownHeight == p.height;
    p.missing = covers ? kNothing : kBackground;
    if ((end - f.data) * kLzwRatio < qint64(p.shownWidth) * p.shownHeight)
        return DecodedPicture::failure(
            QStringLiteral("The file is too short for the %1 × %2 GIF picture its header "
                           "describes.")
                .arg(f.width)
                .arg(f.height));

    QImage screen(p.width, p.height, QImage::Format_Indexed8);
    if (screen.isNull())
        return DecodedPicture::failure(outOfMemory());

    // Rows below the screen are not needed, but interlaced ones come between needed ones.
    const int storedRows = p.shownHeight == 0 ? 0 : f.interlaced ? f.height : p.shownHeight;
    ProgressSteps steps(progress, storedRows);
    GifLzwRows::Ending ending = GifLzwRows::Ending::Complete;
    if (storedRows > 0) {
        GifLzwRows lzw(f.data, end, f.minCodeBits, f.width);
        ending = lzw.decode(storedRows, [&](int stored, const uchar* pixels) {
            const int row = p.rows.rowOf(stored);
            if (row < p.shownHeight)
                std::memcpy(screen.scanLine(p.top + row) + p.left, pixels, size_t(p.shownWidth));
            p.wholeRows = stored + 1;
            if ((stored & 63) == 0)
                steps.advanceTo(stored);
        });
        if (ending != GifLzwRows::Ending::Complete) {
            p.partPixels = lzw.partialPixels();
            const int row = p.rows.rowOf(p.wholeRows);
            if (row < p.shownHeight)
                std::memcpy(screen.scanLine(p.top + row) + p.left, lzw.partialRow(),
                            size_t(qMin(p.partPixels, p.shownWidth)));
        }
    }
    steps.finish();

    DecodedPicture read = paletteFromColours(std::move(screen), p, GifColours(f), limits);
    if (read.ok() && ending == GifLzwRows::Ending::FileEnded)
        read.incomplete = QStringLiteral("The file ends early; the missing part is drawn black, "
                                         "or white where the picture is transparent.");
    if (read.ok() && ending == GifLzwRows::Ending::BadCode)
        read.incomplete = QStringLiteral("The GIF picture's data is damaged; the part after the "
                                         "damage is drawn black, or white where the picture is "
                                         "transparent.");
    return read;
}

#pragma once

// Small writers of PCX, IFF, TGA, PNG, GIF and BMP files, written from the formats'
// descriptions apart from the readers, so that tests and benchmarks make their own files of every
// kind.

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace picture_files {

// A picture as the writers take it: palette indices, or colours for true-colour kinds.
struct Pixels {
    int width = 0, height = 0;
    std::vector<int> index;  // row by row from the top
    std::vector<QRgb> color; // same order; used where there is no palette
    QList<QRgb> palette;
    int at(int x, int y) const { return index[size_t(y * width + x)]; }
    QRgb colorAt(int x, int y) const { return color[size_t(y * width + x)]; }
};

// Indices in 0 ... colors - 1 and colours that vary from pixel to pixel and row to row.
inline Pixels samplePixels(int width, int height, int colors) {
    Pixels p{width, height, {}, {}, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            p.index.push_back((x * 7 + y * 3 + x * y) % colors);
            p.color.push_back(
                qRgba(x * 37 + y, 255 - y * 41, (x * y * 13) & 255, (x * 50 + y * 90) & 255));
        }
    for (int i = 0; i < colors; ++i)
        p.palette.append(qRgb(i * 11 % 256, 255 - i * 5 % 256, i * 29 % 256));
    return p;
}

inline void put16le(QByteArray& b, int v) {
    b.append(char(v & 255));
    b.append(char((v >> 8) & 255));
}
inline void put16be(QByteArray& b, int v) {
    b.append(char((v >> 8) & 255));
    b.append(char(v & 255));
}
inline void put32be(QByteArray& b, quint32 v) {
    put16be(b, int(v >> 16));
    put16be(b, int(v & 0xffff));
}

// PCX run-length coding of one line; runs never cross lines, as most writers do it.
inline QByteArray pcxRuns(const QByteArray& line) {
    QByteArray out;
    for (qsizetype i = 0; i < line.size();) {
        qsizetype n = 1;
        while (i + n < line.size() && n < 63 && line[i + n] == line[i])
            ++n;
        if (n > 1 || (uchar(line[i]) & 0xc0) == 0xc0)
            out.append(char(0xc0 | n));
        out.append(line[i]);
        i += n;
    }
    return out;
}

// A PCX of `bits` per plane and `planes` planes: 1×1, 1×4, 4×1 use indices and the header
// palette; 8×1 indices and the palette at the end; 8×3 colours.
inline QByteArray pcx(const Pixels& p, int bits, int planes, bool compressed = true) {
    const int planeBytes = ((p.width * bits + 7) / 8 + 1) / 2 * 2; // padded to even
    QByteArray h(128, '\0');
    h[0] = 10, h[1] = 5, h[2] = compressed ? 1 : 0, h[3] = char(bits);
    auto set16 = [&h](int at, int v) { h[at] = char(v & 255), h[at + 1] = char(v >> 8); };
    set16(4, 3), set16(6, 2), set16(8, 3 + p.width - 1), set16(10, 2 + p.height - 1);
    h[65] = char(planes);
    set16(66, planeBytes);
    for (int i = 0; i < 16 && i < p.palette.size() && bits * planes <= 4; ++i) {
        h[16 + 3 * i] = char(qRed(p.palette[i]));
        h[17 + 3 * i] = char(qGreen(p.palette[i]));
        h[18 + 3 * i] = char(qBlue(p.palette[i]));
    }
    QByteArray out = h;
    for (int y = 0; y < p.height; ++y) {
        QByteArray line(planeBytes * planes, '\0');
        for (int x = 0; x < p.width; ++x) {
            if (bits == 8 && planes >= 3) {
                const QRgb c = p.colorAt(x, y);
                line[x] = char(qRed(c)), line[planeBytes + x] = char(qGreen(c));
                line[2 * planeBytes + x] = char(qBlue(c));
            } else if (bits == 8) {
                line[x] = char(p.at(x, y));
            } else if (planes == 1) {
                const int perByte = 8 / bits, shift = bits * (perByte - 1 - x % perByte);
                line[x / perByte] = char(line[x / perByte] | p.at(x, y) << shift);
            } else {
                for (int plane = 0; plane < planes; ++plane)
                    if (p.at(x, y) >> plane & 1)
                        line[plane * planeBytes + x / 8] =
                            char(line[plane * planeBytes + x / 8] | 0x80 >> (x % 8));
            }
        }
        out.append(compressed ? pcxRuns(line) : line);
    }
    if (bits == 8 && planes == 1) {
        out.append(char(12));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < p.palette.size() ? p.palette[i] : 0;
            out.append(char(qRed(c))), out.append(char(qGreen(c))), out.append(char(qBlue(c)));
        }
    }
    return out;
}

// ByteRun1 of a whole body at once, so that runs cross rows and planes.
inline QByteArray byteRun1(const QByteArray& data) {
    QByteArray out;
    for (qsizetype i = 0; i < data.size();) {
        qsizetype n = 1;
        while (i + n < data.size() && n < 128 && data[i + n] == data[i])
            ++n;
        if (n > 2) {
            out.append(char(1 - n)), out.append(data[i]);
            i += n;
            continue;
        }
        qsizetype literal = 0;
        while (i + literal < data.size() && literal < 128 &&
               !(i + literal + 2 < data.size() && data[i + literal] == data[i + literal + 1] &&
                 data[i + literal] == data[i + literal + 2]))
            ++literal;
        out.append(char(literal - 1));
        out.append(data.mid(i, literal));
        i += literal;
    }
    return out;
}

struct IffOptions {
    int planes = 8;
    bool compressed = true;
    bool maskPlane = false;
    quint32 camg = 0;
    bool chunky = false;               // PBM
    const QList<QRgb>* cmap = nullptr; // defaults to the pixels' palette
};

inline void chunk(QByteArray& out, const char* id, const QByteArray& data) {
    out.append(id, 4);
    put32be(out, quint32(data.size()));
    out.append(data);
    if (data.size() & 1)
        out.append('\0');
}

// An ILBM (or PBM) of `options.planes` planes holding the pixels' indices, or with 24 planes
// their colours. An odd-length chunk of no meaning comes first, to be skipped.
inline QByteArray iff(const Pixels& p, const IffOptions& o) {
    QByteArray bmhd;
    put16be(bmhd, p.width), put16be(bmhd, p.height), put16be(bmhd, 0), put16be(bmhd, 0);
    bmhd.append(char(o.planes)), bmhd.append(char(o.maskPlane ? 1 : 0));
    bmhd.append(char(o.compressed ? 1 : 0)), bmhd.append('\0');
    put16be(bmhd, 0), bmhd.append(char(1)), bmhd.append(char(1));
    put16be(bmhd, p.width), put16be(bmhd, p.height);

    const int planeBytes = o.chunky ? (p.width + 1) / 2 * 2 : (p.width + 15) / 16 * 2;
    QByteArray body;
    for (int y = 0; y < p.height; ++y) {
        if (o.chunky) {
            QByteArray row(planeBytes, '\0');
            for (int x = 0; x < p.width; ++x)
                row[x] = char(p.at(x, y));
            body.append(row);
            continue;
        }
        for (int plane = 0; plane < o.planes + (o.maskPlane ? 1 : 0); ++plane) {
            QByteArray row(planeBytes, '\0');
            for (int x = 0; x < p.width; ++x) {
                int bit = 1; // the mask plane: all set
                if (plane < o.planes && o.planes == 24) {
                    const QRgb c = p.colorAt(x, y);
                    const int channel = plane < 8 ? qRed(c) : plane < 16 ? qGreen(c) : qBlue(c);
                    bit = channel >> (plane % 8) & 1;
                } else if (plane < o.planes) {
                    bit = p.at(x, y) >> plane & 1;
                }
                if (bit)
                    row[x / 8] = char(row[x / 8] | 0x80 >> (x % 8));
            }
            body.append(row);
        }
    }
    QByteArray cmap;
    for (const QRgb c : o.cmap ? *o.cmap : p.palette)
        cmap.append(char(qRed(c))), cmap.append(char(qGreen(c))), cmap.append(char(qBlue(c)));

    QByteArray form(o.chunky ? "PBM " : "ILBM");
    chunk(form, "BMHD", bmhd);
    chunk(form, "ANNO", "odd");
    if (o.planes != 24)
        chunk(form, "CMAP", cmap);
    if (o.camg) {
        QByteArray camg;
        put32be(camg, o.camg);
        chunk(form, "CAMG", camg);
    }
    chunk(form, "BODY", o.compressed ? byteRun1(body) : body);
    QByteArray out("FORM");
    put32be(out, quint32(form.size()));
    return out + form;
}

struct TgaOptions {
    int type = 2;      // 1, 2, 3 raw; 9, 10, 11 run-length coded
    int bits = 24;     // of a pixel
    int mapBits = 24;  // of a colour-map entry
    int alphaBits = 0; // in the descriptor
    bool topDown = false;
    bool footer = false;
};

inline void tgaColor(QByteArray& out, QRgb c, int bits) {
    if (bits == 15 || bits == 16) {
        put16le(out, (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3 |
                         (qAlpha(c) >= 128 ? 0x8000 : 0));
        return;
    }
    out.append(char(qBlue(c))), out.append(char(qGreen(c))), out.append(char(qRed(c)));
    if (bits == 32)
        out.append(char(qAlpha(c)));
}

// A TGA of the pixels' indices (type 1, 9), colours (2, 10) or the red of the colours as grey
// (3, 11). Runs are coded over the whole picture, so that packets cross rows.
inline QByteArray tga(const Pixels& p, const TgaOptions& o) {
    const bool mapped = (o.type & 7) == 1;
    QByteArray out;
    out.append(char(3)); // an image id of 3 bytes, to be skipped
    out.append(char(mapped ? 1 : 0)), out.append(char(o.type));
    put16le(out, 0), put16le(out, mapped ? int(p.palette.size()) : 0);
    out.append(char(mapped ? o.mapBits : 0));
    put16le(out, 0), put16le(out, 0), put16le(out, p.width), put16le(out, p.height);
    out.append(char(o.bits)), out.append(char(o.alphaBits | (o.topDown ? 0x20 : 0)));
    out.append("id!");
    if (mapped)
        for (const QRgb c : p.palette)
            tgaColor(out, c, o.mapBits);
    QByteArray pixels; // all of them in file order, `size` bytes each
    for (int row = 0; row < p.height; ++row) {
        const int y = o.topDown ? row : p.height - 1 - row;
        for (int x = 0; x < p.width; ++x) {
            if (mapped)
                pixels.append(char(p.at(x, y)));
            else if ((o.type & 7) == 3)
                pixels.append(char(qRed(p.colorAt(x, y))));
            else
                tgaColor(pixels, p.colorAt(x, y), o.bits);
        }
    }
    const qsizetype size = pixels.size() / (qsizetype(p.width) * p.height);
    const auto same = [&](qsizetype a, qsizetype b) {
        return std::memcmp(pixels.constData() + a * size, pixels.constData() + b * size,
                           size_t(size)) == 0;
    };
    const qsizetype count = qsizetype(p.width) * p.height;
    if (o.type < 9)
        out.append(pixels);
    for (qsizetype i = 0; o.type >= 9 && i < count;) {
        qsizetype n = 1;
        while (i + n < count && n < 128 && same(i + n, i))
            ++n;
        if (n > 1) {
            out.append(char(0x80 | (n - 1))).append(pixels.mid(i * size, size));
        } else {
            while (i + n < count && n < 128 && !same(i + n, i + n - 1))
                ++n;
            out.append(char(n - 1)).append(pixels.mid(i * size, n * size));
        }
        i += n;
    }
    if (o.footer)
        out.append(QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.\0", 18));
    return out;
}

inline quint32 crc32(const QByteArray& data) {
    quint32 crc = 0xffffffff;
    for (const char byte : data) {
        crc ^= uchar(byte);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xedb88320 ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

inline void pngChunk(QByteArray& out, const char* id, const QByteArray& data) {
    put32be(out, quint32(data.size()));
    const QByteArray typed = QByteArray(id, 4) + data;
    out.append(typed);
    put32be(out, crc32(typed));
}

// A PNG of colour type `colorType` and `bitDepth` whose rows are given packed as the format
// stores them (without the filter byte); `palette` and `transparency` as PLTE and tRNS.
inline QByteArray png(int width, int height, int bitDepth, int colorType,
                      const std::vector<QByteArray>& rows, const QByteArray& palette = {},
                      const QByteArray& transparency = {}) {
    QByteArray out("\x89PNG\r\n\x1a\n");
    QByteArray ihdr;
    put32be(ihdr, quint32(width)), put32be(ihdr, quint32(height));
    ihdr.append(char(bitDepth)), ihdr.append(char(colorType));
    ihdr.append(QByteArray(3, '\0'));
    pngChunk(out, "IHDR", ihdr);
    if (!palette.isEmpty())
        pngChunk(out, "PLTE", palette);
    if (!transparency.isEmpty())
        pngChunk(out, "tRNS", transparency);
    QByteArray raw;
    for (const QByteArray& row : rows)
        raw.append('\0').append(row);
    pngChunk(out, "IDAT", qCompress(raw).mid(4)); // without Qt's length prefix: a zlib stream
    pngChunk(out, "IEND", {});
    return out;
}

// How a GIF is written. By default: a global palette of 256 colours, the frame filling the
// screen, each index as its own code of 9 bits with a clear code keeping the table too small to
// widen them.
struct GifOptions {
    int paletteBits = 8;       // a palette of 2^bits colours, codes of at least 3 bits
    bool localPalette = false; // the palette given with the frame; the global one is grey
    bool noPalette = false;    // neither
    bool interlaced = false;
    int screenWidth = 0, screenHeight = 0; // 0: the frame's
    int left = 0, top = 0;
    int background = 0;
    int transparent = -1; // the index of the graphic control extension, if any
    bool version87a = false;
    bool compressed = false;    // strings of indices as codes, up to 12 bits
    bool deferredClear = false; // a full table kept rather than cleared
    int minCodeBits = 0;        // 0: enough for the palette, and at least 2
};

// The codes for `indices`, LZW coded from the writers' description of it, packed into bytes.
inline QByteArray gifCodes(const std::vector<int>& indices, int minCodeBits, const GifOptions& o) {
    const int clear = 1 << minCodeBits, end = clear + 1;
    QByteArray bytes;
    quint32 bits = 0;
    int held = 0, codeBits = minCodeBits + 1, next = end + 1;
    const auto put = [&](int code) {
        bits |= quint32(code) << held;
        for (held += codeBits; held >= 8; held -= 8, bits >>= 8)
            bytes.append(char(bits & 255));
    };
    // The code of a string and one more index, at string * 256 + index; -1 where undefined.
    std::vector<int> table(size_t(4096) * 256, -1);
    std::vector<size_t> defined;
    const auto restart = [&] {
        put(clear);
        for (const size_t at : defined)
            table[at] = -1;
        defined.clear();
        codeBits = minCodeBits + 1, next = end + 1;
    };
    restart();
    int string = -1;
    for (size_t i = 0; i < indices.size(); ++i) {
        const int k = indices[i];
        if (!o.compressed) {
            if (i > 0 && i % size_t(clear - 2) == 0)
                restart();
            put(k);
            continue;
        }
        if (string < 0) {
            string = k;
        } else if (const size_t at = size_t(string) * 256 + size_t(k); table[at] >= 0) {
            string = table[at];
        } else {
            put(string);
            if (next < 4096) {
                table[at] = next++;
                defined.push_back(at);
                // The reader defines each code one code later: widen once it could need this.
                if (next > 1 << codeBits && codeBits < 12)
                    ++codeBits;
            } else if (!o.deferredClear) {
                restart();
            }
            string = k;
        }
    }
    if (string >= 0)
        put(string);
    put(end);
    if (held > 0)
        bytes.append(char(bits & 255));
    return bytes;
}

// A GIF of the pixels' indices.
inline QByteArray gif(const Pixels& p, const GifOptions& o = {}) {
    const int colours = 1 << o.paletteBits;
    const auto palette = [&](bool grey) {
        QByteArray table;
        for (int i = 0; i < colours; ++i) {
            const QRgb c = grey ? qRgb(i * 255 / (colours - 1), i * 255 / (colours - 1),
                                       i * 255 / (colours - 1))
                           : i < p.palette.size() ? p.palette[i]
                                                  : 0;
            table.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
        return table;
    };
    QByteArray out(o.version87a ? "GIF87a" : "GIF89a");
    put16le(out, o.screenWidth ? o.screenWidth : p.width);
    put16le(out, o.screenHeight ? o.screenHeight : p.height);
    out.append(char(o.noPalette ? 0 : 0xf0 | (o.paletteBits - 1)));
    out.append(char(o.background)).append('\0');
    if (!o.noPalette)
        out.append(palette(o.localPalette));
    if (o.transparent >= 0)
        out.append("\x21\xf9\x04\x01\0\0", 6).append(char(o.transparent)).append('\0');
    out.append(',');
    put16le(out, o.left), put16le(out, o.top), put16le(out, p.width), put16le(out, p.height);
    out.append(char((o.localPalette ? 0x80 | (o.paletteBits - 1) : 0) | (o.interlaced ? 0x40 : 0)));
    if (o.localPalette)
        out.append(palette(false));
    // Interlaced rows go every eighth from 0, every eighth from 4, every fourth from 2, then
    // every second from 1.
    std::vector<int> indices;
    for (const auto& [from, step] :
         o.interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                      : std::vector<std::pair<int, int>>{{0, 1}})
        for (int y = from; y < p.height; y += step)
            indices.insert(indices.end(), p.index.begin() + y * p.width,
                           p.index.begin() + (y + 1) * p.width);
    const int minCodeBits = o.minCodeBits ? o.minCodeBits : std::max(2, o.paletteBits);
    out.append(char(minCodeBits));
    const QByteArray codes = gifCodes(indices, minCodeBits, o);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size())).append(block);
    }
    return out.append('\0').append(';');
}

// A 1-bit BMP of one row of `values` (up to 32) whose palette lists `first`, then `second`.
inline QByteArray twoColourBmp(QRgb first, QRgb second, const std::vector<int>& values) {
    QByteArray b("BM");
    const auto le32 = [&b](quint32 v) { put16le(b, int(v & 0xffff)), put16le(b, int(v >> 16)); };
    le32(14 + 40 + 8 + 4), le32(0), le32(14 + 40 + 8);
    le32(40), le32(quint32(values.size())), le32(1), put16le(b, 1), put16le(b, 1);
    for (int i = 0; i < 6; ++i)
        le32(0);
    le32(first & RGB_MASK), le32(second & RGB_MASK);
    QByteArray row(4, '\0');
    for (size_t x = 0; x < values.size(); ++x)
        row[x / 8] = char(row[x / 8] | values[x] << (7 - x % 8));
    return b + row;
}

struct BmpOptions {
    int bits = 8;         // 1, 4 or 8 from the palette; 16, 24 or 32 from the colours
    bool runs = false;    // 4 and 8 bits in run-length codes
    bool topDown = false; // rows from the top, as a negative height says
    bool os2 = false;     // the old header of 12 bytes, with palette entries of three bytes
};

// The stored rows of a BMP of `p`, each with its padding or, in runs, its end-of-line code, in
// the order the file keeps them.
inline std::vector<QByteArray> bmpRows(const Pixels& p, const BmpOptions& o) {
    std::vector<QByteArray> rows;
    for (int i = 0; i < p.height; ++i) {
        const int y = o.topDown ? i : p.height - 1 - i;
        QByteArray row;
        if (o.runs) {
            // Runs of equal values; in 4 bits a run's byte holds the value twice.
            for (int x = 0; x < p.width;) {
                int n = 1;
                while (x + n < p.width && n < 255 && p.at(x + n, y) == p.at(x, y))
                    ++n;
                const int v = p.at(x, y);
                row.append(char(n)).append(char(o.bits == 4 ? v << 4 | v : v));
                x += n;
            }
            row.append('\0').append('\0');
        } else {
            row = QByteArray((p.width * o.bits + 31) / 32 * 4, '\0');
            for (int x = 0; x < p.width; ++x) {
                const QRgb c = p.colorAt(x, y);
                const int bit = x * o.bits;
                if (o.bits <= 8)
                    row[bit / 8] = char(row[bit / 8] | p.at(x, y) << (8 - o.bits - bit % 8));
                else if (o.bits == 16)
                    row[bit / 8] = char((qGreen(c) >> 3) << 5 | qBlue(c) >> 3),
                              row[bit / 8 + 1] = char((qRed(c) >> 3) << 2 | qGreen(c) >> 6);
                else
                    row[bit / 8] = char(qBlue(c)), row[bit / 8 + 1] = char(qGreen(c)),
                              row[bit / 8 + 2] = char(qRed(c));
            }
        }
        rows.push_back(row);
    }
    return rows;
}

// A BMP of `p`: its palette up to 8 bits, its colours above.
inline QByteArray bmp(const Pixels& p, const BmpOptions& o) {
    const auto le32 = [](QByteArray& b, quint32 v) {
        put16le(b, int(v & 0xffff)), put16le(b, int(v >> 16));
    };
    QByteArray palette;
    for (int i = 0; o.bits <= 8 && i < 1 << o.bits; ++i) {
        const QRgb c = i < p.palette.size() ? p.palette[i] : 0;
        palette.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        if (!o.os2)
            palette.append('\0');
    }
    QByteArray pixels;
    for (const QByteArray& row : bmpRows(p, o))
        pixels += row;
    if (o.runs)
        pixels.append('\0').append('\1'); // the end of the picture
    const int infoBytes = o.os2 ? 12 : 40;
    const quint32 offset = quint32(14 + infoBytes + palette.size());
    QByteArray b("BM");
    le32(b, offset + quint32(pixels.size())), le32(b, 0), le32(b, offset);
    le32(b, quint32(infoBytes));
    if (o.os2) {
        put16le(b, p.width), put16le(b, p.height), put16le(b, 1), put16le(b, o.bits);
    } else {
        le32(b, quint32(p.width)), le32(b, quint32(o.topDown ? -p.height : p.height));
        put16le(b, 1), put16le(b, o.bits);
        le32(b, o.runs ? (o.bits == 8 ? 1 : 2) : 0), le32(b, quint32(pixels.size()));
        for (int i = 0; i < 4; ++i)
            le32(b, 0);
    }
    return b + palette + pixels;
}

} // namespace picture_files

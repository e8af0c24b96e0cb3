#include "picture/open_picture.h"
#include "picture/tga_reader.h"

#include "picture/picture_files.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

using namespace picture_files;

// An odd width, wider than one 16-bit plane word and not a multiple of it.
constexpr int kWidth = 21, kHeight = 5;

QRgb opaque(QRgb c) {
    return c | 0xff000000;
}
int expand5(int c) {
    return (c >> 3) << 3 | (c >> 3) >> 2;
}
QRgb as555(QRgb c) {
    return qRgb(expand5(qRed(c)), expand5(qGreen(c)), expand5(qBlue(c)));
}
QRgb overWhite(QRgb c) {
    const int a = qAlpha(c);
    const auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}

Pixels withPalette(int colors, QList<QRgb> palette = {}) {
    Pixels p = samplePixels(kWidth, kHeight, colors);
    if (!palette.isEmpty())
        p.palette = palette;
    return p;
}

// Hold-and-modify as the rule reads: 00 a palette colour, 01 blue, 10 red, 11 green from the
// low four bits, the rest kept from the pixel to the left; each row starts from colour 0.
QRgb ham6(const Pixels& p, int x, int y) {
    QRgb c = p.palette[0];
    for (int i = 0; i <= x; ++i) {
        const int v = p.at(i, y) & 15;
        switch (p.at(i, y) >> 4) {
        case 0:
            c = p.palette[v];
            break;
        case 1:
            c = qRgb(qRed(c), qGreen(c), v * 17);
            break;
        case 2:
            c = qRgb(v * 17, qGreen(c), qBlue(c));
            break;
        default:
            c = qRgb(qRed(c), v * 17, qBlue(c));
            break;
        }
    }
    return c;
}

struct ReaderCase {
    const char* name;
    Pixels pixels;
    std::function<QByteArray(const Pixels&)> write;
    PictureFormat format;
    int depth;
    std::function<QRgb(const Pixels&, int x, int y)> expected;
};

QRgb byIndex(const Pixels& p, int x, int y) {
    return opaque(p.palette[p.at(x, y)]);
}
QRgb byColor(const Pixels& p, int x, int y) {
    return opaque(p.colorAt(x, y));
}

IffOptions iffPlanes(int planes, bool compressed, bool mask = false, quint32 camg = 0) {
    IffOptions o;
    o.planes = planes, o.compressed = compressed, o.maskPlane = mask, o.camg = camg;
    return o;
}

TgaOptions tgaKind(int type, int bits, bool topDown = false, int alphaBits = 0, int mapBits = 24) {
    TgaOptions o;
    o.type = type, o.bits = bits, o.topDown = topDown, o.alphaBits = alphaBits;
    o.mapBits = mapBits;
    return o;
}

const QList<QRgb> kBlackWhite = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
const QList<QRgb> kHalfBrightBase = withPalette(32).palette;

TEST(PictureReaders, ReadEveryPixelOfEachKind) {
    const auto halfBright = [](const Pixels& p, int x, int y) {
        const QRgb c = kHalfBrightBase[p.at(x, y) % 32];
        return p.at(x, y) < 32 ? opaque(c) : qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2);
    };
    const auto grey = [](const Pixels& p, int x, int y) {
        const int r = qRed(p.colorAt(x, y));
        return qRgb(r, r, r);
    };
    const auto alphaOverWhite = [](const Pixels& p, int x, int y) {
        return overWhite(p.colorAt(x, y));
    };
    const auto quantised = [](const Pixels& p, int x, int y) { return as555(p.colorAt(x, y)); };
    const auto quantisedMap = [](const Pixels& p, int x, int y) {
        return as555(p.palette[p.at(x, y)]);
    };
    const auto pcxOf = [](int bits, int planes, bool rle = true) {
        return [=](const Pixels& p) { return pcx(p, bits, planes, rle); };
    };
    const auto iffOf = [](IffOptions o) { return [=](const Pixels& p) { return iff(p, o); }; };
    const auto tgaOf = [](TgaOptions o) { return [=](const Pixels& p) { return tga(p, o); }; };
    IffOptions ehb = iffPlanes(6, true, false, 0x80);
    ehb.cmap = &kHalfBrightBase;
    IffOptions pbm = iffPlanes(8, true);
    pbm.chunky = true;
    TgaOptions withFooter = tgaKind(2, 24, true);
    withFooter.footer = true;

    const std::vector<ReaderCase> cases = {
        {"pcx 1 bit", withPalette(2, kBlackWhite), pcxOf(1, 1), PictureFormat::Pcx, 1, byIndex},
        {"pcx 4 planes of 1 bit", withPalette(16), pcxOf(1, 4), PictureFormat::Pcx, 4, byIndex},
        {"pcx 4 bits", withPalette(16), pcxOf(4, 1), PictureFormat::Pcx, 4, byIndex},
        {"pcx 8 bits", withPalette(256), pcxOf(8, 1), PictureFormat::Pcx, 8, byIndex},
        {"pcx 8 bits raw", withPalette(256), pcxOf(8, 1, false), PictureFormat::Pcx, 8, byIndex},
        {"pcx 24 bits", withPalette(1), pcxOf(8, 3), PictureFormat::Pcx, 24, byColor},
        {"ilbm 1 plane", withPalette(2), iffOf(iffPlanes(1, true)), PictureFormat::Ilbm, 1,
         byIndex},
        {"ilbm 4 planes with mask", withPalette(16), iffOf(iffPlanes(4, true, true)),
         PictureFormat::Ilbm, 4, byIndex},
        {"ilbm 8 planes raw", withPalette(256), iffOf(iffPlanes(8, false)), PictureFormat::Ilbm, 8,
         byIndex},
        {"ilbm extra half-bright", withPalette(64), iffOf(ehb), PictureFormat::Ilbm, 8, halfBright},
        {"ilbm hold and modify", withPalette(64), iffOf(iffPlanes(6, true, false, 0x800)),
         PictureFormat::Ilbm, 24, [](const Pixels& p, int x, int y) { return ham6(p, x, y); }},
        {"ilbm 24 planes", withPalette(1), iffOf(iffPlanes(24, true)), PictureFormat::Ilbm, 24,
         byColor},
        {"pbm chunky", withPalette(256), iffOf(pbm), PictureFormat::Pbm, 8, byIndex},
        {"tga mapped", withPalette(200), tgaOf(tgaKind(1, 8)), PictureFormat::Tga, 8, byIndex},
        {"tga mapped 16-bit map, run-length", withPalette(50), tgaOf(tgaKind(9, 8, true, 0, 16)),
         PictureFormat::Tga, 8, quantisedMap},
        {"tga mapped 32-bit map", withPalette(50), tgaOf(tgaKind(1, 8, false, 0, 32)),
         PictureFormat::Tga, 8, byIndex},
        {"tga 24 bits bottom-up", withPalette(1), tgaOf(tgaKind(2, 24)), PictureFormat::Tga, 24,
         byColor},
        {"tga 24 bits top-down with footer", withPalette(1), tgaOf(withFooter), PictureFormat::Tga,
         24, byColor},
        {"tga 32 bits with alpha", withPalette(1), tgaOf(tgaKind(2, 32, true, 8)),
         PictureFormat::Tga, 24, alphaOverWhite},
        {"tga 32 bits alpha not counted", withPalette(1), tgaOf(tgaKind(10, 32)),
         PictureFormat::Tga, 24, byColor},
        {"tga 15 bits", withPalette(1), tgaOf(tgaKind(2, 15)), PictureFormat::Tga, 24, quantised},
        {"tga 16 bits run-length", withPalette(1), tgaOf(tgaKind(10, 16)), PictureFormat::Tga, 24,
         quantised},
        {"tga 24 bits run-length", withPalette(1), tgaOf(tgaKind(10, 24, true)), PictureFormat::Tga,
         24, byColor},
        {"tga grey", withPalette(1), tgaOf(tgaKind(3, 8)), PictureFormat::Tga, 8, grey},
        {"tga grey run-length", withPalette(1), tgaOf(tgaKind(11, 8, true)), PictureFormat::Tga, 8,
         grey},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture read = readPicture(c.write(c.pixels));
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.format, c.format);
        EXPECT_EQ(read.picture.depth(), c.depth);
        ASSERT_EQ(read.picture.width(), kWidth);
        ASSERT_EQ(read.picture.height(), kHeight);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                wrong +=
                    opaque(read.picture.pixelColor(x, y)) != opaque(c.expected(c.pixels, x, y));
        EXPECT_EQ(wrong, 0);
    }
}

// Qt's own TGA reader takes only uncompressed files with the footer; where it reads one, both
// readers must see the same pixels.
TEST(PictureReaders, TgaAgreesWithQtsReader) {
    if (!QImageReader::supportedImageFormats().contains("tga"))
        GTEST_SKIP() << "Qt has no TGA reader here";
    for (const bool topDown : {false, true}) {
        for (const int bits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            Pixels p = samplePixels(kWidth, kHeight, 1);
            for (QRgb& c : p.color)
                c = opaque(c);
            TgaOptions o = tgaKind(2, bits, topDown, bits == 32 ? 8 : 0);
            o.footer = true;
            QByteArray bytes = tga(p, o);
            bytes.remove(18, bytes[0]).data()[0] =
                0; // Qt's reader misplaces the pixels after an id
            QBuffer buffer(&bytes);
            const QImage qt = QImageReader(&buffer, "tga").read();
            ASSERT_FALSE(qt.isNull());
            const DecodedPicture ours = readTga(bytes);
            ASSERT_TRUE(ours.ok());
            int wrong = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    wrong += opaque(qt.pixel(x, y)) != opaque(ours.picture.pixelColor(x, y));
            EXPECT_EQ(wrong, 0);
        }
    }
}

} // namespace

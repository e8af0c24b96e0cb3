#include "picture/dib_sampling.h"
#include "picture/draw_dib.h"
#include "picture/surface_dib_device.h"
#include "render/image_surface.h"
#include "support/image_compare.h"

#include <gtest/gtest.h>

namespace {

// A picture whose pixels all differ, so that a wrong column or row shows.
PictureRecord picture(int depth, int width, int height) {
    if (depth == 24) {
        QImage image(width, height, QImage::Format_BGR888);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(37 * x % 256, 53 * y % 256, (x * y + 11) % 256));
        }
        return PictureRecord::fromTrueColor(image);
    }
    const int colors = 1 << depth;
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < colors; ++i)
        palette.append(qRgb(i * 255 / (colors - 1), 255 - i * 255 / (colors - 1), i * 7 % 256));
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x + 3 * y) % colors));
    }
    return PictureRecord::fromIndexed(image, depth);
}

// The pixels of `shown` when the whole destination is drawn by the given rule, written out
// plainly: the colour of source pixel (column(i), row(r)), rows from the top.
template <class Column, class Row>
QImage expectedPixels(const PictureRecord& dib, const QRect& dest, const QRect& shown,
                      Column column, Row row) {
    QImage image(shown.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint p = shown.topLeft() + QPoint(x, y);
            if (dest.contains(p))
                image.setPixel(x, y,
                               dib.pixelColor(column(p.x() - dest.x()), row(p.y() - dest.y())));
        }
    }
    return image;
}

QImage expectedStretch(const PictureRecord& dib, const QRect& dest, const QRect& shown) {
    return expectedPixels(
        dib, dest, shown, [&](qint64 i) { return int(DibWidth(dib) * i / dest.width()); },
        [&](qint64 r) { return int(DibHeight(dib) * r / dest.height()); });
}

// A device whose abilities a test takes away, drawing onto an image surface.
class LimitedDevice : public SurfaceDibDevice {
  public:
    struct Abilities {
        bool printer = false;
        int displayBits = 32;
        bool stretch = true;
        bool dibToDevice = true;
        bool bitmap = true;
        bool setDIBits = true;
        bool stretchBlt = true;
    };
    LimitedDevice(Surface& surface, Abilities abilities)
        : SurfaceDibDevice(surface, abilities.displayBits), m_can(abilities) {}

    bool isPrinter() const override { return m_can.printer; }
    bool stretchDIBits(const DibRect& dest, const PictureRecord& dib,
                       const DibRect& source) override {
        return m_can.stretch && SurfaceDibDevice::stretchDIBits(dest, dib, source);
    }
    bool hasDibToDevice() const override { return m_can.dibToDevice; }
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(QSize size) override {
        if (!m_can.bitmap)
            return nullptr;
        struct Bitmap : DeviceBitmap {
            Bitmap(LimitedDevice& d, std::unique_ptr<DeviceBitmap> real)
                : device(d), real(std::move(real)) {}
            bool setDIBits(const PictureRecord& dib) override {
                return device.m_can.setDIBits && real->setDIBits(dib);
            }
            bool stretchBlt(const DibRect& dest, const DibRect& source) override {
                // Through the device's own stretch, which this device may refuse: use the
                // ability of the bitmap instead.
                const bool wasAllowed = device.m_can.stretch;
                device.m_can.stretch = true;
                const bool done = device.m_can.stretchBlt && real->stretchBlt(dest, source);
                device.m_can.stretch = wasAllowed;
                return done;
            }
            LimitedDevice& device;
            std::unique_ptr<DeviceBitmap> real;
        };
        return std::make_unique<Bitmap>(*this, SurfaceDibDevice::createCompatibleBitmap(size));
    }

  private:
    Abilities m_can;
};

TEST(DrawDibPath, FollowsDepthDeviceAndDisplay) {
    struct Row {
        const char* name;
        int depth;
        bool printer;
        int displayBits;
        bool halftone;
        DibPath expected;
    };
    const Row rows[] = {
        {"TrueColourOnDeepDisplayIgnoresHalftone", 24, false, 32, true, DibPath::Rows24},
        {"TrueColourOnFewColoursHalftones", 24, false, 8, true, DibPath::Halftone},
        {"HalftoneEvenOnPrinter", 24, true, 8, true, DibPath::Halftone},
        {"FewColoursWithoutHalftoneUsesRows", 24, false, 8, false, DibPath::Rows24},
        {"TrueColourOnPrinter", 24, true, 32, false, DibPath::Direct},
        {"EightBitOnScreen", 8, false, 32, true, DibPath::Rows8},
        {"EightBitOnPrinter", 8, true, 32, false, DibPath::Direct},
        {"FourBit", 4, false, 32, false, DibPath::Direct},
        {"OneBit", 1, false, 8, true, DibPath::Direct},
    };
    for (const Row& r : rows)
        EXPECT_EQ(chooseDibPath(r.depth, r.printer, r.displayBits, r.halftone), r.expected)
            << r.name;
}

TEST(DrawDibClip, ShrinksTheDestinationInProportion) {
    struct Row {
        const char* name;
        DibTransfer given;
        DibTransfer expected;
    };
    // A picture of 10 x 8; destinations twice the source, except where rounding is shown.
    const Row rows[] = {
        {"Inside", {{5, 5, 20, 16}, {0, 0, 10, 8}}, {{5, 5, 20, 16}, {0, 0, 10, 8}}},
        {"PastTheRight", {{0, 0, 20, 16}, {4, 0, 10, 8}}, {{0, 0, 12, 16}, {4, 0, 6, 8}}},
        {"BelowTheBottomKeepsDestY",
         {{0, 0, 20, 16}, {0, -3, 10, 8}},
         {{0, 0, 20, 10}, {0, 0, 10, 5}}},
        {"PastTheTopMovesDestYDown",
         {{0, 0, 20, 16}, {0, 3, 10, 8}},
         {{0, 6, 20, 10}, {0, 3, 10, 5}}},
        {"PastTheLeftMovesDestXRight",
         {{0, 0, 20, 16}, {-4, 0, 10, 8}},
         {{8, 0, 12, 16}, {0, 0, 6, 8}}},
        // 5 * 5 / 10 = 2.5 rounds to the even 2; 7 * 5 / 10 = 3.5 to 4.
        {"HalvesToEven", {{0, 0, 5, 7}, {5, 3, 10, 10}}, {{0, 3, 2, 4}, {5, 3, 5, 5}}},
        {"BeyondThirtyTwoBits",
         {{0, 0, 3000000000, 16}, {5, 0, 10, 8}},
         {{0, 0, 1500000000, 16}, {5, 0, 5, 8}}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(clipToPicture(r.given, 10, 8), r.expected) << r.name;
}

struct StretchCase {
    const char* name;
    int depth;
    QSize picture;
    QRect dest;
    QRect shown; // the part of the device that the surface holds
    bool printer;
};

void PrintTo(const StretchCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawDibStretch : public ::testing::TestWithParam<StretchCase> {};

// Every path that stretches gives the pixels of the sampling rule, and draws only what the
// device shows.
TEST_P(DrawDibStretch, SamplesEveryPixelByTheRule) {
    const StretchCase& c = GetParam();
    const PictureRecord dib = picture(c.depth, c.picture.width(), c.picture.height());
    ImageSurface surface(c.shown.size(), c.shown.topLeft());
    LimitedDevice device(surface, {.printer = c.printer});
    const QString message =
        DrawDib(device, {c.dest.x(), c.dest.y(), c.dest.width(), c.dest.height()}, dib,
                {0, 0, DibWidth(dib), DibHeight(dib)}, false);
    EXPECT_TRUE(message.isEmpty());
    EXPECT_TRUE(imagesEqual(expectedStretch(dib, c.dest, c.shown), surface.image(), c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DrawDibStretch,
    ::testing::Values(
        StretchCase{"TrueColourRowsEnlarged", 24, {7, 5}, {3, 2, 40, 23}, {0, 0, 50, 30}, false},
        StretchCase{"EightBitRowsShrunk", 8, {61, 47}, {-4, 5, 20, 13}, {0, 0, 30, 20}, false},
        StretchCase{"OneBitStretchedByTheDevice", 1, {9, 4}, {1, 1, 27, 17}, {0, 0, 30, 20}, false},
        StretchCase{"FourBitShrunk", 4, {33, 20}, {0, 0, 10, 9}, {0, 0, 12, 12}, false},
        StretchCase{"TrueColourOnAPrinter", 24, {13, 6}, {2, 3, 31, 19}, {0, 0, 40, 25}, true},
        // A destination of 300000 pixels at a high zoom: only the exposed part is sampled.
        StretchCase{"ExposedPartOfAHugeDestination",
                    24,
                    {11, 9},
                    {-150000, 0, 300000, 240000},
                    {-70, 120000, 150, 60},
                    false},
        StretchCase{"ExposedPartOnAPrinter",
                    8,
                    {11, 9},
                    {0, 0, 300000, 240000},
                    {160000, 200000, 90, 40},
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawDibFallbacks, TakeTheNextWayOrSayWhatFailed) {
    struct Row {
        const char* name;
        LimitedDevice::Abilities device;
        QString message;
        bool resampled; // drawn by the resampled copy's own rule
        bool drawn;
    };
    const Row rows[] = {
        {"ResampledCopyWhenStretchIsRefused", {.stretch = false}, {}, true, true},
        {"DeviceBitmapWithoutDibToDevice",
         {.stretch = false, .dibToDevice = false},
         {},
         false,
         true},
        {"NoBitmap",
         {.stretch = false, .dibToDevice = false, .bitmap = false},
         "Could not create bitmap.",
         false,
         false},
        {"NoSetDIBits",
         {.stretch = false, .dibToDevice = false, .setDIBits = false},
         "The device does not support the function setdibits!",
         false,
         false},
        {"NoStretchBlt",
         {.stretch = false, .dibToDevice = false, .stretchBlt = false},
         "The device does not support the function StretchBlt!",
         false,
         false},
    };
    const PictureRecord dib = picture(4, 5, 4);
    const QRect dest(1, 2, 13, 9);
    const QRect shown(0, 0, 16, 12);
    for (const Row& r : rows) {
        ImageSurface surface(shown.size());
        LimitedDevice device(surface, r.device);
        EXPECT_EQ(DrawDib(device, {1, 2, 13, 9}, dib, {0, 0, 5, 4}, false), r.message) << r.name;
        QImage blank(shown.size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        // The resampled copy reaches the source's last column and row exactly.
        const QImage expected =
            !r.drawn      ? blank
            : r.resampled ? expectedPixels(
                                dib, dest, shown, [](qint64 i) { return int(4 * i / 12); },
                                [](qint64 r) { return int(3 - 3 * (8 - r) / 8); })
                          : expectedStretch(dib, dest, shown);
        EXPECT_TRUE(imagesEqual(expected, surface.image(), r.name));
    }
}

// A display of 256 colours or fewer gets a dithered picture: only colours of the dither's
// palette, mixed so that a flat colour keeps its value on average, whether the picture is
// enlarged or first shrunk.
TEST(DrawDibHalftone, DithersToFewColoursKeepingTheAverage) {
    struct Row {
        const char* name;
        QSize picture;
        QSize dest;
    };
    const Row rows[] = {{"Enlarged", {16, 16}, {64, 48}}, {"Shrunk", {200, 120}, {40, 40}}};
    const QRgb flat = qRgb(100, 180, 30);
    for (const Row& r : rows) {
        QImage pixels(r.picture, QImage::Format_BGR888);
        pixels.fill(QColor(flat));
        ImageSurface surface(r.dest);
        LimitedDevice device(surface, {.displayBits = 8});
        DrawDib(device, {0, 0, r.dest.width(), r.dest.height()},
                PictureRecord::fromTrueColor(pixels), {0, 0, r.picture.width(), r.picture.height()},
                true);
        const QImage& image = surface.image();
        double sum[3] = {0, 0, 0};
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                for (int v : {qRed(c), qGreen(c), qBlue(c)})
                    ASSERT_EQ(v % 51, 0) << r.name << " at " << x << "," << y;
                sum[0] += qRed(c);
                sum[1] += qGreen(c);
                sum[2] += qBlue(c);
            }
        }
        const double n = double(image.width()) * image.height();
        EXPECT_NEAR(sum[0] / n, qRed(flat), 4) << r.name;
        EXPECT_NEAR(sum[1] / n, qGreen(flat), 4) << r.name;
        EXPECT_NEAR(sum[2] / n, qBlue(flat), 4) << r.name;
    }
}

} // namespace

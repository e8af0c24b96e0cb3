#include "output/png_encoder.h"

#include <png.h>
#include <zlib.h>

#include <vector>

namespace {

struct Output {
    QIODevice* device;
    bool failed = false;
    char message[200] = {};
};

void writeBytes(png_structp png, png_bytep data, size_t size) {
    auto* output = static_cast<Output*>(png_get_io_ptr(png));
    if (!output->failed &&
        output->device->write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        output->failed = true;
}

void flush(png_structp) {}

[[noreturn]] void fail(png_structp png, png_const_charp message) {
    auto* output = static_cast<Output*>(png_get_error_ptr(png));
    qstrncpy(output->message, message, sizeof output->message);
    png_longjmp(png, 1);
}

void warn(png_structp, png_const_charp) {}

// The luma of ITU-R BT.601, in whole numbers and rounded, so that every platform gives the
// same greys.
void toGrey(const QRgb* pixels, int width, png_bytep grey) {
    for (int x = 0; x < width; ++x) {
        const QRgb p = pixels[x];
        grey[x] = png_byte((299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000);
    }
}

// Kept apart from anything with a destructor: the library leaves by a long jump on failure.
// `greyRow` holds a row of the page's width when the page is written in grey, else is null.
bool encode(png_structp png, png_infop info, const QImage& page, int dotsPerMetre,
            const PngSettings& settings, png_bytep greyRow) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(page.width()), png_uint_32(page.height()), 8,
                 greyRow ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, png_uint_32(dotsPerMetre), png_uint_32(dotsPerMetre),
                 PNG_RESOLUTION_METER);
    png_set_compression_level(png, settings.level);
    png_set_compression_strategy(png, settings.strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
    // Fewer, larger writes: the file underneath takes each one to the system as it comes.
    png_set_compression_buffer_size(png, 1 << 18);
    png_write_info(png, info);
    if (greyRow) {
        for (int y = 0; y < page.height(); ++y) {
            toGrey(reinterpret_cast<const QRgb*>(page.constScanLine(y)), page.width(), greyRow);
            png_write_row(png, greyRow);
        }
        png_write_end(png, nullptr);
        return true;
    }
    // An RGB32 pixel is a 32-bit 0xffRRGGBB, in memory B, G, R, unused: the library takes the
    // rows as they are.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < page.height(); ++y)
        png_write_row(png, page.constScanLine(y));
    png_write_end(png, nullptr);
    return true;
}

} // namespace

PngSettings pngSettingsFor(PngCompression compression) {
    switch (compression) {
    case PngCompression::Fast:
        return {3, Z_DEFAULT_STRATEGY, PNG_FILTER_UP};
    case PngCompression::Best:
        break;
    }
    return {9, Z_DEFAULT_STRATEGY, PNG_ALL_FILTERS};
}

std::optional<QString> writePng(QIODevice& device, const QImage& page, int dotsPerMetre,
                                const PngSettings& settings, PngColours colours) {
    Q_ASSERT(page.format() == QImage::Format_RGB32);
    Output output{&device};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, fail, warn);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return QStringLiteral("Could not write the picture: out of memory.");
    }
    png_set_write_fn(png, &output, writeBytes, flush);
    std::vector<png_byte> greyRow(colours == PngColours::Grey ? size_t(page.width()) : 0);
    const bool encoded =
        encode(png, info, page, dotsPerMetre, settings, greyRow.empty() ? nullptr : greyRow.data());
    png_destroy_write_struct(&png, &info);
    if (!encoded)
        return QStringLiteral("Could not write the picture: %1.")
            .arg(QString::fromUtf8(output.message));
    if (output.failed)
        return QStringLiteral("Could not write the picture: %1.").arg(device.errorString());
    return std::nullopt;
}

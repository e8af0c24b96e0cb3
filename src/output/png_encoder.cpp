#include "output/png_encoder.h"

#include <png.h>
#include <zlib.h>

namespace {

using Output = PngEncoder::Output;

void writeBytes(png_structp png, png_bytep data, size_t size) {
    auto* output = static_cast<Output*>(png_get_io_ptr(png));
    output->chunks.write(reinterpret_cast<const char*>(data), qsizetype(size));
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

// The three steps below are kept apart from anything with a destructor: the library leaves by
// a long jump on failure.

bool startPng(png_structp png, png_infop info, QSize size, int dotsPerMetre,
              const PngSettings& settings, bool grey) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), 8,
                 grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, png_uint_32(dotsPerMetre), png_uint_32(dotsPerMetre),
                 PNG_RESOLUTION_METER);
    png_set_compression_level(png, settings.level);
    png_set_compression_strategy(png, settings.strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
    // The size of every IDAT chunk, so a part of the file's own bytes: it stays as it is.
    png_set_compression_buffer_size(png, 1 << 18);
    png_write_info(png, info);
    if (!grey) {
        // An RGB32 pixel is a 32-bit 0xffRRGGBB, in memory B, G, R, unused: the library takes
        // the rows as they are.
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    return true;
}

// `greyRow` holds a row of the page's width when the page is written in grey, else is null.
bool writeRows(png_structp png, const QImage& rows, png_bytep greyRow) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int y = 0; y < rows.height(); ++y) {
        if (greyRow) {
            toGrey(reinterpret_cast<const QRgb*>(rows.constScanLine(y)), rows.width(), greyRow);
            png_write_row(png, greyRow);
        } else {
            png_write_row(png, rows.constScanLine(y));
        }
    }
    return true;
}

bool endPng(png_structp png) {
    if (setjmp(png_jmpbuf(png)))
        return false;
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

PngEncoder::PngEncoder(QIODevice& device, QSize size, int dotsPerMetre, const PngSettings& settings,
                       PngColours colours)
    : m_output{ChunkedOutput(device)}, m_size(size), m_dotsPerMetre(dotsPerMetre),
      m_settings(settings), m_greyRow(colours == PngColours::Grey ? size_t(size.width()) : 0) {
    m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_output, fail, warn);
    m_info = m_png ? png_create_info_struct(m_png) : nullptr;
    if (m_png)
        png_set_write_fn(m_png, &m_output, writeBytes, flush);
}

PngEncoder::~PngEncoder() {
    png_destroy_write_struct(&m_png, m_info ? &m_info : nullptr);
}

Failure PngEncoder::state() const {
    if (m_output.chunks.failed())
        return m_output.chunks.failure();
    if (m_broken)
        return Failure::because(QStringLiteral("Could not write the picture: %1.")
                                    .arg(QString::fromUtf8(m_output.message)));
    return Failure::none();
}

bool PngEncoder::usable() const {
    return !m_broken && !m_output.chunks.failed();
}

Failure PngEncoder::start() {
    if (!m_info)
        return Failure::because(QStringLiteral("Could not write the picture: out of memory."));
    if (usable() &&
        !startPng(m_png, m_info, m_size, m_dotsPerMetre, m_settings, !m_greyRow.empty()))
        m_broken = true;
    return state();
}

Failure PngEncoder::write(const QImage& rows) {
    Q_ASSERT(rows.format() == QImage::Format_RGB32 && rows.width() == m_size.width());
    if (usable() && !writeRows(m_png, rows, m_greyRow.empty() ? nullptr : m_greyRow.data()))
        m_broken = true;
    return state();
}

Failure PngEncoder::finish() {
    if (usable() && !endPng(m_png))
        m_broken = true;
    if (usable())
        m_output.chunks.flush();
    return state();
}

#include "picture/texture_filters.h"

#include "picture/open_picture.h"

#include <array>

namespace {

// Calls `change` with the blue, green and red bytes of every pixel of a 24-bit picture; the
// fourth byte of 32-bit pixels and the padding at the end of a row are left alone.
template <typename PixelChange> void changePixels(PictureRecord& dib, PixelChange change) {
    if (dib.isEmpty() || dib.depth() != 24)
        return;
    const int step = dib.bytesPerPixel();
    for (int y = 0; y < dib.height(); ++y) {
        uchar* pixel = dib.mutableRowFromBottom(y);
        for (int x = 0; x < dib.width(); ++x, pixel += step)
            change(pixel);
    }
}

template <int Divisor> void lighten(PictureRecord& dib) {
    std::array<uchar, 256> map{};
    for (int c = 0; c < 256; ++c)
        map[size_t(c)] = uchar(255 - (255 - c) / Divisor);
    changePixels(dib, [&map](uchar* p) {
        p[0] = map[p[0]];
        p[1] = map[p[1]];
        p[2] = map[p[2]];
    });
}

} // namespace

void DibToTrueColor(PictureRecord& dib) {
    const int depth = dib.depth();
    if (dib.isEmpty() || depth == 24)
        return;
    std::array<QRgb, 256> colors{};
    for (int i = 0; i < 256; ++i)
        colors[size_t(i)] =
            depth == 1 ? (i == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) : dib.paletteEntry(i);
    QImage converted(dib.width(), dib.height(), QImage::Format_BGR888);
    if (converted.isNull())
        return;
    for (int y = 0; y < dib.height(); ++y) {
        const uchar* in = dib.image().constScanLine(y);
        uchar* out = converted.scanLine(y);
        for (int x = 0; x < dib.width(); ++x) {
            const QRgb c = colors[in[x]];
            out[3 * x] = uchar(qBlue(c));
            out[3 * x + 1] = uchar(qGreen(c));
            out[3 * x + 2] = uchar(qRed(c));
        }
    }
    dib = PictureRecord::fromTrueColor(std::move(converted));
}

void DibGrayScale(PictureRecord& dib) {
    changePixels(dib, [](uchar* p) {
        const auto g = uchar((30 * p[2] + 59 * p[1] + 11 * p[0]) / 100);
        p[0] = p[1] = p[2] = g;
    });
}

void DibLighten(PictureRecord& dib) {
    lighten<4>(dib);
}

void DibStrongLight(PictureRecord& dib) {
    lighten<8>(dib);
}

DecodedPicture loadTexture(const QString& fileName, bool grayScale, bool lighten, bool strongLight,
                           const PictureLimits& limits, const PictureProgress& progress) {
    return filterTexture(OpenDib(fileName, limits, progress), fileName, grayScale, lighten,
                         strongLight, limits);
}

DecodedPicture filterTexture(DecodedPicture texture, const QString& fileName, bool grayScale,
                             bool lighten, bool strongLight, const PictureLimits& limits) {
    if (!texture.ok() || !(grayScale || lighten))
        return texture;
    // The 24-bit copy is made while the picture as read is still held.
    const PictureRecord& read = texture.picture;
    if (read.depth() != 24) {
        const qint64 copyBytes = qint64(read.width() * 3 + 3) / 4 * 4 * read.height();
        const qint64 bothBytes = copyBytes + read.image().sizeInBytes();
        if (bothBytes > limits.maxPixelBytes)
            return DecodedPicture::failure(
                QStringLiteral("The picture \"%1\" cannot be used as the texture. %2")
                    .arg(unquotedFileName(fileName),
                         picture_decoding::refuseMemory(bothBytes, limits)));
    }
    DibToTrueColor(texture.picture);
    if (grayScale)
        DibGrayScale(texture.picture);
    if (lighten) {
        if (strongLight)
            DibStrongLight(texture.picture);
        else
            DibLighten(texture.picture);
    }
    return texture;
}

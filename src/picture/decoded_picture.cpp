#include "picture/decoded_picture.h"

namespace picture_decoding {

Failure refuseSize(qint64 width, qint64 height, int bytesPerPixel, const PictureLimits& limits) {
    if (width <= 0 || height <= 0)
        return Failure::because(QStringLiteral("The picture has no pixels."));
    if (width * height > limits.maxPixels)
        return Failure::because(
            QStringLiteral("The picture has %1 × %2 pixels, more than the %3 allowed.")
                .arg(width)
                .arg(height)
                .arg(limits.maxPixels));
    // Rows are padded to four bytes.
    const qint64 rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
    if (rowBytes * height > limits.maxPixelBytes)
        return Failure::because(refuseMemory(rowBytes * height, limits));
    if (width > 0x7fffffff / 4 || height > 0x7fffffff / 4)
        return Failure::because(QStringLiteral("The picture is too wide or too high."));
    return Failure::none();
}

QString refuseMemory(qint64 bytes, const PictureLimits& limits) {
    // Rounded up, so that a cost just above the limit does not read as equal to it.
    const auto mebibytes = [](qint64 n) { return (n + (qint64(1) << 20) - 1) >> 20; };
    return QStringLiteral("The picture would need %1 MiB of memory, more than the %2 MiB allowed.")
        .arg(mebibytes(bytes))
        .arg(limits.maxPixelBytes >> 20);
}

QString outOfMemory() {
    return QStringLiteral("There is not enough memory for the picture.");
}

QString endsEarly(const PictureRecord& picture) {
    if (picture.depth() == 24 || (picture.paletteEntry(0) & RGB_MASK) == 0)
        return QStringLiteral("The file ends early; the missing part is drawn black.");
    return QStringLiteral(
        "The file ends early; the missing part is drawn in the first colour of its palette.");
}

DecodedPicture decoded(PictureRecord picture, PictureFormat format, bool fileRanOut) {
    QString incomplete = fileRanOut ? endsEarly(picture) : QString();
    return {std::move(picture), format, {}, std::move(incomplete)};
}

QList<QRgb> greyPalette(int count) {
    QList<QRgb> palette(count);
    for (int i = 0; i < count; ++i) {
        const int v = count > 1 ? i * 255 / (count - 1) : 0;
        palette[i] = qRgb(v, v, v);
    }
    return palette;
}

ProgressSteps::ProgressSteps(const PictureProgress& progress, qint64 total)
    : m_progress(progress), m_total(qMax<qint64>(total, 1)) {
    advanceTo(0);
}

void ProgressSteps::advanceTo(qint64 done) {
    if (!m_progress)
        return;
    const int percent = int(qBound(qint64(0), done * 100 / m_total, qint64(100)));
    if (percent != m_reported) {
        m_reported = percent;
        m_progress(percent);
    }
}

} // namespace picture_decoding

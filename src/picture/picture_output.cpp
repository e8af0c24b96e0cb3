#include "picture/picture_output.h"

#include "base/safe_file_writer.h"

#include <QImageWriter>
#include <QtEndian>

namespace {

void appendLe16(QByteArray& out, quint16 v) {
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void appendLe32(QByteArray& out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

// A bottom-up BMP with a 40-byte header; indices are packed to the depth, 24 bits as blue,
// green, red.
QByteArray encodeBmp(const PictureRecord& picture) {
    const int depth = picture.depth();
    const int width = picture.width(), height = picture.height();
    const int colors = depth == 24 ? 0 : qMin(picture.colorCount(), 1 << depth);
    const qsizetype rowBytes = (qsizetype(width) * depth + 31) / 32 * 4;
    const quint32 pixelsAt = 14 + 40 + 4 * colors;
    QByteArray out;
    out.reserve(pixelsAt + rowBytes * height);
    out.append("BM");
    appendLe32(out, quint32(pixelsAt + rowBytes * height));
    appendLe32(out, 0);
    appendLe32(out, pixelsAt);
    for (const quint32 field : {40u, quint32(width), quint32(height)})
        appendLe32(out, field);
    appendLe16(out, 1);
    appendLe16(out, quint16(depth));
    for (const quint32 field : {0u, quint32(rowBytes * height), 2835u, 2835u, quint32(colors), 0u})
        appendLe32(out, field);
    for (int i = 0; i < colors; ++i)
        appendLe32(out, picture.paletteEntry(i) & 0xffffff); // blue, green, red, 0
    const int mask = depth == 24 ? 0 : (1 << depth) - 1;
    for (int y = 0; y < height; ++y) {
        QByteArray row(rowBytes, '\0');
        auto* bytes = reinterpret_cast<uchar*>(row.data());
        const uchar* in = picture.rowFromBottom(y);
        for (int x = 0; x < width; ++x) {
            if (depth == 24) {
                const uchar* p = in + x * picture.bytesPerPixel();
                bytes[3 * x] = p[0];
                bytes[3 * x + 1] = p[1];
                bytes[3 * x + 2] = p[2];
            } else {
                const int perByte = 8 / depth;
                const int shift = depth * (perByte - 1 - x % perByte);
                bytes[x / perByte] |= uchar((in[x] & mask) << shift);
            }
        }
        out.append(row);
    }
    return out;
}

} // namespace

QJsonObject describePicture(const DecodedPicture& decoded) {
    QJsonObject description = {{"width", decoded.picture.width()},
                               {"height", decoded.picture.height()},
                               {"depth", decoded.picture.depth()},
                               {"colors", decoded.picture.colorCount()},
                               {"format", pictureFormatName(decoded.format)}};
    // Only when false, so that what scripts read of whole pictures stays as it was.
    if (!decoded.incomplete.isEmpty())
        description.insert("complete", false);
    return description;
}

Failure writePicture(const PictureRecord& picture, const QString& fileName) {
    if (picture.isEmpty())
        return Failure::because(QStringLiteral("There is no picture to write."));
    const auto failed = [&fileName](const QString& reason) {
        return Failure::because(
            QStringLiteral("The picture cannot be written to \"%1\". %2").arg(fileName, reason));
    };
    SafeFileWriter file(fileName);
    if (const Failure failure = file.open(); failure.failed())
        return failed(failure.message());
    if (fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
        file.device().write(encodeBmp(picture));
    } else {
        QImageWriter writer(&file.device(), "png");
        if (!writer.write(picture.image())) {
            // The file's own failure says more than the picture writer can.
            const Failure own = file.cancel();
            return failed(
                own.failed()
                    ? own.message()
                    : QStringLiteral("Could not write the picture: %1.").arg(writer.errorString()));
        }
    }
    if (const Failure failure = file.commit(); failure.failed())
        return failed(failure.message());
    return Failure::none();
}

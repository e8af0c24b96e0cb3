#include "picture/open_picture.h"

#include "base/system_file_names.h"
#include "picture/picture_formats.h"
#include "picture/qt_picture_reader.h"

#include <QBuffer>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Our readers, for the bytes that none of Qt's formats claims.
DecodedPicture readOurs(QByteArrayView file, const PictureLimits& limits,
                        const PictureProgress& progress) {
    if (const PictureFormatRow* row = pictureFormatOf(file, limits, false))
        return row->read(file, limits, progress);
    return DecodedPicture::failure(
        QStringLiteral("The file is not a picture in a format this program reads."));
}

// The format Qt reads that the file's first bytes, `head`, are of, or None.
PictureFormat qtFormatOf(QByteArrayView head) {
    const PictureFormatRow* row =
        pictureFormatOf(head.first(qMin(head.size(), kPictureSignatureBytes)), {}, true);
    return row ? row->format : PictureFormat::None;
}

DecodedPicture refuseFile(const QString& fileName, const QString& reason) {
    return DecodedPicture::failure(
        QStringLiteral("The picture \"%1\" cannot be opened. %2").arg(fileName, reason));
}

} // namespace

QString unquotedFileName(const QString& fileName) {
    if (fileName.size() >= 2 && fileName.startsWith(u'"') && fileName.endsWith(u'"'))
        return fileName.mid(1, fileName.size() - 2);
    return fileName;
}

DecodedPicture readPicture(QByteArrayView file, const PictureLimits& limits,
                           const PictureProgress& progress) {
    const PictureFormat qtFormat = qtFormatOf(file);
    if (qtFormat == PictureFormat::None)
        return readOurs(file, limits, progress);
    QByteArray bytes = QByteArray::fromRawData(file.data(), file.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readWithQt(buffer, qtFormat, limits, progress);
}

DecodedPicture OpenDib(const QString& typedName, const PictureLimits& limits,
                       const PictureProgress& progress) {
    const QString fileName = unquotedFileName(typedName);
    if (fileName.isEmpty())
        return DecodedPicture::failure(QStringLiteral("No picture file is named."));
    const QByteArray path = systemFileName(fileName);
    // Look before opening: opening a device can have effects of its own, and a pipe blocks.
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        // A name that is there but leads nowhere, such as a loop of links, says why.
        const int code = errno;
        return refuseFile(fileName, code == ENOENT
                                        ? QStringLiteral("The file does not exist.")
                                        : QString::fromLocal8Bit(std::strerror(code)) + u'.');
    }
    if (!S_ISREG(info.st_mode))
        return refuseFile(fileName, QStringLiteral("It is not a regular file."));
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuseFile(fileName, QStringLiteral("The file cannot be read."));
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    // The name may have been replaced by something else between the look and the opening.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return refuseFile(fileName, QStringLiteral("It is not a regular file."));
    if (info.st_size > limits.maxFileBytes)
        return refuseFile(fileName, QStringLiteral("The file is larger than the %1 MiB allowed.")
                                        .arg(limits.maxFileBytes >> 20));

    DecodedPicture decoded;
    const PictureFormat qtFormat = qtFormatOf(file.peek(kPictureSignatureBytes));
    if (qtFormat != PictureFormat::None) {
        decoded = readWithQt(file, qtFormat, limits, progress);
    } else {
        // Read once, to the size the file had when it was opened: a file that grows meanwhile
        // cannot make us read more.
        const QByteArray bytes = file.read(info.st_size);
        decoded = readOurs(bytes, limits, progress);
    }
    if (!decoded.ok())
        return refuseFile(fileName, decoded.error);
    return decoded;
}

#include "picture/open_picture.h"
#include "picture/picture_formats.h"
#include "picture/picture_output.h"

#include "picture/picture_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace picture_files;

QByteArray writtenByQt(const char* format) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(qRgb(40, 90, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

bool offered(const QString& filterEntry, const QString& fileName) {
    const QString patterns = filterEntry.section(u'(', -1).chopped(1);
    for (const QString& pattern : patterns.split(u' '))
        if (QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(fileName).hasMatch())
            return true;
    return false;
}

// Every format in the table is found by the content of a file of its own, is reported under
// its row's name, and its files are offered by the dialog, in capitals or not, both among all
// pictures and under each of its captions.
TEST(PictureFormats, EachRowDetectsNamesAndOffersItsFiles) {
    const Pixels pixels = samplePixels(5, 3, 16);
    IffOptions chunky;
    chunky.chunky = true;
    const std::map<PictureFormat, QByteArray> files = {
        {PictureFormat::Bmp, twoColourBmp(qRgb(0, 0, 0), qRgb(255, 255, 255), {0, 1, 1, 0})},
        {PictureFormat::Gif, gif(pixels)},
        {PictureFormat::Jpeg, writtenByQt("jpeg")},
        {PictureFormat::Png, writtenByQt("png")},
        {PictureFormat::Tiff, writtenByQt("tiff")},
        {PictureFormat::Pcx, pcx(pixels, 8, 1)},
        {PictureFormat::Ilbm, iff(pixels, IffOptions{})},
        {PictureFormat::Pbm, iff(pixels, chunky)},
        {PictureFormat::Tga, tga(pixels, TgaOptions{})},
    };
    const QStringList filter = pictureFileFilter().split(QStringLiteral(";;"));
    QTemporaryDir folder;
    for (const PictureFormatRow& row : pictureFormats()) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(files.count(row.format)) << "no file of this format to read";
        const QString fileName = folder.filePath(QStringLiteral("picture"));
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(files.at(row.format));
        file.close();

        const DecodedPicture decoded = OpenDib(fileName);
        ASSERT_TRUE(decoded.ok()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.format, row.format);
        EXPECT_EQ(describePicture(decoded).value("format").toString(), row.name);

        EXPECT_FALSE(row.fileKinds.empty()) << "its files are not offered";
        for (const PictureFileKind& kind : row.fileKinds) {
            const auto entry = std::find_if(filter.begin(), filter.end(), [&](const QString& e) {
                return e.startsWith(QString::fromLatin1(kind.caption) + QStringLiteral(" ("));
            });
            ASSERT_NE(entry, filter.end()) << kind.caption;
            for (const QString& suffix : QString::fromLatin1(kind.suffixes).split(u' '))
                for (const QString& name : {"A." + suffix, "a." + suffix.toLower()}) {
                    EXPECT_TRUE(offered(filter.first(), name)) << name.toStdString();
                    EXPECT_TRUE(offered(*entry, name)) << name.toStdString();
                }
        }
    }
}

} // namespace

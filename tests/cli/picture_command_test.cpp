// The picture verb run as a user runs it, on pictures whose pixels need care: a file cut short
// and a two-colour picture made grey; and on every format the toolkit's plugins read, which the
// verb reaches without the toolkit's drawing part.
#include "picture/open_picture.h"

#include "picture/picture_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

class PictureCommand : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(m_folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    Result run(const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.start(LINEAVO_EXECUTABLE, QStringList{"picture"} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QJsonDocument::fromJson(process.readAllStandardOutput()).object(),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QTemporaryDir m_folder;
};

TEST_F(PictureCommand, APictureCutShortOpensWithAWarning) {
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    QByteArray whole;
    QBuffer buffer(&whole);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(red);

    const Result complete = run({write("whole.bmp", whole)});
    EXPECT_EQ(complete.exitCode, 0);
    EXPECT_FALSE(complete.json.contains("complete"));
    EXPECT_EQ(complete.err, QString());

    const QString cut = write("cut.bmp", whole.chopped(100));
    const Result shortened = run({cut});
    EXPECT_EQ(shortened.exitCode, 0) << shortened.err.toStdString();
    EXPECT_EQ(shortened.json.value("width"), 8);
    EXPECT_EQ(shortened.json.value("complete"), false);
    EXPECT_TRUE(shortened.err.contains(cut)) << shortened.err.toStdString();
    EXPECT_TRUE(shortened.err.contains("The file ends early; the missing part is drawn black."))
        << shortened.err.toStdString();
}

TEST_F(PictureCommand, GreyTurnsValueZeroOfATwoColourPictureBlack) {
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    const QString file = write("bw.bmp", picture_files::twoColourBmp(black, white, {0, 1}));
    const Result grey = run({file, "--grayscale", "--output", "grey.bmp"});
    ASSERT_EQ(grey.exitCode, 0) << grey.err.toStdString();
    const DecodedPicture written = OpenDib(m_folder.filePath("grey.bmp"));
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.picture.pixelColor(0, 0) | 0xff000000, black);
    EXPECT_EQ(written.picture.pixelColor(1, 0) | 0xff000000, white);
}

// The verb starts only the toolkit's core, which must still find the plugins that read these.
TEST_F(PictureCommand, OpensEachFormatThatTheToolkitReads) {
    QImage gradient(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y) {
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgb(40 * x, 80 * y, 200));
    }
    for (const char* format : {"bmp", "jpeg", "png", "tiff"}) {
        const QString file = m_folder.filePath(QStringLiteral("gradient.") + format);
        ASSERT_TRUE(QImageWriter(file, format).write(gradient)) << format;
        const Result opened = run({file});
        EXPECT_EQ(opened.exitCode, 0) << format << ": " << opened.err.toStdString();
        EXPECT_EQ(opened.json.value("width"), gradient.width()) << format;
        EXPECT_EQ(opened.json.value("height"), gradient.height()) << format;
    }
}

} // namespace

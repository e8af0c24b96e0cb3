// File names reach the system as the bytes it gave, UTF-8 or not, and a name the system cannot
// follow is reported with the system's reason.
#include "base/system_file_names.h"
#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(SystemFileNames, EveryByteStringComesBackAsItWasAndUtf8ReadsAsText) {
    const QByteArray names[] = {
        "plain.png",
        "caf\xc3\xa9 \xf0\x9f\x98\x80.png", // UTF-8, one character outside the first plane
        "caf\xe9.png",                      // Latin-1
        "cut\xc3",                          // a sequence cut short
        "\xc0\xaf.png",                     // an overlong slash
        "\xed\xb2\x80.png",                 // a surrogate written as UTF-8
        "\xf4\x90\x80\x80.png",             // past the last code point
        "\x80\xff",
    };
    for (const QByteArray& name : names) {
        SCOPED_TRACE(name.toHex().toStdString());
        const QString decoded = fileNameFromSystem(name);
        EXPECT_EQ(systemFileName(decoded), name);
        if (QString::fromUtf8(name).toUtf8() == name)
            EXPECT_EQ(decoded, QString::fromUtf8(name));
        else
            EXPECT_NE(decoded, QString::fromUtf8(name));
    }
}

struct Outcome {
    int exitCode = -1;
    QString err;
};

class FileNamesOnTheCommandLine : public ::testing::Test {
  protected:
    // A design whose picture lies beside it, in a folder with a Latin-1 name, which is no
    // UTF-8, with a folder named like a picture; and a link that leads to itself.
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QDir(m_folder.path()).mkdir("folder"));
        PaperSettings settings;
        settings.setText(Setting::FilenameEdit1, "logo.png");
        ASSERT_SUCCEEDS(saveDocument(settings, m_folder.filePath("folder/design.lvo")));
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(m_folder.filePath("folder/logo.png")));
        ASSERT_EQ(std::rename(path("folder").constData(), path("caf\xe9").constData()), 0);
        ASSERT_EQ(::mkdir(path("caf\xe9/d\xe9.png").constData(), 0700), 0);
        ASSERT_EQ(::symlink("loop", path("loop").constData()), 0);
    }
    // The temporary folder cannot remove what the toolkit cannot name.
    void TearDown() override {
        for (const char* name :
             {"caf\xe9/design.lvo", "caf\xe9/logo.png", "caf\xe9/copy.lvo", "caf\xe9/here.lvo",
              "caf\xe9/cop\xe9.lvo", "caf\xe9/d\xe9.png", "p\xe9ge.png", "l\xe9go.bmp", "caf\xe9"})
            std::remove(path(name).constData());
    }

    QByteArray path(const char* name) const { return m_folder.path().toUtf8() + '/' + name; }

    // Runs the program with `words` as a shell reads them, since a QProcess would pass the
    // arguments as UTF-8, in `folder` as the shell names it.
    Outcome run(const QString& words, const QString& folder) {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.start("/bin/sh",
                      {"-c", "cd " + folder + " && exec \"$0\" " + words, LINEAVO_EXECUTABLE});
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardError())};
    }

  private:
    QTemporaryDir m_folder;
};

TEST_F(FileNamesOnTheCommandLine, NamesAreOpenedAsTheirBytesOrSayWhyNot) {
    struct Row {
        const char* words;
        int exitCode;
        const char* err;
        const char* written = nullptr; // the file's name as bytes
        const char* folder = ".";
    };
    const char* latin1 = "\"$(printf 'caf\\351')\"";
    const Row rows[] = {
        {"picture \"$(printf 'caf\\351')/logo.png\"", 0, ""},
        {"show \"$(printf 'caf\\351')/design.lvo\"", 0, ""},
        {"render \"$(printf 'caf\\351')/design.lvo\" --output page.png --dpi 50", 0, ""},
        // The copy finds its picture beside it, as the design did.
        {"save \"$(printf 'caf\\351')/design.lvo\" \"$(printf 'caf\\351')/copy.lvo\"", 0, "",
         "caf\xe9/copy.lvo"},
        {"render \"$(printf 'caf\\351')/copy.lvo\" --output \"$(printf 'p\\351ge').png\" --dpi 50",
         0, "", "p\xe9ge.png"},
        {"picture \"$(printf 'caf\\351')/logo.png\" --output \"$(printf 'l\\351go').bmp\"", 0, "",
         "l\xe9go.bmp"},
        // Names made whole from a current folder that is no UTF-8.
        {"save --set FilenameEdit1=logo.png here.lvo", 0, "", "caf\xe9/here.lvo", latin1},
        // Messages still show such a name with U+FFFD.
        {"render --output \"$(printf 'd\\351').png\" --dpi 50", 1,
         "d\xef\xbf\xbd.png: this is not a regular file; the page is not written there.\n", nullptr,
         latin1},
        {"picture loop", 1,
         "The picture \"loop\" cannot be opened. Too many levels of symbolic links.\n"},
        {"show loop", 1, "Could not open file! \"loop\": Too many levels of symbolic links.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words);
        const Outcome result = run(QString::fromUtf8(row.words), row.folder);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.err.toStdString(), row.err);
        if (row.written) {
            EXPECT_TRUE(isRegularFile(fileNameFromSystem(path(row.written))));
        }
    }
}

// A template is listed under its design's name, and the tablet's list holds only UTF-8.
TEST_F(FileNamesOnTheCommandLine, BundleOfADesignWhoseNameIsNoUtf8WritesNothing) {
    ASSERT_EQ(
        run("save \"$(printf 'caf\\351')/design.lvo\" \"$(printf 'caf\\351/cop\\351').lvo\"", ".")
            .exitCode,
        0);
    const Outcome result = run(
        "render \"$(printf 'caf\\351/cop\\351').lvo\" --device remarkable-2 --bundle bundle", ".");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("UTF-8")) << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fileNameFromSystem(path("bundle"))));
}

} // namespace

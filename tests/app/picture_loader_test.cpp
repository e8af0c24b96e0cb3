// The window's pictures loaded without a window: what reloads them, and what is told.
#include "app/ui/picture_loader.h"
#include "document/document_file.h"
#include "picture/picture_output.h"
#include "printing/application.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PictureLoaderTest : public ::testing::Test {
  protected:
    // A black 24-bit picture `width` pixels wide, written as BMP.
    QString writeBlack(const QString& name, int width) {
        QImage pixels(width, 1, QImage::Format_BGR888);
        pixels.fill(Qt::black);
        const QString path = folder.filePath(name);
        EXPECT_SUCCEEDS(writePicture(PictureRecord::fromTrueColor(pixels), path));
        return path;
    }

    // The file at `path` without its last ten bytes.
    static QString cutShort(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.resize(file.size() - 10));
        return path;
    }

    // Which records were loaded, in order.
    QList<Setting> loads() const {
        QList<Setting> settings;
        for (const QList<QVariant>& signal : spy)
            settings << signal[0].value<Setting>();
        return settings;
    }

    static int red(const PictureRecord& picture) { return qRed(picture.pixelColor(0, 0)); }

    QTemporaryDir folder;
    Application app{folder.filePath(QStringLiteral("options.dat"))};
    PictureLoader loader{app};
    QSignalSpy spy{&loader, &PictureLoader::loaded};
};

TEST_F(PictureLoaderTest, EachTriggerReadsItsPictureAfreshAndAVanishedFileEmptiesIt) {
    struct Row {
        const char* name;
        Setting changed;
        Setting loaded;
    };
    const Row rows[] = {
        {"picture name", Setting::FilenameEdit1, Setting::FilenameEdit1},
        {"texture name", Setting::FilenameEdit2, Setting::FilenameEdit2},
        {"grayscale", Setting::GrayScaleCheck, Setting::FilenameEdit2},
        {"lighten", Setting::LightenCheck, Setting::FilenameEdit2},
        {"strong lightening", Setting::StrongLightCheck, Setting::FilenameEdit2},
    };
    PaperSettings& settings = app.settings;
    // Names change between the plain and the quoted spelling of the same file.
    auto change = [&settings](Setting setting) {
        const QString name = settings.text(setting);
        if (setting == Setting::FilenameEdit1 || setting == Setting::FilenameEdit2)
            settings.setText(setting, name.startsWith('"') ? name.mid(1, name.size() - 2)
                                                           : '"' + name + '"');
        else
            settings.setFlag(setting, !settings.flag(setting));
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = writeBlack(QStringLiteral("p.bmp"), 3);
        for (const Setting name : {Setting::FilenameEdit1, Setting::FilenameEdit2}) {
            settings.setText(name, QString());
            settings.setText(name, path);
        }
        writeBlack(QStringLiteral("p.bmp"), 5);
        spy.clear();
        change(row.changed);
        EXPECT_EQ(loads(), QList<Setting>{row.loaded});
        EXPECT_EQ(loader.record(row.loaded).width(), 5);
        const Setting other =
            row.loaded == Setting::FilenameEdit1 ? Setting::FilenameEdit2 : Setting::FilenameEdit1;
        EXPECT_EQ(loader.record(other).width(), 3);

        ASSERT_TRUE(QFile::remove(path));
        change(row.changed);
        EXPECT_TRUE(loader.record(row.loaded).isEmpty());
        EXPECT_EQ(spy.last()[1].toString(), QString()) << "a file that is not there is no failure";
    }
}

TEST_F(PictureLoaderTest, StrongLighteningWithLightenOffLightensNothing) {
    app.settings.setFlag(Setting::GrayScaleCheck, false);
    app.settings.setFlag(Setting::LightenCheck, false);
    app.settings.setText(Setting::FilenameEdit2, writeBlack(QStringLiteral("t.bmp"), 2));
    app.settings.setFlag(Setting::StrongLightCheck, true);
    EXPECT_EQ(red(app.loaded.TextureDib), 0);
    app.settings.setFlag(Setting::LightenCheck, true);
    EXPECT_EQ(red(app.loaded.TextureDib), 224);
}

TEST_F(PictureLoaderTest, AnOpenedDesignLoadsEachPictureOnceWithAllItsSettings) {
    PaperSettings design;
    design.setText(Setting::FilenameEdit1, writeBlack(QStringLiteral("logo.bmp"), 4));
    design.setText(Setting::FilenameEdit2, writeBlack(QStringLiteral("texture.bmp"), 6));
    design.setFlag(Setting::GrayScaleCheck, false);
    design.setFlag(Setting::LightenCheck, true);
    design.setFlag(Setting::StrongLightCheck, true);
    const QString document = folder.filePath(QStringLiteral("design.lvo"));
    ASSERT_SUCCEEDS(saveDocument(design, document));
    app.settings.setFlag(Setting::LightenCheck, false);
    spy.clear();

    EXPECT_SUCCEEDS(loader.replaceDesign([&] { return openDocument(app.settings, document); }));
    EXPECT_EQ(loads(), (QList<Setting>{Setting::FilenameEdit1, Setting::FilenameEdit2}));
    EXPECT_EQ(app.loaded.PictureDib.width(), 4);
    EXPECT_EQ(red(app.loaded.PictureDib), 0);
    EXPECT_EQ(app.loaded.TextureDib.width(), 6);
    EXPECT_EQ(red(app.loaded.TextureDib), 224);

    // A design that cannot be opened changes nothing, so nothing is loaded again.
    spy.clear();
    EXPECT_TRUE(loader
                    .replaceDesign([&] {
                        return openDocument(app.settings,
                                            folder.filePath(QStringLiteral("missing.lvo")));
                    })
                    .failed());
    EXPECT_TRUE(loads().isEmpty());
}

TEST_F(PictureLoaderTest, OnlyAnExistingFileThatCannotBeOpenedIsAFailure) {
    QFile text(folder.filePath(QStringLiteral("notes.bmp")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all, though its name says so");
    text.close();
    struct Row {
        const char* name;
        QString fileName;
        bool opens, failure;
    };
    const Row rows[] = {
        {"being typed", folder.filePath(QStringLiteral("logo.bm")), false, false},
        {"a folder on the way", folder.path(), false, false},
        {"not a picture", text.fileName(), false, true},
        {"a picture", writeBlack(QStringLiteral("logo.bmp"), 1), true, false},
        {"a picture cut short", cutShort(writeBlack(QStringLiteral("cut.bmp"), 40)), true, true},
        {"emptied", QString(), false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        spy.clear();
        app.settings.setText(Setting::FilenameEdit1, row.fileName);
        ASSERT_EQ(spy.size(), 1);
        const QString failure = spy.last()[1].toString();
        EXPECT_EQ(!failure.isEmpty(), row.failure) << failure.toStdString();
        EXPECT_EQ(!app.loaded.PictureDib.isEmpty(), row.opens);
    }
}

// A design's names are all meant: each that names nothing is a failure of its field, and the
// pictures not found are told once, in one sentence; typing a name afterwards quiets that.
TEST_F(PictureLoaderTest, AnOpenedDesignTellsWhichPicturesWereNotFound) {
    const QString logo = writeBlack(QStringLiteral("logo.bmp"), 2);
    const QString texture = writeBlack(QStringLiteral("texture.bmp"), 2);
    const QString gone = folder.filePath(QStringLiteral("gone.bmp"));
    const QString vanished = folder.filePath(QStringLiteral("vanished.bmp"));
    struct Row {
        const char* name;
        QString picture, texture;
        bool pictureFails, textureFails;
        QStringList named; // in the note
    };
    const Row rows[] = {
        {"both there", logo, texture, false, false, {}},
        {"the picture missing", gone, texture, true, false, {gone}},
        {"both missing", gone, vanished, true, true, {gone, vanished}},
        {"the texture missing, quoted", logo, '"' + vanished + '"', false, true, {vanished}},
        {"none named", QString(), QString(), false, false, {}},
    };
    QSignalSpy notes(&loader, &PictureLoader::designPicturesMissing);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        spy.clear();
        notes.clear();
        EXPECT_SUCCEEDS(loader.replaceDesign([&] {
            app.settings.setText(Setting::FilenameEdit1, row.picture);
            app.settings.setText(Setting::FilenameEdit2, row.texture);
            return Failure::none();
        }));
        ASSERT_EQ(spy.size(), 2);
        EXPECT_EQ(!spy[0][1].toString().isEmpty(), row.pictureFails);
        EXPECT_EQ(!spy[1][1].toString().isEmpty(), row.textureFails);
        ASSERT_EQ(notes.size(), 1);
        const QString note = notes.last()[0].toString();
        EXPECT_EQ(note.isEmpty(), row.named.isEmpty()) << note.toStdString();
        for (const QString& name : row.named)
            EXPECT_TRUE(note.contains('"' + name + '"')) << note.toStdString();
    }

    EXPECT_SUCCEEDS(loader.replaceDesign([&] {
        app.settings.setText(Setting::FilenameEdit1, gone);
        return Failure::none();
    }));
    notes.clear();
    spy.clear();
    app.settings.setText(Setting::FilenameEdit1, gone.chopped(1));
    EXPECT_EQ(spy.last()[1].toString(), QString()) << "a name being typed fails quietly";
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.last()[0].toString(), QString());
}

} // namespace

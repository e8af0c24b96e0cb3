// The pictures on the Insert picture and Background texture pages: the preview buttons and the
// file-name fields' display of a file that cannot be opened.
#include "app/ui/document_commands.h"
#include "app/ui/picture_loader.h"
#include "app/ui/progress_status_bar.h"
#include "document/document_file.h"
#include "picture/picture_output.h"
#include "support/succeeds.h"
#include "widgets/file_name_edit.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>

#include <algorithm>

namespace {

class PicturePagesTest : public WindowTest {
  protected:
    QString writePicture(const QString& name) {
        QImage pixels(2, 2, QImage::Format_BGR888);
        pixels.fill(Qt::darkCyan);
        const QString path = folder.filePath(name);
        EXPECT_SUCCEEDS(::writePicture(PictureRecord::fromTrueColor(pixels), path));
        return path;
    }

    // Types the whole name, each keystroke loading what the name names so far.
    void typeName(FileNameEdit* edit, const QString& name) {
        focus(edit->lineEdit());
        QTest::keyClick(edit->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(edit->lineEdit(), name);
    }
};

TEST_F(PicturePagesTest, APreviewButtonIsEnabledExactlyWhileItsPictureIsLoaded) {
    const QString path = writePicture(QStringLiteral("p.bmp"));
    struct Row {
        const char* field;
        QAbstractButton* button;
        const PictureRecord& record;
    };
    const Row rows[] = {{"FilenameEdit1", window->picturePreviewButton(), app.loaded.PictureDib},
                        {"FilenameEdit2", window->texturePreviewButton(), app.loaded.TextureDib}};
    QSignalSpy requests(window.get(), &TMainForm::previewRequested);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        auto* edit = control<FileNameEdit>(row.field);
        EXPECT_FALSE(row.button->isEnabled());
        typeName(edit, path.chopped(1));
        EXPECT_FALSE(row.button->isEnabled());
        QTest::keyClicks(edit->lineEdit(), path.right(1));
        EXPECT_TRUE(row.button->isEnabled());

        row.button->click();
        ASSERT_FALSE(requests.isEmpty());
        EXPECT_EQ(requests.last()[0].value<PictureRecord>().image(), row.record.image());
        EXPECT_EQ(requests.last()[1].toString(), path);

        typeName(edit, QString());
        EXPECT_FALSE(row.button->isEnabled());
    }
}

TEST_F(PicturePagesTest, TheFieldShowsWhyAnExistingFileCannotBeOpenedWithoutAMessage) {
    QFile notPicture(folder.filePath(QStringLiteral("n.bmp")));
    ASSERT_TRUE(notPicture.open(QIODevice::WriteOnly));
    notPicture.write("plain words");
    notPicture.close();
    auto* edit = control<FileNameEdit>("FilenameEdit2");
    const QColor plain = edit->lineEdit()->palette().color(QPalette::Text);

    typeName(edit, notPicture.fileName());
    EXPECT_EQ(edit->lineEdit()->palette().color(QPalette::Text).rgb(), FileNameEdit::kFailureColor);
    EXPECT_TRUE(edit->lineEdit()->toolTip().contains(notPicture.fileName()));
    EXPECT_TRUE(dialogs.errorMessages.isEmpty());
    EXPECT_TRUE(dialogs.infoMessages.isEmpty());

    typeName(edit, writePicture(QStringLiteral("p.bmp")));
    EXPECT_EQ(edit->lineEdit()->palette().color(QPalette::Text), plain);
    EXPECT_EQ(edit->lineEdit()->toolTip(), QString());
}

// A file of any kind the program reads is offered by the fields' "All pictures" choice under
// each name such files go by, in capitals or not.
TEST_F(PicturePagesTest, AllPicturesOffersEverySuffixOfTheKindsRead) {
    const QStringList suffixes = {"bmp", "dib", "rle",  "gif", "jpg", "jpeg", "jpe", "jif", "jfif",
                                  "png", "tif", "tiff", "pcx", "iff", "ilbm", "lbm", "tga"};
    for (const char* field : {"FilenameEdit1", "FilenameEdit2"}) {
        SCOPED_TRACE(field);
        const QString all = control<FileNameEdit>(field)->filter().section(";;", 0, 0);
        ASSERT_TRUE(all.startsWith("All pictures (") && all.endsWith(')')) << all.toStdString();
        const QStringList patterns = all.sliced(14).chopped(1).split(' ');
        for (const QString& suffix : suffixes) {
            for (const QString& name : {"a." + suffix, "A." + suffix.toUpper()}) {
                EXPECT_TRUE(std::any_of(patterns.begin(), patterns.end(), [&](const QString& p) {
                    return QRegularExpression::fromWildcard(p, Qt::CaseSensitive)
                        .match(name)
                        .hasMatch();
                })) << name.toStdString();
            }
        }
    }
}

// An opened design whose pictures are gone marks both fields as failing and says once, in the
// status bar, which files were not found.
TEST_F(PicturePagesTest, AnOpenedDesignMarksThePicturesNotFound) {
    const QString logo = folder.filePath(QStringLiteral("logo.bmp"));
    const QString texture = folder.filePath(QStringLiteral("texture.bmp"));
    PaperSettings design;
    design.setText(Setting::FilenameEdit1, logo);
    design.setText(Setting::FilenameEdit2, texture);
    const QString document = folder.filePath(QStringLiteral("design.lvo"));
    ASSERT_SUCCEEDS(saveDocument(design, document));

    window->documentCommands().OpenFile(document);
    for (const char* field : {"FilenameEdit1", "FilenameEdit2"}) {
        SCOPED_TRACE(field);
        QLineEdit* edit = control<FileNameEdit>(field)->lineEdit();
        EXPECT_EQ(edit->palette().color(QPalette::Text).rgb(), FileNameEdit::kFailureColor);
        EXPECT_FALSE(edit->toolTip().isEmpty());
    }
    const QString note = window->progressStatusBar()->currentMessage();
    EXPECT_TRUE(note.contains(logo) && note.contains(texture)) << note.toStdString();
    EXPECT_TRUE(dialogs.errorMessages.isEmpty());

    writePicture(QStringLiteral("logo.bmp"));
    writePicture(QStringLiteral("texture.bmp"));
    window->documentCommands().OpenFile(document);
    EXPECT_EQ(window->progressStatusBar()->currentMessage(), QString());
    EXPECT_EQ(control<FileNameEdit>("FilenameEdit1")->lineEdit()->toolTip(), QString());
}

// A picture whose file ends early is opened, and its field says so.
TEST_F(PicturePagesTest, AFileCutShortOpensAndItsFieldSaysSo) {
    const QString path = folder.filePath(QStringLiteral("wide.bmp"));
    QImage pixels(40, 40, QImage::Format_BGR888);
    pixels.fill(Qt::darkCyan);
    ASSERT_SUCCEEDS(::writePicture(PictureRecord::fromTrueColor(pixels), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
    file.close();

    auto* edit = control<FileNameEdit>("FilenameEdit2");
    typeName(edit, path);
    EXPECT_FALSE(app.loaded.TextureDib.isEmpty());
    EXPECT_TRUE(window->texturePreviewButton()->isEnabled());
    EXPECT_EQ(edit->lineEdit()->palette().color(QPalette::Text).rgb(), FileNameEdit::kFailureColor);
    EXPECT_EQ(edit->lineEdit()->toolTip(), "The file ends early; the missing part is drawn black.");
}

} // namespace

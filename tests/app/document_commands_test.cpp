// New, Open..., Save as... and the quit question, driven through the window's buttons with
// the dialogs answered by the test.
#include "app/ui/document_commands.h"
#include "document/document_file.h"
#include "support/succeeds.h"
#include "widgets/color_picker.h"
#include "widgets/file_name_edit.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

namespace {

class DocumentCommandsTest : public WindowTest {
  protected:
    void click(const char* button) {
        QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
    }

    // Everything the controls show, to compare before and after a command.
    QStringList controlStates() const {
        QStringList states; // sorted, as the order of the controls does not matter
        for (auto* edit : window->findChildren<RealSpinEdit*>())
            states << edit->objectName() + "=" + edit->text();
        for (auto* box : window->findChildren<QAbstractButton*>()) {
            if (box->isCheckable())
                states << box->objectName() + "=" + QString::number(box->isChecked());
        }
        for (auto* picker : window->findChildren<ColorPicker*>())
            states << picker->objectName() + "=" + picker->currentText() + picker->htmlColor();
        for (auto* edit : window->findChildren<QLineEdit*>()) {
            if (!edit->objectName().isEmpty() && !edit->objectName().startsWith("qt_"))
                states << edit->objectName() + "=" + edit->text();
        }
        for (auto* edit : window->findChildren<FileNameEdit*>())
            states << edit->objectName() + "=" + edit->text();
        states.sort();
        return states;
    }

    // Changes a good part of the design through the controls.
    void changeDesign() {
        typeInto(spin("LineSpaceEd"), "7.50");
        leave(spin("LineSpaceEd"));
        control<QRadioButton>("KariertCheck")->click();
        control<QRadioButton>("untenrechts")->click();
        control<QRadioButton>("Merge2Check")->click();
        control<QCheckBox>("NoLeftBorderFillCheck")->click();
        control<QCheckBox>("GrayScaleCheck")->click();
        app.settings.setColour(Setting::ColvarColorComboBox3, colorValueFromRgb(255, 0, 0));
        QLineEdit* text = control<QLineEdit>("Edit1");
        focus(text);
        QTest::keyClicks(text, "Dear diary");
        dialogs.fontAnswer = FreeTextFont{"Times New Roman",
                                          colorValueFromRgb(255, 0, 0),
                                          0,
                                          14,
                                          FreeTextFont::VariablePitch,
                                          true};
        click("FontBtn");
    }

    QTemporaryDir folder;
};

TEST_F(DocumentCommandsTest, SaveAsThenOpenBringsTheDesignBackIntoEveryControl) {
    changeDesign();
    const QStringList changed = controlStates();
    const QString path = folder.filePath("paper.lvo");
    dialogs.saveAnswer = path;
    click("SaveAsBtn");
    ASSERT_TRUE(QFile::exists(path));
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].filter, "Lineavo designs (*.lvo)");
    EXPECT_EQ(dialogs.saveRequests[0].defaultSuffix, "lvo");

    click("NewBtn");
    EXPECT_NE(controlStates(), changed);
    dialogs.openAnswer = path;
    click("OpenBtn");
    EXPECT_EQ(controlStates(), changed);
    EXPECT_TRUE(dialogs.infoMessages.isEmpty());
    EXPECT_TRUE(dialogs.errorMessages.isEmpty());
}

TEST_F(DocumentCommandsTest, DialogsStartInTheFolderOfTheLastDocumentElseTheUsersDocuments) {
    // A user whose home has no documents folder yet, without a folder list of its own.
    const QString home = folder.filePath("home");
    ASSERT_TRUE(QDir().mkpath(home));
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", folder.filePath("config").toLocal8Bit());
    const QString saved = folder.filePath("saved/paper.lvo");
    const QString opened = folder.filePath("opened/paper.lvo");
    ASSERT_TRUE(QDir().mkpath(folder.filePath("saved")) &&
                QDir().mkpath(folder.filePath("opened")));

    struct Step {
        const char* name;
        std::function<void()> run;
        QString startsIn; // where the next dialog starts
    };
    const Step steps[] = {
        {"no documents folder", [] {}, home},
        {"a documents folder", [&] { QDir(home).mkdir("Documents"); }, home + "/Documents"},
        {"a save",
         [&] {
             dialogs.saveAnswer = saved;
             click("SaveAsBtn");
             QFile::copy(saved, opened);
         },
         folder.filePath("saved")},
        {"an open",
         [&] {
             dialogs.openAnswer = opened;
             click("OpenBtn");
         },
         folder.filePath("opened")},
        {"a failed open",
         [&] {
             dialogs.openAnswer = folder.filePath("saved/missing.lvo");
             click("OpenBtn");
         },
         folder.filePath("opened")},
    };
    for (const Step& step : steps) {
        step.run();
        dialogs.openAnswer.reset();
        dialogs.saveAnswer.reset();
        click("OpenBtn");
        click("SaveAsBtn");
        EXPECT_EQ(dialogs.openRequests.back().startPath, step.startsIn) << "after " << step.name;
        EXPECT_EQ(dialogs.saveRequests.back().startPath, step.startsIn) << "after " << step.name;
    }
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST_F(DocumentCommandsTest, SavingOverAnExistingFileAsksFirst) {
    const QString path = folder.filePath("same.lvo");
    dialogs.saveAnswer = path;
    click("SaveAsBtn");
    EXPECT_TRUE(dialogs.replaceQuestions.isEmpty());
    const qint64 firstSize = QFileInfo(path).size();
    QLineEdit* text = control<QLineEdit>("Edit1");
    focus(text);
    QTest::keyClicks(text, "longer now");

    dialogs.replaceAnswer = false;
    click("SaveAsBtn");
    EXPECT_EQ(dialogs.replaceQuestions, QStringList{path});
    EXPECT_EQ(QFileInfo(path).size(), firstSize);
    EXPECT_TRUE(window->windowTitle().contains('*'));

    dialogs.replaceAnswer = true;
    click("SaveAsBtn");
    EXPECT_EQ(dialogs.replaceQuestions.size(), 2);
    EXPECT_EQ(QFileInfo(path).size(), firstSize + 10);
    EXPECT_FALSE(window->windowTitle().contains('*'));
    EXPECT_TRUE(dialogs.infoMessages.isEmpty());
}

TEST_F(DocumentCommandsTest, TheTitleNamesTheDocumentAndMarksChangesThatAreNotSaved) {
    const QString program = " - Tolvane Lineavo-Pressolo 1.0";
    const QString path = folder.filePath("paper.lvo");
    struct Step {
        const char* name;
        std::function<void()> run;
        QString title;
    };
    const Step steps[] = {
        {"at start", [] {}, program.mid(3)},
        {"a typed length",
         [&] {
             typeInto(spin("LineSpaceEd"), "7.5");
             leave(spin("LineSpaceEd"));
         },
         "New design*" + program},
        {"saved",
         [&] {
             dialogs.saveAnswer = path;
             click("SaveAsBtn");
         },
         "paper.lvo" + program},
        {"a check box", [&] { control<QCheckBox>("GrayScaleCheck")->click(); },
         "paper.lvo*" + program},
        {"the check box back", [&] { control<QCheckBox>("GrayScaleCheck")->click(); },
         "paper.lvo" + program},
        {"the same length typed anew",
         [&] {
             typeInto(spin("LineSpaceEd"), "7.50");
             leave(spin("LineSpaceEd"));
         },
         "paper.lvo" + program},
        {"New", [&] { click("NewBtn"); }, program.mid(3)},
        {"opened",
         [&] {
             dialogs.openAnswer = path;
             click("OpenBtn");
         },
         "paper.lvo" + program},
        {"a failed open",
         [&] {
             dialogs.openAnswer = folder.filePath("missing.lvo");
             click("OpenBtn");
         },
         "paper.lvo" + program},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(window->windowTitle(), step.title) << "after " << step.name;
    }
    EXPECT_TRUE(dialogs.saveChangesQuestions.isEmpty());
}

TEST_F(DocumentCommandsTest, EveryCommandThatGivesUpChangesAsksToSaveThemFirst) {
    PaperSettings other;
    other.setText(Setting::Edit1, "the other design");
    const QString otherFile = folder.filePath("other.lvo");
    ASSERT_SUCCEEDS(saveDocument(other, otherFile));

    struct Command {
        const char* name;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"New", [&] { click("NewBtn"); }},
        {"New from preset",
         [&] { window->findChild<QMenu*>("PresetMenu")->actions().constLast()->trigger(); }},
        {"Open",
         [&] {
             dialogs.openAnswer = otherFile;
             click("OpenBtn");
         }},
        {"a drop", [&] { dropOn(control("ToolStrip"), otherFile); }},
        {"closing", [&] { window->close(); }},
    };
    struct Answer {
        const char* name;
        UnsavedChanges answer;
        bool savedAs; // a name is given in the save dialog that Save opens
        bool goesOn;
    };
    const Answer answers[] = {
        {"Cancel", UnsavedChanges::Cancel, false, false},
        {"Discard", UnsavedChanges::Discard, false, true},
        {"Save", UnsavedChanges::Save, true, true},
        {"Save, then no name", UnsavedChanges::Save, false, false},
    };
    for (const Command& command : commands) {
        for (const Answer& answer : answers) {
            SCOPED_TRACE(std::string(command.name) + ", " + answer.name);
            window->show();
            dialogs.saveChangesAnswer = UnsavedChanges::Discard;
            click("NewBtn");
            app.settings.setText(Setting::Edit1, "changed");
            const QStringList changed = controlStates();
            const QString saved = folder.filePath("saved.lvo");
            QFile::remove(saved);
            dialogs.saveAnswer =
                answer.savedAs ? std::optional<QString>(saved) : std::optional<QString>();
            dialogs.saveChangesQuestions.clear();
            dialogs.saveChangesAnswer = answer.answer;

            command.run();

            EXPECT_EQ(dialogs.saveChangesQuestions, QStringList{""});
            const bool wentOn = controlStates() != changed || !window->isVisible();
            EXPECT_EQ(wentOn, answer.goesOn);
            if (!answer.goesOn) {
                EXPECT_TRUE(window->windowTitle().contains('*'));
            }
            EXPECT_EQ(QFile::exists(saved), answer.savedAs);
        }
    }
    // Changes that are not saved get their own question in place of the quit question.
    EXPECT_EQ(dialogs.quitQuestions, 0);
}

TEST_F(DocumentCommandsTest, AFailedOpenNamesTheFileAndLeavesEveryControlAsItWas) {
    changeDesign();
    const QStringList before = controlStates();

    const QString missing = folder.filePath("missing.lvo");
    dialogs.openAnswer = missing;
    click("OpenBtn");
    ASSERT_EQ(dialogs.infoMessages.size(), 1);
    EXPECT_TRUE(dialogs.infoMessages[0].startsWith("Could not open file!"));
    EXPECT_TRUE(dialogs.infoMessages[0].contains('"' + missing + '"'));
    EXPECT_EQ(controlStates(), before);

    // A file that ends inside its fields is refused whole, not applied up to its end.
    const QString cut = folder.filePath("cut.lvo");
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("0100000000000022400101"));
    file.close();
    dialogs.openAnswer = cut;
    click("OpenBtn");
    ASSERT_EQ(dialogs.errorMessages.size(), 1);
    EXPECT_TRUE(dialogs.errorMessages[0].startsWith("Read beyond end of file."));
    EXPECT_TRUE(dialogs.errorMessages[0].contains('"' + cut + '"'));
    EXPECT_EQ(controlStates(), before);
}

TEST_F(DocumentCommandsTest, AFileThatCannotBeCreatedIsReportedByNameAndNothingChanges) {
    changeDesign();
    const QStringList before = controlStates();
    const QString nowhere = folder.filePath("no/such/folder/paper.lvo");
    dialogs.saveAnswer = nowhere;
    click("SaveAsBtn");
    ASSERT_EQ(dialogs.infoMessages.size(), 1);
    EXPECT_TRUE(dialogs.infoMessages[0].startsWith("Could not create file!"));
    EXPECT_TRUE(dialogs.infoMessages[0].contains('"' + nowhere + '"'));
    EXPECT_EQ(controlStates(), before);
}

TEST_F(DocumentCommandsTest, CancelledDialogsChangeNothing) {
    changeDesign();
    const QStringList before = controlStates();
    click("OpenBtn");
    click("SaveAsBtn");
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(controlStates(), before);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(DocumentCommandsTest, NewResetsTheDesignButKeepsTheFontStyleAndTheZoom) {
    QStringList atStart = controlStates();
    changeDesign();
    typeInto(spin("ZoomEd"), "250");
    leave(spin("ZoomEd"));
    QSignalSpy replaced(&window->documentCommands(), &DocumentCommands::designReplaced);

    click("NewBtn");

    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(shown("ZoomEd"), "250");
    // The preview's zoom; the picture viewer keeps its own.
    atStart[atStart.indexOf("ZoomEd=100")] = "ZoomEd=250";
    atStart.sort();
    EXPECT_EQ(controlStates(), atStart);
    const FreeTextFont& font = app.settings.font();
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.sizePoints, 9);
    EXPECT_EQ(font.color, 0); // black, not the window text colour of the start
    EXPECT_EQ(font.pitch, FreeTextFont::DefaultPitch);
    EXPECT_TRUE(font.bold);
}

TEST_F(DocumentCommandsTest, AltNRunsNew) {
    typeInto(spin("CaretSpaceED"), "3");
    QTest::keyClick(spin("CaretSpaceED"), Qt::Key_N, Qt::AltModifier);
    // The button shows itself pressed for a moment before it runs New.
    EXPECT_TRUE(QTest::qWaitFor([this] { return shown("CaretSpaceED") == "5.00"; }, 2000));
    EXPECT_EQ(shown("CaretSpaceinED"), "0.20");
}

TEST_F(DocumentCommandsTest, TheFontButtonOffersTheCurrentFontAndTakesTheAnswer) {
    click("FontBtn");
    ASSERT_EQ(dialogs.fontsAsked.size(), 1u);
    EXPECT_EQ(dialogs.fontsAsked[0], FreeTextFont{});
    EXPECT_EQ(app.settings.font(), FreeTextFont{}); // cancelled

    FreeTextFont chosen;
    chosen.name = "DejaVu Serif";
    chosen.underline = true;
    chosen.charset = 238;
    dialogs.fontAnswer = chosen;
    click("FontBtn");
    EXPECT_EQ(app.settings.font(), chosen);
}

TEST_F(DocumentCommandsTest, TheBrowseButtonPutsTheChosenPictureNameIntoTheDesign) {
    auto* edit = control<FileNameEdit>("FilenameEdit2");
    dialogs.openAnswer = "/home/me/pictures/paper.png";
    QTest::mouseClick(edit->browseButton(), Qt::LeftButton);
    EXPECT_EQ(app.settings.text(Setting::FilenameEdit2), "/home/me/pictures/paper.png");
    EXPECT_EQ(edit->text(), "/home/me/pictures/paper.png");
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_TRUE(dialogs.openRequests[0].filter.startsWith("All pictures (*.BMP *.bmp *.DIB"));
    EXPECT_TRUE(dialogs.openRequests[0].filter.endsWith(";;All files (*)"));
}

TEST_F(DocumentCommandsTest, ClosingAsksEveryTimeAndCancelKeepsTheWindowAsItWas) {
    changeDesign();
    const QStringList before = controlStates();
    dialogs.saveAnswer = folder.filePath("saved.lvo");
    click("SaveAsBtn");

    dialogs.quitAnswer = false;
    EXPECT_FALSE(window->close());
    click("endebtn");
    EXPECT_EQ(dialogs.quitQuestions, 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(controlStates(), before);

    dialogs.quitAnswer = true;
    click("endebtn");
    EXPECT_EQ(dialogs.quitQuestions, 3);
    EXPECT_FALSE(window->isVisible());
}

} // namespace

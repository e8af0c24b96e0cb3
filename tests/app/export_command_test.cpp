// Export... writes the window's page through the same outputs as the render verb.
#include "app/ui/artwork.h"
#include "cli/commands.h"
#include "document/document_file.h"
#include "output/output_formats.h"
#include "output/tablet_devices.h"
#include "support/succeeds.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// What the user chooses in the export dialog.
struct ExportChoice {
    int dotsPerInch;
    QString paper;
    bool landscape;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Two PDFs written at different moments differ in their creation date alone.
    static const QRegularExpression date(QStringLiteral(R"(/CreationDate \(D:[^)]*\))"));
    return QString::fromLatin1(file.readAll()).remove(date).toLatin1();
}

class ExportCommandTest : public WindowTest {
  protected:
    // Presses Export..., lets `act` work in the dialog while it is open, and says whether the
    // dialog was still open when `act` returned.
    bool exportWith(const std::function<void(QDialog&)>& act) {
        bool open = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            act(*dialog);
            open = dialog->isVisible();
            dialog->reject();
        });
        control<QAbstractButton>("ExportBtn")->click();
        return open;
    }

    // Renders `design` with `words` after it through the render verb into `file`.
    static void render(const QString& design, const QString& file, const QStringList& words) {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        ASSERT_EQ(
            runRenderCommand(QStringList{design, "--output", file} + words, outStream, errStream),
            0)
            << err.toStdString();
    }

    // Chooses the file through the file dialog, sets `choice` and confirms.
    static void choose(QDialog& dialog, const ExportChoice& choice) {
        dialog.findChild<QSpinBox*>("ExportDpi")->setValue(choice.dotsPerInch);
        dialog.findChild<QComboBox*>("ExportPaper")->setCurrentText(choice.paper);
        dialog.findChild<QRadioButton*>(choice.landscape ? "ExportLandscape" : "ExportPortrait")
            ->setChecked(true);
        dialog.findChild<QPushButton*>("ExportBrowse")->click();
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
};

TEST_F(ExportCommandTest, WritesPngAndPdfAsTheRenderVerbDoes) {
    const QString design = QStringLiteral(LINEAVO_TEST_DATA_DIR "/checkered-logo.lvo");
    dialogs.openAnswer = design;
    control<QAbstractButton>("OpenBtn")->click();
    ASSERT_TRUE(dialogs.errorMessages.isEmpty());
    app.calibration.LinksEd.setValue(1.5);
    app.calibration.BreitEd.setValue(99);
    app.calibration.HochEd.setValue(101);

    // The file's name, the format whose filter it is chosen under (none: the suffix decides),
    // and what tells the render verb the same format.
    struct Row {
        QString name;
        QString format;
        ExportChoice choice;
        QStringList verbFormat;
    };
    const Row rows[] = {
        {"page.png", "", {150, "Letter", true}, {}},
        {"page.pdf", "", {600, "A4", false}, {}}, // large enough for a progress bar
        {"vector.pdf", "PDF (vector)", {300, "A5", true}, {"--vector"}},
        {"page.svg", "SVG", {150, "A4", false}, {}},
    };
    const QStringList filters = outputFileFilter().split(";;");
    for (const auto& [name, format, choice, verbFormat] : rows) {
        const QString exported = folder.filePath("window-" + name);
        dialogs.saveAnswer = exported;
        dialogs.saveFilterAnswer.clear();
        if (!format.isEmpty()) {
            const auto filter = std::find_if(filters.begin(), filters.end(), [&](const QString& f) {
                return f.startsWith(format + " (");
            });
            ASSERT_NE(filter, filters.end()) << format.toStdString();
            dialogs.saveFilterAnswer = *filter;
        }
        EXPECT_FALSE(exportWith([&](QDialog& dialog) { choose(dialog, choice); }))
            << name.toStdString();
        ASSERT_TRUE(dialogs.errorMessages.isEmpty())
            << dialogs.errorMessages.join('\n').toStdString();

        const QString rendered = folder.filePath("verb-" + name);
        QStringList words = {"--dpi",         QString::number(choice.dotsPerInch),
                             "--paper",       choice.paper,
                             "--calibration", "1.5,0,99,101"};
        words << verbFormat;
        if (choice.landscape)
            words << "--landscape";
        render(design, rendered, words);
        EXPECT_FALSE(fileBytes(exported).isEmpty()) << name.toStdString();
        EXPECT_EQ(fileBytes(exported), fileBytes(rendered)) << name.toStdString();
    }
}

// A tablet as the target: the window's calibration is left out, as the screen needs none.
TEST_F(ExportCommandTest, WritesATabletsPageAsTheRenderVerbDoes) {
    const QString design = QStringLiteral(LINEAVO_TEST_DATA_DIR "/checkered-logo.lvo");
    dialogs.openAnswer = design;
    control<QAbstractButton>("OpenBtn")->click();
    app.calibration.BreitEd.setValue(99);

    struct Row {
        QString name;
        QString device;
        bool landscape;
    };
    const Row rows[] = {{"tablet.png", "remarkable-2", true},
                        {"tablet.pdf", "kindle-scribe", false}};
    for (const auto& [name, deviceName, landscape] : rows) {
        SCOPED_TRACE(name.toStdString());
        const TabletDevice& device = *tabletDeviceNamed(deviceName);
        const QString exported = folder.filePath("window-" + name);
        dialogs.saveAnswer = exported;
        EXPECT_FALSE(exportWith([&](QDialog& dialog) {
            auto* target = dialog.findChild<QComboBox*>("ExportDevice");
            target->setCurrentIndex(target->findText(device.names.join(", ")));
            auto* dpi = dialog.findChild<QSpinBox*>("ExportDpi");
            EXPECT_EQ(dpi->value(), device.pixelsPerInch);
            EXPECT_FALSE(dpi->isEnabled());
            EXPECT_FALSE(dialog.findChild<QComboBox*>("ExportPaper")->isEnabled());
            dialog.findChild<QRadioButton*>(landscape ? "ExportLandscape" : "ExportPortrait")
                ->setChecked(true);
            dialog.findChild<QPushButton*>("ExportBrowse")->click();
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }));
        ASSERT_TRUE(dialogs.errorMessages.isEmpty())
            << dialogs.errorMessages.join('\n').toStdString();

        const QString rendered = folder.filePath("verb-" + name);
        QStringList words = {"--device", deviceName};
        if (landscape)
            words << "--landscape";
        render(design, rendered, words);
        EXPECT_FALSE(fileBytes(exported).isEmpty());
        EXPECT_EQ(fileBytes(exported), fileBytes(rendered));
    }
}

TEST_F(ExportCommandTest, AFailureIsSaidAsByTheRenderVerbAndTheDialogStaysOpen) {
    const QString unknown = folder.filePath("page.jpg");
    dialogs.saveAnswer = unknown;
    EXPECT_TRUE(exportWith([](QDialog& dialog) { choose(dialog, {300, "A3", true}); }));
    EXPECT_EQ(dialogs.errorMessages,
              QStringList{unknown + ": the output must end in .png, .bmp, .pdf or .svg."});
    EXPECT_FALSE(QFile::exists(unknown));
}

// One page is the page the preview shows, the second of a mirrored design too; more pages are
// the notebook that the render verb writes, from the first page on, whichever page is shown.
TEST_F(ExportCommandTest, WritesThePagePreviewedOrANotebookAsTheRenderVerbDoes) {
    PaperSettings& settings = app.settings;
    settings.setFlag(Setting::MirrorCheck, true);
    settings.setNumber(Setting::PageNumberPos, int(PageNumberPosition::BottomOutside));
    settings.field(Setting::LeftBorderEd).setValue(4);
    const QString design = folder.filePath("mirrored.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, design));
    // Its second page alone: the same design numbered from 2.
    settings.field(Setting::PageNumberStartEd).setValue(2);
    const QString secondPage = folder.filePath("second.lvo");
    ASSERT_SUCCEEDS(saveDocument(settings, secondPage));
    settings.field(Setting::PageNumberStartEd).setValue(1);
    window->pages()->setCurrentIndex(int(PageId::Print));
    control<QAbstractButton>("PreviewPage2")->click();

    const QStringList printer = {"--dpi", "150", "--paper", "A5", "--calibration", "0,0,100,100"};
    struct Row {
        QString name;
        int pages;
        QString rendered; // the design the render verb draws the same file of
        QStringList words;
    };
    const Row rows[] = {
        {"shown.png", 1, secondPage, {}},
        {"notebook.pdf", 3, design, {"--pages", "3"}},
    };
    for (const auto& [name, pages, renderedDesign, words] : rows) {
        SCOPED_TRACE(name.toStdString());
        const QString exported = folder.filePath("window-" + name);
        dialogs.saveAnswer = exported;
        EXPECT_FALSE(exportWith([&, pages = pages](QDialog& dialog) {
            auto* pageCount = dialog.findChild<QSpinBox*>("ExportPages");
            ASSERT_NE(pageCount, nullptr);
            pageCount->setValue(pages);
            choose(dialog, {150, "A5", false});
        }));
        ASSERT_TRUE(dialogs.errorMessages.isEmpty())
            << dialogs.errorMessages.join('\n').toStdString();
        const QString rendered = folder.filePath("verb-" + name);
        render(renderedDesign, rendered, printer + words);
        EXPECT_FALSE(fileBytes(exported).isEmpty());
        EXPECT_EQ(fileBytes(exported), fileBytes(rendered));
    }
    // The second page is not the first: the comparison above tells them apart.
    const QString firstPage = folder.filePath("first.png");
    render(design, firstPage, printer);
    EXPECT_NE(fileBytes(firstPage), fileBytes(folder.filePath("verb-shown.png")));
}

} // namespace

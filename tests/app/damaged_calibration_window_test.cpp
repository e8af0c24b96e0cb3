// The window says in its status bar when the printer's own calibration is damaged and the
// common one is used instead: at start and when another printer is chosen.
#include "app/scripted_dialogs.h"
#include "app/ui/main_form.h"
#include "app/ui/progress_status_bar.h"
#include "printing/application.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "support/succeeds.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(DamagedCalibrationWindow, TheStatusBarNamesTheDamagedFileOfTheCurrentPrinter) {
    const QString first = QPrinterInfo::defaultPrinterName();
    const QString second = QStringLiteral("LineavoSecondPdf");
    if (first.isEmpty() || first == second || QPrinterInfo::printerInfo(second).isNull())
        GTEST_SKIP() << "needs the print server's two PDF queues: run scripts/start-cups.sh";
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("printers"));
    const auto damage = [&](const QString& queue) {
        QFile file(dir.filePath("printers/" + queue + ".dat"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, '\0'));
        return file.fileName();
    };
    const QString firstFile = damage(first);
    const QString secondFile = damage(second);

    Application app{dir.filePath("options.dat"), dir.filePath("printers")};
    ScriptedDialogs dialogs;
    auto window = std::make_unique<TMainForm>(app, dialogs);
    const ProgressStatusBar* bar = window->progressStatusBar();
    EXPECT_TRUE(bar->currentMessage().contains(firstFile)) << bar->currentMessage().toStdString();

    ASSERT_SUCCEEDS(app.printer.selectPrinter(second));
    app.followPrinterCalibration();
    EXPECT_TRUE(bar->currentMessage().contains(secondFile)) << bar->currentMessage().toStdString();
    EXPECT_FALSE(app.calibration.isPrintersOwn());

    dialogs.quitAnswer = true;
    window.reset();
}

} // namespace

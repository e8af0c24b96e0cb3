#include "app/ui/qt_user_dialogs.h"

#include "app/ui/document_questions.h"
#include "app/ui/file_dialog.h"
#include "app/ui/quit_question.h"
#include "printing/ui/calibration_dialog.h"
#include "printing/ui/print_dialog.h"
#include "printing/ui/printer_setup_dialog.h"
#include "settings/ui/free_text_font_dialog.h"
#include "viewer/ui/print_form.h"
#include "viewer/ui/view_pic_form.h"
#include "widgets/program_title.h"

#include <QColorDialog>
#include <QMessageBox>

namespace {

std::optional<ChosenFile> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                        QFileDialog::AcceptMode mode) {
    const std::unique_ptr<QFileDialog> dialog = makeFileDialog(parent, request, mode);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenFile{dialog->selectedFiles().constFirst(), dialog->selectedNameFilter()};
}

} // namespace

std::optional<QString> QtUserDialogs::openFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    if (auto chosen = runFileDialog(parent, request, QFileDialog::AcceptOpen))
        return chosen->name;
    return std::nullopt;
}

std::optional<ChosenFile> QtUserDialogs::saveFileName(QWidget* parent,
                                                      const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

bool QtUserDialogs::confirmReplace(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, ReplaceQuestion::text(fileName),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<FreeTextFont> QtUserDialogs::chooseFont(QWidget* parent, const FreeTextFont& font) {
    FreeTextFontDialog dialog(
        font, [this](QWidget* owner, ColorValue current) { return chooseColor(owner, current); },
        parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenFont();
}

std::optional<ColorValue> QtUserDialogs::chooseColor(QWidget* parent, ColorValue current) {
    const QColor chosen = QColorDialog::getColor(QColor(colorValueToRgb(current)), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colorValueFromRgb(chosen.red(), chosen.green(), chosen.blue());
}

bool QtUserDialogs::confirmQuit(QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QuitQuestion::title, QuitQuestion::text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

UnsavedChanges QtUserDialogs::askToSaveChanges(QWidget* parent, const QString& documentName) {
    QMessageBox box(QMessageBox::Warning, kProgramTitle, SaveChangesQuestion::text(documentName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChanges::Save;
    case QMessageBox::Discard:
        return UnsavedChanges::Discard;
    default:
        return UnsavedChanges::Cancel; // Cancel, Escape or the close box
    }
}

bool QtUserDialogs::choosePrinterAndCopies(QWidget* parent, QPrinter& printer, int& pagesPerCopy) {
    const std::optional<int> pages = runPrintDialog(printer, parent, pagesPerCopy);
    if (pages)
        pagesPerCopy = *pages;
    return pages.has_value();
}

void QtUserDialogs::setUpPrinter(QWidget* parent, QPrinter& printer) {
    runPrinterSetupDialog(printer, parent);
}

void QtUserDialogs::runCalibration(TKalForm& dialog) {
    dialog.exec();
}

void QtUserDialogs::runPictureViewer(TViewPicForm& viewer) {
    viewer.exec();
}

bool QtUserDialogs::runPicturePrint(TPrintForm& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::showInfoMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

void QtUserDialogs::showErrorBox(QWidget* parent, const QString& sentence) {
    QMessageBox box(QMessageBox::Critical, kProgramTitle, sentence, QMessageBox::Ok, parent);
    box.exec();
}

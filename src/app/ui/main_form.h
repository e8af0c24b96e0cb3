#pragma once

#include "app/ui/pages.h"
#include "picture/picture_record.h"
#include "settings/setting_table.h"

#include <QMainWindow>

#include <functional>

class Application;
class DocumentCommands;
class PaperSettings;
class PictureLoader;
class PreviewPane;
class PrintCommands;
class ProgressStatusBar;
class QSessionManager;
class QTabWidget;
class TKalForm;
class TViewPicForm;
class UserDialogs;

// The main window: the document commands above, the six pages of settings, the web, about
// and end buttons below, and the status bar with the progress of picture loading. A design file
// dropped on it opens; a picture file dropped on a picture's page names that page's picture.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // `app` must outlive the window: its controls are bound to the models there.
    TMainForm(Application& app, UserDialogs& dialogs, QWidget* parent = nullptr);

    DocumentCommands& documentCommands() { return *m_commands; }
    PictureLoader& pictureLoader() { return *m_pictures; }
    PreviewPane& preview() { return *m_preview; }
    TKalForm& calibrationDialog() { return *m_calibrationDialog; }

    QAbstractButton* printButton() const { return m_print.printButton; }
    QAbstractButton* setupButton() const { return m_print.setupButton; }
    QAbstractButton* calibrateButton() const { return m_print.calibrateButton; }
    // Empty, with a layout, for the preview pane.
    QWidget* previewArea() const { return m_print.previewArea; }
    QTabWidget* pages() const { return m_pages; }
    ProgressStatusBar* progressStatusBar() const { return m_statusBar; }
    QAbstractButton* picturePreviewButton() const { return m_picturePreview; }
    QAbstractButton* texturePreviewButton() const { return m_texturePreview; }

  public slots:
    // Progress of reading a picture, in percent.
    void WMUser(int percent);

  signals:
    // A preview button was pressed: the picture viewer is to show a copy of `picture` (the
    // texture as filtered) under the name `fileName`.
    void previewRequested(const PictureRecord& picture, const QString& fileName);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QWidget* buildToolStrip();
    QWidget* buildBottomStrip();
    void connectPrintPage(Application& app, UserDialogs& dialogs);
    void connectPreviewButton(QAbstractButton* button, Setting fileName, Application& app);
    void ueberbtnClick();
    // "paper.lvo* - " and the program's title: the document and whether it has unsaved changes.
    void showDocumentInTitle();
    void commitData(QSessionManager& manager);
    // What dropping the dragged data at `position` does; empty where it does nothing.
    std::function<void()> dropAction(const QDropEvent& event) const;

    PaperSettings& m_settings;
    PictureLoader* m_pictures;
    DocumentCommands* m_commands;
    PrintPageControls m_print;
    QAbstractButton* m_picturePreview = nullptr;
    QAbstractButton* m_texturePreview = nullptr;
    PreviewPane* m_preview = nullptr;
    TKalForm* m_calibrationDialog = nullptr;
    TViewPicForm* m_viewer = nullptr;
    PrintCommands* m_printing = nullptr;
    QTabWidget* m_pages = nullptr;
    ProgressStatusBar* m_statusBar = nullptr;
    // The desktop session already had its answer: closing asks nothing more.
    bool m_quitConfirmed = false;
};

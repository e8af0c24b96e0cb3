#include "app/ui/file_dialog.h"

#include <QHeaderView>
#include <QTreeView>

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, QString(), request.startPath, request.filter);
    // The toolkit's dialog, whose columns can be sized, wherever the desktop has one of its own.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setAcceptMode(mode);
    // Opening a name that does not exist is allowed; the open itself reports it.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(request.defaultSuffix);
    // Whoever saves asks before replacing a file, once, after the suffix is added.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    if (auto* details = dialog->findChild<QTreeView*>()) {
        // The name takes what the size, the type and the date leave.
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    return dialog;
}

#include "widgets/fixed_size_dialog.h"

#include <QDialog>

void fixDialogSize(QDialog& dialog, QSize size) {
    dialog.setFixedSize(size);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
}

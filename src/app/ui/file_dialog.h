#pragma once

#include "widgets/user_dialogs.h"

#include <QFileDialog>

#include <memory>

// The toolkit's own file dialog, set up for a request: a name to open need not exist, a name to
// save to is taken without a question (the command that saves asks, through the dialogs tests
// can answer), and the size, type and date of each file are shown whole.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode);

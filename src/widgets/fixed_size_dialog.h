#pragma once

#include <QSize>

class QDialog;

// Gives a dialog one size for good: the desktop offers to move and close it, but neither to
// resize, minimise nor maximise it.
void fixDialogSize(QDialog& dialog, QSize size);

#pragma once

#include <QStringList>

class QTextStream;

// The verb "calibrate": shows, sets or removes a printer's own calibration.
int runCalibrateCommand(const QStringList& words, QTextStream& out, QTextStream& err);

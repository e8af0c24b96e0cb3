#pragma once

#include "support/test_time.h"

#include <QString>
#include <QStringList>

// The real program run under time(1), for tests of the memory a whole process takes.
struct MeasuredRun {
    int exitCode = -1;         // -1 when it did not finish normally in time
    qint64 peakKilobytes = -1; // its peak resident size; -1 when time(1) did not report it
    QString standardError;     // the program's own, and time(1)'s report on the last line
};

MeasuredRun runMeasured(const QStringList& arguments,
                        int timeoutMilliseconds = waitMilliseconds(120000));

// Under AddressSanitizer its shadow memory and quarantine would be counted as the program's.
inline constexpr bool kMemoryIsSanitized = kCodeIsSanitized;

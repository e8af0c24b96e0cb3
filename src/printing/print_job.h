#pragma once

#include "base/failure.h"
#include "output/page_to_draw.h"

#include <QSize>
#include <QString>

class CurrentPrinter;

inline constexpr const char* kPageJobTitle = "Lineavo";
inline constexpr const char* kTestJobTitle = "Test printing";

// Prints the page `first` as the job "Lineavo": `pagesPerCopy` numbered pages per copy in one
// document, each drawn afresh and sent before the next. The page is what a file output takes,
// at the current printer's scale: printScale(printer.page(), calibration). Returns what went
// wrong, if anything did.
Failure printDesign(CurrentPrinter& printer, const PageToDraw& first, int copies,
                    int pagesPerCopy = 1);

// The calibration's test rectangle: a nominal 100 mm on each side, in device pixels.
QSize testRectangleSize(int dotsPerInchX, int dotsPerInchY);

// Prints the test rectangle at the top-left corner of the printable area, silver with a
// solid black one-pixel outline, as the job "Test printing".
Failure printTestRectangle(CurrentPrinter& printer);

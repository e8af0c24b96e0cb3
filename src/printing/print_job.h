#pragma once

#include "page/draw_page.h"
#include "render/device_scales.h"

#include <QSize>
#include <QString>

#include <optional>

class CurrentPrinter;
class PaperSettings;

inline constexpr const char* kPageJobTitle = "Lineavo";
inline constexpr const char* kTestJobTitle = "Test printing";

// Prints the design as the job "Lineavo": `pagesPerCopy` numbered pages per copy in one
// document, each drawn afresh at the printer's scale and sent before the next. Returns what
// went wrong, if anything did.
std::optional<QString> printDesign(CurrentPrinter& printer, const PaperSettings& settings,
                                   const PageCalibration& calibration, int copies,
                                   const PageLayers& layers = PageLayers(), int pagesPerCopy = 1);

// The calibration's test rectangle: a nominal 100 mm on each side, in device pixels.
QSize testRectangleSize(int dotsPerInchX, int dotsPerInchY);

// Prints the test rectangle at the top-left corner of the printable area, silver with a
// solid black one-pixel outline, as the job "Test printing".
std::optional<QString> printTestRectangle(CurrentPrinter& printer);

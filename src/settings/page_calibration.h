#pragma once

#include "settings/units.h"

// What the printer calibration changes in a page: the millimetres per inch on each axis and,
// for the print, how far right of the paper's left edge, and below its top edge, the printer's
// drawing begins. Only a printer's own calibration knows the top distance; the common one
// leaves it at 0.
struct PageCalibration {
    double MmPerInchX = BaseMmPerInch;
    double MmPerInchY = BaseMmPerInch;
    double LeftOffsetMm = 0;
    double TopOffsetMm = 0;
};

#pragma once

#include "settings/units.h"

#include <optional>

// How one drawing turns millimetres and points into device pixels. The preview has a zoom;
// the print has none (not even a factor of 100 %), which changes the order of operations
// and so, through truncation, the pixels.
struct PageScale {
    int SurfaceWidth = 0;
    int SurfaceHeight = 0;
    int DotsPerInch = 0;               // horizontal; serves the vertical axis too
    std::optional<double> ZoomPercent; // the preview's zoom; empty for the print
    double MmPerInchX = BaseMmPerInch;
    double MmPerInchY = BaseMmPerInch;
    double LeftOffsetMm = 0;
    double TopOffsetMm = 0;

    // Whether lengths grow into pixels at all: a resolution, millimetres per inch and a zoom
    // that are positive and finite. Nothing else can be drawn.
    bool isDrawable() const;

    int MmToX(double mm) const;
    int MmToY(double mm) const;
    int PointsToPixels(double points) const;
    // Positions in pixels that are not truncated, for lines that are neither horizontal nor
    // vertical: they pass between pixel centres wherever their millimetres put them.
    double MmToExactX(double mm) const;
    double MmToExactY(double mm) const;
};

// Trunc toward zero, kept inside the range of int so that absurd lengths cannot overflow.
int truncToPixels(double value);

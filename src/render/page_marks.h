#pragma once

#include "render/page_scale.h"
#include "settings/color_value.h"

#include <QRgb>

class Surface;

// What the ruling of a page is made of, in page millimetres and points, before any rounding
// to device pixels: a vector output can draw the same marks exactly, and the raster outputs
// turn them into pixels in one place.

// A position along one axis: millimetres from the surface's left (or top) side, or, for a
// mark anchored at the far side, from its right (or bottom) side. The page's far sides lie
// at 0 mm from them.
struct MarkCoordinate {
    double mm = 0;
    bool fromFarSide = false;
};

struct MarkPen {
    ColorValue colour = 0;
    double widthPoints = 0; // a line's width, a dot's diameter
};

// A horizontal or vertical line from its start to its end, the end itself not drawn. A dashed
// line has runs of `dashMm` and gaps of `gapMm` from its start, the last run cut at its end.
struct LineMark {
    MarkCoordinate x1, y1, x2, y2;
    MarkPen pen;
    double dashMm = 0; // 0: solid
    double gapMm = 0;
};

// The part of a page a mark may reach: columns from `left` up to `right`, rows from `top` up to
// `bottom`, the far ones not included, each taken in pixels as a line's ends are.
struct MarkArea {
    MarkCoordinate left, top, right, bottom;
};

// A straight line that is neither horizontal nor vertical, from its start to its end (both
// given from the page's top-left corner), of which only what lies in `area` is drawn. Its ends
// are not rounded to pixels. A dashed one has runs and gaps along its length from its start.
struct SlantedLineMark {
    double x1, y1, x2, y2;
    MarkArea area;
    MarkPen pen;
    double dashMm = 0; // 0: solid
    double gapMm = 0;
};

struct DotMark {
    MarkCoordinate x, y;
    MarkPen pen;
    bool round = false;
};

// The line of a circle around (x, y), given from the page's top-left corner and not rounded to
// pixels. It is round on paper: where the calibration scales the two axes differently, it is
// an ellipse in pixels and in points.
struct CircleMark {
    double x, y;
    double radiusMm;
    MarkPen pen;
};

// Receives the marks one at a time, in drawing order, so that no page needs to hold its
// millions of dots.
class MarkSink {
  public:
    virtual ~MarkSink() = default;
    virtual void line(const LineMark& mark) = 0;
    virtual void slantedLine(const SlantedLineMark& mark) = 0;
    virtual void dot(const DotMark& mark) = 0;
    virtual void circle(const CircleMark& mark) = 0;
};

// A coordinate in device pixels of `scale`, truncated as every length of the page is.
int pixelX(const PageScale& scale, MarkCoordinate x);
int pixelY(const PageScale& scale, MarkCoordinate y);

// Draws the marks on a surface, in its pen mode, each line and dot its own drawing operation.
class SurfaceMarks : public MarkSink {
  public:
    SurfaceMarks(Surface& surface, const PageScale& scale) : m_surface(surface), m_scale(scale) {}

    void line(const LineMark& mark) override;
    void slantedLine(const SlantedLineMark& mark) override;
    void dot(const DotMark& mark) override;
    void circle(const CircleMark& mark) override;

  private:
    // The pen in pixels; a dot grid asks for the same two pens millions of times.
    QRgb colourOf(ColorValue colour);
    int widthOf(double points);

    Surface& m_surface;
    const PageScale& m_scale;
    ColorValue m_colour = 0;
    QRgb m_rgb = 0;
    bool m_hasColour = false;
    double m_points = 0;
    int m_width = 0;
    bool m_hasWidth = false;
};

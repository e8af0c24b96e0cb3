#include "render/draw_page.h"

#include "render/paper_rulings.h"
#include "settings/page_design.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;

struct Edges {
    double leftMm;
    double rightMm;
    // False: rightMm is a width measured from the surface's right side. True: the grid has
    // snapped it, and it is a position measured from the left side.
    bool rightFromLeft;
};

int rightEdgeX(const Edges& edges, const PageScale& scale) {
    return edges.rightFromLeft ? scale.MmToX(edges.rightMm)
                               : scale.SurfaceWidth - scale.MmToX(edges.rightMm);
}

// Moves the edges of a gridded paper onto grid lines: the left edge to the first grid
// position at or right of where it was, the right edge to the last one at or left of it.
// Grid positions lie at -D/2 + k*D millimetres, reached by a running sum as the ruling
// reaches them, so that edges and grid lines agree to the pixel. Returns the step of the sum
// that lies on the left edge, or, with no grid position between the edges, the first step at
// or right of it.
int snapEdgesToGrid(Edges& edges, const PageScale& scale, double spacing) {
    const int xL = scale.MmToX(edges.leftMm);
    const int xR = scale.SurfaceWidth - scale.MmToX(edges.rightMm);
    double e = -spacing / 2;
    int x = scale.MmToX(e);
    bool firstFound = true;
    int step = 0;
    int leftStep = 0;
    while (x <= xR) {
        if (x >= xL) {
            if (firstFound) {
                edges.leftMm = e;
                leftStep = step;
                firstFound = false;
            }
            if (scale.MmToX(e + spacing) > xR)
                edges.rightMm = e;
        }
        e += spacing;
        x = scale.MmToX(e);
        ++step;
    }
    edges.rightFromLeft = true;
    if (firstFound) {
        for (leftStep = step; x < xL; ++leftStep) {
            e += spacing;
            x = scale.MmToX(e);
        }
    }
    return leftStep;
}

void drawEdgeLine(Surface& surface, const PageScale& scale, const PageDesign& design, int x) {
    surface.setPenColor(colorValueToRgb(design.edgeLineColour));
    surface.setPenWidth(scale.PointsToPixels(design.edgeLineWidthPoints));
    surface.moveTo(x, 0);
    surface.lineTo(x, scale.SurfaceHeight);
}

} // namespace

void DrawPage(Surface& surface, const PageScale& scale, const PageDesign& design,
              const PageLayers& layers) {
    const int width = scale.SurfaceWidth;
    const int height = scale.SurfaceHeight;

    surface.setBrushColor(kWhite);
    surface.setPenColor(kWhite);
    surface.setPenMode(PenMode::Copy);
    if (scale.ZoomPercent) // a printer page starts blank; the preview box must be cleared
        surface.rectangle(0, 0, width, height);
    if (!scale.isDrawable())
        return;

    surface.setPenMode(layers.drawBackground(surface, scale, design));

    Edges edges{design.leftEdgeMm - scale.LeftOffsetMm, design.rightEdgeMm - scale.LeftOffsetMm,
                false};
    RulingSpan span;
    if (describe(design.kind).snapsToGrid)
        span.leftColumnStep = snapEdgesToGrid(edges, scale, design.gridSpacingMm);

    span.fillLeft = design.noFillLeftOfEdge ? scale.MmToX(edges.leftMm) : 0;
    span.fillRight = design.noFillRightOfEdge ? rightEdgeX(edges, scale) : width;

    rulingOf(design.kind)(surface, scale, design, span);

    if (design.leftEdgeLine)
        drawEdgeLine(surface, scale, design, scale.MmToX(edges.leftMm));
    if (design.rightEdgeLine)
        drawEdgeLine(surface, scale, design, rightEdgeX(edges, scale));

    layers.drawForeground(surface, scale, design, scale.MmToX(edges.leftMm));
}

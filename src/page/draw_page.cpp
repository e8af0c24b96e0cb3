#include "page/draw_page.h"

#include "page/notebook_page.h"
#include "page/punch_holes.h"
#include "render/check_ruler.h"
#include "render/paper_rulings.h"
#include "render/sheet_distances.h"
#include "settings/page_design.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;

// The right edge is a width measured from the surface's right side until the grid snaps it;
// then it is a position measured from the left side.
struct Edges {
    MarkCoordinate left;
    MarkCoordinate right;
};

// Moves the edges of a gridded paper onto grid lines: the left edge to the first grid
// position at or right of where it was, the right edge to the last one at or left of it.
// Grid positions lie at -D/2 + k*D millimetres, reached by a running sum as the ruling
// reaches them, so that edges and grid lines agree to the pixel. Returns the step of the sum
// that lies on the left edge, or, with no grid position between the edges, the first step at
// or right of it.
int snapEdgesToGrid(Edges& edges, const PageScale& scale, double spacing) {
    const int xL = pixelX(scale, edges.left);
    const int xR = pixelX(scale, edges.right);
    double e = -spacing / 2;
    int x = scale.MmToX(e);
    bool firstFound = true;
    int step = 0;
    int leftStep = 0;
    while (x <= xR) {
        if (x >= xL) {
            if (firstFound) {
                edges.left.mm = e;
                leftStep = step;
                firstFound = false;
            }
            if (scale.MmToX(e + spacing) > xR)
                edges.right.mm = e;
        }
        e += spacing;
        x = scale.MmToX(e);
        ++step;
    }
    edges.right.fromFarSide = false;
    if (firstFound) {
        for (leftStep = step; x < xL; ++leftStep) {
            e += spacing;
            x = scale.MmToX(e);
        }
    }
    return leftStep;
}

} // namespace

MarkCoordinate markPage(MarkSink& marks, const PageScale& scale, const PageDesign& asDesigned) {
    const PageDesign design = withTopDistance(asDesigned, scale);
    Edges edges{{design.leftEdgeMm - scale.LeftOffsetMm},
                {design.rightEdgeMm - scale.LeftOffsetMm, true}};
    RulingSpan span;
    if (describe(design.kind).snapsToGrid)
        span.leftColumnStep = snapEdgesToGrid(edges, scale, design.gridSpacingMm);

    span.leftEdge = edges.left;
    if (design.noFillLeftOfEdge)
        span.fillLeft = edges.left;
    if (design.noFillRightOfEdge)
        span.fillRight = edges.right;

    rulingOf(design.kind)(marks, scale, design, span);

    const MarkPen edgePen{design.edgeLineColour, design.edgeLineWidthPoints};
    if (design.leftEdgeLine)
        marks.line(lineDown(edges.left, edgePen));
    if (design.rightEdgeLine)
        marks.line(lineDown(edges.right, edgePen));
    markPunchHoles(marks, scale, design);
    if (design.checkRuler)
        markCheckRuler(marks, scale, design);
    return edges.left;
}

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

    SurfaceMarks marks(surface, scale);
    const PageDesign page = designOfPage(design);
    const MarkCoordinate leftEdge = markPage(marks, scale, page);

    layers.drawForeground(surface, scale, page, pixelX(scale, leftEdge));
}

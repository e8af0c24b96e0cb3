#include "render/draw_page.h"

#include "settings/paper_settings.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;

// A length as its field will hold it once it is left. While the user types, a field may read
// "-5" or "0"; drawn with such a spacing, the ruling would never reach the page's end.
double lengthOf(const RealField& field) {
    return field.clamp(field.value());
}

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

// Moves the edges of checkered paper onto grid lines: the left edge to the first grid
// position at or right of where it was, the right edge to the last one at or left of it.
// Grid positions lie at -D/2 + k*D millimetres, reached by a running sum as the ruling
// reaches them, so that edges and grid lines agree to the pixel.
void snapEdgesToGrid(Edges& edges, const PageScale& scale, double spacing) {
    const int xL = scale.MmToX(edges.leftMm);
    const int xR = scale.SurfaceWidth - scale.MmToX(edges.rightMm);
    double e = -spacing / 2;
    int x = scale.MmToX(e);
    bool firstFound = true;
    while (x <= xR) {
        if (x >= xL) {
            if (firstFound) {
                edges.leftMm = e;
                firstFound = false;
            }
            if (scale.MmToX(e + spacing) > xR)
                edges.rightMm = e;
        }
        e += spacing;
        x = scale.MmToX(e);
    }
    edges.rightFromLeft = true;
}

void drawRuledLines(Surface& surface, const PageScale& scale, const PaperSettings& settings,
                    int fillLeft, int fillRight) {
    const double spacing = lengthOf(settings.field(Setting::LineSpaceEd));
    double e = lengthOf(settings.field(Setting::BorderTopEd)) * 10 - spacing / 2;
    if (settings.flag(Setting::WithoutFirstLineCheck))
        e += 2 * spacing; // both lines around the top edge go
    const bool withoutLastLine = settings.flag(Setting::WithoutLastLineCheck);
    const int ruleBottom =
        scale.SurfaceHeight - scale.MmToY(lengthOf(settings.field(Setting::BorderBottomEd)) * 10);
    int y = scale.MmToY(e);
    while (y < ruleBottom) {
        if (withoutLastLine && scale.MmToY(e + spacing) >= ruleBottom)
            break;
        surface.moveTo(fillLeft, y);
        surface.lineTo(fillRight, y);
        e += spacing;
        y = scale.MmToY(e);
    }
}

void drawGrid(Surface& surface, const PageScale& scale, const PaperSettings& settings, int fillLeft,
              int fillRight) {
    const double spacing = lengthOf(settings.field(Setting::CaretSpaceED));
    const int height = scale.SurfaceHeight;
    double e = -spacing / 2;
    for (int y = scale.MmToY(e); y < height; y = scale.MmToY(e)) {
        surface.moveTo(fillLeft, y);
        surface.lineTo(fillRight, y);
        e += spacing;
    }
    e = -spacing / 2;
    for (int x = scale.MmToX(e); x < fillRight; x = scale.MmToX(e)) {
        if (x > fillLeft) {
            surface.moveTo(x, 0);
            surface.lineTo(x, height);
        }
        e += spacing;
    }
}

void drawEdgeLine(Surface& surface, const PageScale& scale, const PaperSettings& settings, int x) {
    surface.setPenColor(colorValueToRgb(settings.colour(Setting::ColvarColorComboBox3)));
    surface.setPenWidth(scale.PointsToPixels(lengthOf(settings.field(Setting::RRLineWidthED))));
    surface.moveTo(x, 0);
    surface.lineTo(x, scale.SurfaceHeight);
}

} // namespace

void DrawPage(Surface& surface, const PageScale& scale, const PaperSettings& settings,
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

    surface.setPenMode(layers.drawBackground(surface, scale, settings));

    Edges edges{lengthOf(settings.field(Setting::LeftBorderEd)) * 10 - scale.LeftOffsetMm,
                lengthOf(settings.field(Setting::RightBorderEd)) * 10 - scale.LeftOffsetMm, false};
    const bool checkered = settings.paperKind() == PaperKind::KariertCheck;
    if (checkered)
        snapEdgesToGrid(edges, scale, lengthOf(settings.field(Setting::CaretSpaceED)));

    const int fillLeft =
        settings.flag(Setting::NoLeftBorderFillCheck) ? scale.MmToX(edges.leftMm) : 0;
    const int fillRight =
        settings.flag(Setting::NoRightBorderFillCheck) ? rightEdgeX(edges, scale) : width;

    surface.setPenColor(colorValueToRgb(settings.colour(Setting::ColvarColorComboBox1)));
    surface.setPenWidth(scale.PointsToPixels(lengthOf(settings.field(Setting::LineWidthEd))));
    if (checkered)
        drawGrid(surface, scale, settings, fillLeft, fillRight);
    else
        drawRuledLines(surface, scale, settings, fillLeft, fillRight);

    if (settings.flag(Setting::LeftBorderLineCheck))
        drawEdgeLine(surface, scale, settings, scale.MmToX(edges.leftMm));
    if (settings.flag(Setting::RightBorderLineCheck))
        drawEdgeLine(surface, scale, settings, rightEdgeX(edges, scale));

    layers.drawForeground(surface, scale, settings, scale.MmToX(edges.leftMm));
}

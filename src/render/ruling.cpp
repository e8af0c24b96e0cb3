#include "render/ruling.h"

#include "settings/paper_settings.h"

#include <vector>

namespace {

struct Pen {
    QRgb colour;
    int width;
};

Pen penOf(const PageScale& scale, const PaperSettings& s, Setting colour, Setting width) {
    return {colorValueToRgb(s.colour(colour)), scale.PointsToPixels(lengthOf(s.field(width)))};
}

void use(Surface& surface, const Pen& pen) {
    surface.setPenColor(pen.colour);
    surface.setPenWidth(pen.width);
}

void line(Surface& surface, int x1, int y1, int x2, int y2) {
    surface.moveTo(x1, y1);
    surface.lineTo(x2, y2);
}

// Every N-th row and column of a grid is bold, counted from index 0; N = 0 makes none bold.
struct MajorRule {
    int every;
    bool isMajor(int index) const { return every > 0 && index % every == 0; }
};

MajorRule majorRule(const PaperSettings& s) {
    return {int(lengthOf(s.field(Setting::MajorEveryEd)))};
}

// A horizontal line that may be dashed from its left end: runs of 2 mm, gaps of 1 mm, the
// last run cut where the line ends. Runs under a pixel would vanish, so the line is solid.
void guideLine(Surface& surface, const PageScale& scale, int left, int right, int y, bool dashed) {
    const int run = scale.MmToX(2);
    const int gap = scale.MmToX(1);
    if (!dashed || run < 1 || right <= left) {
        line(surface, left, y, right, y);
        return;
    }
    for (qint64 x = left; x < right; x += qint64(run) + gap)
        line(surface, int(x), y, int(std::min<qint64>(x + run, right)), y);
}

// The rows of a grid: positions -D/2 + k*D from the top down to the surface's end, each with
// its index counted from the first row at or below the top.
template <typename Row> void forEachGridRow(const PageScale& scale, double spacing, Row row) {
    double e = -spacing / 2;
    int firstVisible = 0;
    for (double f = e; scale.MmToY(f) < 0; f += spacing)
        ++firstVisible;
    for (int k = 0, y = scale.MmToY(e); y < scale.SurfaceHeight; y = scale.MmToY(e), ++k) {
        row(y, k - firstVisible);
        e += spacing;
    }
}

// The columns of a grid strictly between the fill's ends, with their indexes counted from the
// left edge's column.
std::vector<std::pair<int, int>> gridColumns(const PageScale& scale, double spacing,
                                             const RulingSpan& span) {
    std::vector<std::pair<int, int>> columns;
    double e = -spacing / 2;
    for (int k = 0, x = scale.MmToX(e); x < span.fillRight; x = scale.MmToX(e), ++k) {
        if (x > span.fillLeft)
            columns.emplace_back(x, k - span.leftColumnStep);
        e += spacing;
    }
    return columns;
}

} // namespace

double lengthOf(const RealField& field) {
    return field.clamp(field.value());
}

void drawRuledLines(Surface& surface, const PageScale& scale, const PaperSettings& settings,
                    const RulingSpan& span) {
    const Pen ruling = penOf(scale, settings, Setting::ColvarColorComboBox1, Setting::LineWidthEd);
    const Pen guide = penOf(scale, settings, Setting::GuideColor, Setting::GuideWidthEd);
    const bool dashed = settings.flag(Setting::GuideDashedCheck);
    std::vector<double> guides;
    for (Setting g : {Setting::Guide1Ed, Setting::Guide2Ed, Setting::Guide3Ed, Setting::Guide4Ed}) {
        if (const double offset = lengthOf(settings.field(g)); offset != 0)
            guides.push_back(offset);
    }

    const double spacing = lengthOf(settings.field(Setting::LineSpaceEd));
    double e = lengthOf(settings.field(Setting::BorderTopEd)) * 10 - spacing / 2;
    if (settings.flag(Setting::WithoutFirstLineCheck))
        e += 2 * spacing; // both lines around the top edge go
    const bool withoutLastLine = settings.flag(Setting::WithoutLastLineCheck);
    const int ruleBottom =
        scale.SurfaceHeight - scale.MmToY(lengthOf(settings.field(Setting::BorderBottomEd)) * 10);
    use(surface, ruling);
    int y = scale.MmToY(e);
    while (y < ruleBottom) {
        if (withoutLastLine && scale.MmToY(e + spacing) >= ruleBottom)
            break;
        line(surface, span.fillLeft, y, span.fillRight, y);
        if (!guides.empty()) {
            use(surface, guide);
            for (double offset : guides)
                guideLine(surface, scale, span.fillLeft, span.fillRight, scale.MmToY(e - offset),
                          dashed);
            use(surface, ruling);
        }
        e += spacing;
        y = scale.MmToY(e);
    }
}

void drawGrid(Surface& surface, const PageScale& scale, const PaperSettings& settings,
              const RulingSpan& span) {
    const Pen ordinary =
        penOf(scale, settings, Setting::ColvarColorComboBox1, Setting::LineWidthEd);
    const Pen bold = penOf(scale, settings, Setting::MajorColor, Setting::MajorWidthEd);
    const MajorRule major = majorRule(settings);
    const double spacing = lengthOf(settings.field(Setting::CaretSpaceED));
    forEachGridRow(scale, spacing, [&](int y, int index) {
        use(surface, major.isMajor(index) ? bold : ordinary);
        line(surface, span.fillLeft, y, span.fillRight, y);
    });
    for (const auto& [x, index] : gridColumns(scale, spacing, span)) {
        use(surface, major.isMajor(index) ? bold : ordinary);
        line(surface, x, 0, x, scale.SurfaceHeight);
    }
}

void drawDotGrid(Surface& surface, const PageScale& scale, const PaperSettings& settings,
                 const RulingSpan& span) {
    const Pen ordinary = penOf(scale, settings, Setting::ColvarColorComboBox1, Setting::DotSizeEd);
    const Pen bold = penOf(scale, settings, Setting::MajorColor, Setting::MajorDotSizeEd);
    const bool round = settings.flag(Setting::DotRoundCheck);
    const MajorRule major = majorRule(settings);
    const double spacing = lengthOf(settings.field(Setting::CaretSpaceED));
    const auto columns = gridColumns(scale, spacing, span);
    forEachGridRow(scale, spacing, [&](int y, int rowIndex) {
        for (const auto& [x, columnIndex] : columns) {
            const Pen& pen =
                major.isMajor(rowIndex) && major.isMajor(columnIndex) ? bold : ordinary;
            surface.setPenColor(pen.colour);
            surface.dot(x, y, pen.width, round);
        }
    });
}

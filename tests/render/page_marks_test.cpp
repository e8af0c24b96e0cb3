#include "render/paper_rulings.h"

#include "settings/page_design.h"
#include "settings/paper_settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every mark as its numbers, in the order given.
class RecordedMarks : public MarkSink {
  public:
    using Numbers = std::vector<double>;
    std::vector<Numbers> marks;

    void line(const LineMark& m) override {
        marks.push_back({m.x1.mm, double(m.x1.fromFarSide), m.y1.mm, double(m.y1.fromFarSide),
                         m.x2.mm, double(m.x2.fromFarSide), m.y2.mm, double(m.y2.fromFarSide),
                         double(m.pen.colour), m.pen.widthPoints, m.dashMm, m.gapMm});
    }
    void slantedLine(const SlantedLineMark& m) override {
        const MarkArea& a = m.area;
        marks.push_back({m.x1, m.y1, m.x2, m.y2, a.left.mm, double(a.left.fromFarSide), a.top.mm,
                         double(a.top.fromFarSide), a.right.mm, double(a.right.fromFarSide),
                         a.bottom.mm, double(a.bottom.fromFarSide), double(m.pen.colour),
                         m.pen.widthPoints, m.dashMm, m.gapMm});
    }
    void dot(const DotMark& m) override {
        marks.push_back({m.x.mm, double(m.x.fromFarSide), m.y.mm, double(m.y.fromFarSide),
                         double(m.pen.colour), m.pen.widthPoints, double(m.round)});
    }
    void circle(const CircleMark& m) override {
        marks.push_back({m.x, m.y, m.radiusMm, double(m.pen.colour), m.pen.widthPoints});
    }
};

RecordedMarks marksOf(const PageDesign& design, int dotsPerInch) {
    // An A4 page, whose millimetres lie well away from its last pixels at both resolutions.
    PageScale scale;
    scale.DotsPerInch = dotsPerInch;
    scale.SurfaceWidth = 210 * dotsPerInch * 10 / 254;
    scale.SurfaceHeight = 297 * dotsPerInch * 10 / 254;
    RulingSpan span;
    span.fillRight = {25, true};
    RecordedMarks recorded;
    rulingOf(design.kind)(recorded, scale, design, span);
    return recorded;
}

// The marks of a page are the design's millimetres and points, not pixels rounded back: the
// same page at two resolutions gives the same marks.
TEST(PageMarks, OfEveryKindAreTheSameAtEveryResolution) {
    for (const PaperKindDescription& kind : paperKinds()) {
        PaperSettings settings;
        settings.setPaperKind(kind.kind);
        settings.field(Setting::MajorEveryEd).setValue(3);
        settings.field(Setting::Guide1Ed).setValue(2.3);
        settings.setFlag(Setting::GuideDashedCheck, true);
        const PageDesign design = pageDesignOf(settings);
        const RecordedMarks coarse = marksOf(design, 150);
        EXPECT_FALSE(coarse.marks.empty()) << kind.controlName;
        EXPECT_EQ(coarse.marks, marksOf(design, 600).marks) << kind.controlName;
    }
}

} // namespace

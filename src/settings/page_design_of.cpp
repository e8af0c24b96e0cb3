#include "settings/paper_settings.h"

namespace {

// A field's value as the field will hold it once it is left.
double heldValue(const PaperSettings& settings, Setting setting) {
    const RealField& field = settings.field(setting);
    return field.clamp(field.value());
}

// The centimetre fields in millimetres, multiplied as the pixels of stored designs need.
double heldCentimetresInMm(const PaperSettings& settings, Setting setting) {
    return heldValue(settings, setting) * 10;
}

} // namespace

PageDesign pageDesignOf(const PaperSettings& s) {
    PageDesign d;
    d.kind = s.paperKind();

    d.lineSpacingMm = heldValue(s, Setting::LineSpaceEd);
    d.topMarginMm = heldCentimetresInMm(s, Setting::BorderTopEd);
    d.bottomMarginMm = heldCentimetresInMm(s, Setting::BorderBottomEd);
    d.withoutFirstLine = s.flag(Setting::WithoutFirstLineCheck);
    d.withoutLastLine = s.flag(Setting::WithoutLastLineCheck);
    d.guideOffsetsMm = {heldValue(s, Setting::Guide1Ed), heldValue(s, Setting::Guide2Ed),
                        heldValue(s, Setting::Guide3Ed), heldValue(s, Setting::Guide4Ed)};
    d.guideColour = s.colour(Setting::GuideColor);
    d.guideWidthPoints = heldValue(s, Setting::GuideWidthEd);
    d.guidesDashed = s.flag(Setting::GuideDashedCheck);

    d.gridSpacingMm = heldValue(s, Setting::CaretSpaceED);
    d.majorEvery = int(heldValue(s, Setting::MajorEveryEd));
    d.majorColour = s.colour(Setting::MajorColor);
    d.majorWidthPoints = heldValue(s, Setting::MajorWidthEd);
    d.dotSizePoints = heldValue(s, Setting::DotSizeEd);
    d.majorDotSizePoints = heldValue(s, Setting::MajorDotSizeEd);
    d.roundDots = s.flag(Setting::DotRoundCheck);

    d.lineColour = s.colour(Setting::ColvarColorComboBox1);
    d.lineWidthPoints = heldValue(s, Setting::LineWidthEd);

    d.leftEdgeMm = heldCentimetresInMm(s, Setting::LeftBorderEd);
    d.rightEdgeMm = heldCentimetresInMm(s, Setting::RightBorderEd);
    d.leftEdgeLine = s.flag(Setting::LeftBorderLineCheck);
    d.rightEdgeLine = s.flag(Setting::RightBorderLineCheck);
    d.noFillLeftOfEdge = s.flag(Setting::NoLeftBorderFillCheck);
    d.noFillRightOfEdge = s.flag(Setting::NoRightBorderFillCheck);
    d.edgeLineColour = s.colour(Setting::ColvarColorComboBox3);
    d.edgeLineWidthPoints = heldValue(s, Setting::RRLineWidthED);

    d.picture.fileName = s.text(Setting::FilenameEdit1);
    d.picture.corner = s.pictureCorner();
    d.picture.xMm = heldCentimetresInMm(s, Setting::PosXEd);
    d.picture.yMm = heldCentimetresInMm(s, Setting::PosYEd);
    d.picture.widthMm = heldCentimetresInMm(s, Setting::BreitEd);
    d.picture.heightMm = heldCentimetresInMm(s, Setting::HochEd);
    d.picture.keepAspect = s.flag(Setting::SVerhCheck);

    d.texture.fileName = s.text(Setting::FilenameEdit2);
    d.texture.widthMm = heldCentimetresInMm(s, Setting::BreitEd2);
    d.texture.heightMm = heldCentimetresInMm(s, Setting::HochEd2);
    d.texture.keepAspect = s.flag(Setting::SVerh2Check);
    d.texture.grayScale = s.flag(Setting::GrayScaleCheck);
    d.texture.lighten = s.flag(Setting::LightenCheck);
    d.texture.strongLight = s.flag(Setting::StrongLightCheck);
    d.texture.merge = s.mergeMode();

    d.freeText = s.text(Setting::Edit1);
    d.font = s.font();

    d.isometricDotsOnly = s.flag(Setting::IsoDotsCheck);
    d.hexagonPointyTop = s.flag(Setting::HexPointyCheck);
    d.slantLines = s.flag(Setting::SlantCheck);
    d.slantAngleDegrees = heldValue(s, Setting::SlantAngleEd);
    d.slantSpaceMm = heldValue(s, Setting::SlantSpaceEd);

    d.cornellNotes = s.flag(Setting::CornellCheck);
    d.cueWidthMm = heldCentimetresInMm(s, Setting::CueWidthEd);
    d.summaryHeightMm = heldCentimetresInMm(s, Setting::SummaryHeightEd);
    d.major2Every = int(heldValue(s, Setting::Major2EveryEd));
    d.major2WidthPoints = heldValue(s, Setting::Major2WidthEd);
    d.major2Colour = s.colour(Setting::Major2Color);

    d.pageNumber = int(heldValue(s, Setting::PageNumberStartEd));
    d.pageNumberPosition = PageNumberPosition(s.number(Setting::PageNumberPos));
    d.pageNumberMarginMm = heldCentimetresInMm(s, Setting::PageNumberMarginEd);
    d.mirrorMargins = s.flag(Setting::MirrorCheck);
    d.holes = HolesPattern(s.number(Setting::HolesPattern));
    d.checkRuler = s.flag(Setting::RulerCheck);
    return d;
}

PageDesign newPageDesign() {
    return pageDesignOf(PaperSettings());
}

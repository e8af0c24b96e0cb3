#include "settings/paper_settings.h"

namespace {

using Range = RealField::Range;

constexpr Range kSpacingMm{1, 10000, 0.1, 2};
constexpr Range kLineWidthPoints{0.01, 1000, 0.1, 2};
constexpr Range kEdgeCm{1, 10000, 0.1, 2};
constexpr Range kRuledEdgeCm{0, 100, 0.1, 2};
constexpr Range kPicturePositionCm{0.01, 10000, 0.1, 2};
constexpr Range kSizeCm{1, 10000, 0.1, 2};
constexpr Range kInches{0, 10, 0.01, 2};
constexpr Range kZoomPercent{10, 1000, 10, 0};

constexpr ColorValue kSilver = colorValueFromRgb(192, 192, 192);
constexpr ColorValue kGray = colorValueFromRgb(128, 128, 128);

} // namespace

PaperSettings::PaperSettings(QObject* parent)
    : QObject(parent), LineSpaceEd("LineSpaceEd", kSpacingMm, 9),
      CaretSpaceED("CaretSpaceED", kSpacingMm, 5),
      LineWidthEd("LineWidthEd", kLineWidthPoints, 0.75),
      LeftBorderEd("LeftBorderEd", kEdgeCm, 2.5), RightBorderEd("RightBorderEd", kEdgeCm, 2.5),
      RRLineWidthED("RRLineWidthED", kLineWidthPoints, 1.5),
      BorderTopEd("BorderTopEd", kRuledEdgeCm, 0.5),
      BorderBottomEd("BorderBottomEd", kRuledEdgeCm, 0.5),
      PosXEd("PosXEd", kPicturePositionCm, 0.5), PosYEd("PosYEd", kPicturePositionCm, 0.5),
      BreitEd("BreitEd", kSizeCm, 1.5), HochEd("HochEd", kSizeCm, 1.5),
      BreitEd2("BreitEd2", kSizeCm, 5), HochEd2("HochEd2", kSizeCm, 5),
      LineSpaceinEd("LineSpaceinEd", kInches, 0), CaretSpaceinED("CaretSpaceinED", kInches, 0),
      LeftBorderinEd("LeftBorderinEd", kInches, 0), RightBorderinEd("RightBorderinEd", kInches, 0),
      BorderTopinEd("BorderTopinEd", kInches, 0), BorderBottominEd("BorderBottominEd", kInches, 0),
      PosXinEd("PosXinEd", kInches, 0), PosYinEd("PosYinEd", kInches, 0),
      BreitinEd("BreitinEd", kInches, 0), HochinEd("HochinEd", kInches, 0),
      BreitinEd2("BreitinEd2", kInches, 0), HochinEd2("HochinEd2", kInches, 0),
      ZoomEd("ZoomEd", kZoomPercent, 100) {
    m_flags = {true, true, true, false, true, false, true, true, true, true, false};
    m_colours = {kSilver, kGray};

    m_inchPairs = {
        {&LineSpaceEd, &LineSpaceinEd, false},
        {&CaretSpaceED, &CaretSpaceinED, false},
        {&LeftBorderEd, &LeftBorderinEd, true},
        {&RightBorderEd, &RightBorderinEd, true},
        {&BorderTopEd, &BorderTopinEd, true},
        {&BorderBottomEd, &BorderBottominEd, true},
        {&PosXEd, &PosXinEd, true},
        {&PosYEd, &PosYinEd, true},
        {&BreitEd, &BreitinEd, true},
        {&HochEd, &HochinEd, true},
        {&BreitEd2, &BreitinEd2, true},
        {&HochEd2, &HochinEd2, true},
    };
    for (const InchPair& pair : m_inchPairs) {
        connect(pair.length, &RealField::textChanged, this,
                [this, pair] { lengthFieldChanged(pair); });
    }
    // Fill every twin from its length field's default, in the table's order.
    for (const InchPair& pair : m_inchPairs)
        lengthFieldChanged(pair);
}

std::vector<RealField*> PaperSettings::designFields() {
    return {&LineSpaceEd,   &CaretSpaceED, &LineWidthEd,    &LeftBorderEd, &RightBorderEd,
            &RRLineWidthED, &BorderTopEd,  &BorderBottomEd, &PosXEd,       &PosYEd,
            &BreitEd,       &HochEd,       &BreitEd2,       &HochEd2};
}

void PaperSettings::lengthFieldChanged(const InchPair& pair) {
    m_inchTwinUpdating = true;
    const double v = pair.length->value();
    pair.inches->setValue(pair.centimetres ? v * 10 / BaseMmPerInch : v / BaseMmPerInch);
    m_inchTwinUpdating = false;
}

void PaperSettings::leaveInchTwin(RealField& twin) {
    for (const InchPair& pair : m_inchPairs) {
        if (pair.inches != &twin)
            continue;
        if (!m_inchTwinUpdating) {
            const double inches = twin.value();
            pair.length->setValue(pair.centimetres ? inches * BaseMmPerInch / 10
                                                   : inches * BaseMmPerInch);
        }
        twin.leave();
        return;
    }
}

void PaperSettings::setFlag(Flag f, bool on) {
    if (m_flags[int(f)] == on)
        return;
    m_flags[int(f)] = on;
    emit flagChanged(f);
}

void PaperSettings::setColour(Colour c, ColorValue value) {
    if (m_colours[int(c)] == value)
        return;
    m_colours[int(c)] = value;
    emit colourChanged(c);
}

void PaperSettings::setText(Text t, const QString& value) {
    if (m_texts[int(t)] == value)
        return;
    m_texts[int(t)] = value;
    emit textChanged(t);
}

void PaperSettings::setPaperKind(PaperKind kind) {
    if (m_paperKind == kind)
        return;
    m_paperKind = kind;
    emit paperKindChanged();
}

void PaperSettings::setPictureCorner(PictureCorner corner) {
    if (m_pictureCorner == corner)
        return;
    m_pictureCorner = corner;
    emit pictureCornerChanged();
}

void PaperSettings::setMergeMode(MergeMode mode) {
    if (m_mergeMode == mode)
        return;
    m_mergeMode = mode;
    emit mergeModeChanged();
}

void PaperSettings::setFont(const FreeTextFont& font) {
    FreeTextFont kept = font;
    kept.name.truncate(kMaxFontNameLength);
    if (m_font == kept)
        return;
    m_font = kept;
    emit fontChanged();
}

void PaperSettings::resetToNew() {
    setPaperKind(PaperKind::LiniertCheck);
    LineSpaceEd.setValue(9);
    setFlag(Flag::WithoutFirstLineCheck, true);
    setFlag(Flag::WithoutLastLineCheck, true);
    CaretSpaceED.setValue(5);

    setColour(Colour::ColvarColorComboBox1, kSilver);
    LineWidthEd.setValue(0.75);

    LeftBorderEd.setValue(2.5);
    setFlag(Flag::LeftBorderLineCheck, true);
    setFlag(Flag::NoLeftBorderFillCheck, false);

    RightBorderEd.setValue(2.5);
    setColour(Colour::ColvarColorComboBox3, kGray);
    RRLineWidthED.setValue(1.5);
    setFlag(Flag::RightBorderLineCheck, true);
    setFlag(Flag::NoRightBorderFillCheck, false);

    setText(Text::FilenameEdit1, QString());
    setPictureCorner(PictureCorner::obenlinks);
    PosXEd.setValue(0.5);
    PosYEd.setValue(0.5);
    BreitEd.setValue(1.5);
    HochEd.setValue(1.5);
    setFlag(Flag::SVerhCheck, true);

    BorderTopEd.setValue(0.5);
    BorderBottomEd.setValue(0.5);

    // The texture name is emptied before its filter flags, so setting them loads nothing.
    setText(Text::FilenameEdit2, QString());
    BreitEd2.setValue(5);
    HochEd2.setValue(5);
    setFlag(Flag::SVerh2Check, true);
    setFlag(Flag::GrayScaleCheck, true);
    setFlag(Flag::LightenCheck, true);
    setMergeMode(MergeMode::NOMergeCheck);
    setFlag(Flag::StrongLightCheck, false);

    setText(Text::Edit1, QString());

    FreeTextFont font = m_font; // keeps the style
    font.name = QStringLiteral("Arial");
    font.color = 0;
    font.charset = 0;
    font.sizePoints = 9;
    font.pitch = FreeTextFont::DefaultPitch;
    setFont(font);
}

#include "settings/setting_table.h"

#include "settings/color_value.h"
#include "settings/free_text_font.h"
#include "settings/paper_kind.h"

namespace {

using Range = RealField::Range;
using D = SettingDescription;

constexpr Range kSpacingMm{1, 10000, 0.1, 2};
constexpr Range kLineWidthPoints{0.01, 1000, 0.1, 2};
constexpr Range kEdgeCm{1, 10000, 0.1, 2};
constexpr Range kRuledEdgeCm{0, 100, 0.1, 2};
constexpr Range kPicturePositionCm{0.01, 10000, 0.1, 2};
constexpr Range kSizeCm{1, 10000, 0.1, 2};
constexpr Range kSquareCount{0, 100, 1, 0};
constexpr Range kGuideOffsetMm{-100, 100, 0.1, 2};
constexpr Range kSlantDegrees{45, 90, 1, 1};
constexpr Range kSlantSpacingMm{1, 100, 0.1, 2};
constexpr Range kCornellAreaCm{0.5, 100, 0.1, 2};
constexpr Range kPageNumber{0, 99999, 1, 0};

constexpr ColorValue kSilver = colorValueFromRgb(192, 192, 192);
constexpr ColorValue kGray = colorValueFromRgb(128, 128, 128);
constexpr ColorValue kDarkGray = colorValueFromRgb(64, 64, 64);

constexpr D choice(Setting s, const char* name, Stored stored, int newButton,
                   std::array<const char*, 8> buttons) {
    D d{s, name, SettingKind::Choice, stored};
    d.newValue = newButton;
    d.buttons = buttons;
    return d;
}

constexpr D check(Setting s, const char* name, bool newOn) {
    D d{s, name, SettingKind::Check, Stored::Flag};
    d.newValue = newOn ? 1 : 0;
    return d;
}

constexpr D real(Setting s, const char* name, Unit unit, double newValue, Range range,
                 const char* inchTwin = nullptr) {
    D d{s, name, SettingKind::Real, Stored::Double, unit, newValue, range};
    d.inchTwin = inchTwin;
    return d;
}

constexpr D colour(Setting s, const char* name, ColorValue newValue) {
    D d{s, name, SettingKind::Colour, Stored::Int32};
    d.newValue = newValue;
    return d;
}

constexpr D text(Setting s, const char* name, SettingKind kind, const char* what) {
    D d{s, name, kind, Stored::String};
    d.what = what;
    return d;
}

constexpr D fontName(Setting s, const char* name, const char* newText, int keptLength) {
    D d = text(s, name, SettingKind::Text, "font name");
    d.newText = newText;
    d.keptLength = keptLength;
    d.needsText = true;
    return d;
}

constexpr D whole(Setting s, const char* name, Stored stored, double newValue, double minimum,
                  double maximum) {
    D d{s, name, SettingKind::Whole, stored};
    d.newValue = newValue;
    d.range = {minimum, maximum, 1, 0};
    return d;
}

// A setting that only the extension block keeps.
constexpr D extension(D d) {
    d.place = Place::Extension;
    return d;
}

// A setting that a later generation of the extension block keeps.
constexpr D ofGeneration(int generation, D d) {
    d = extension(d);
    d.generation = generation;
    return d;
}

// The paper kind's buttons, named as the kinds name them.
constexpr std::array<const char*, 8> paperKindButtons() {
    static_assert(kPaperKindCount <= 8, "a choice has room for eight buttons");
    std::array<const char*, 8> buttons{};
    for (int i = 0; i < kPaperKindCount; ++i)
        buttons[i] = kPaperKinds[i].controlName;
    return buttons;
}

#define ID(name) Setting::name, #name
using enum Unit;
using enum Stored;

constexpr D kTable[] = {
    // The main field holds the paper kind as "ruled", that is, whether the first button is on,
    // so that a dot grid opens as checkered paper where the extension block is not read. The
    // block's first generation knew the first three kinds; a later kind opens as checkered
    // paper in a program that reads only that generation.
    [] {
        D d = choice(ID(LiniertCheck), Flag, 0, paperKindButtons());
        d.place = Place::Both;
        d.generation = 2;
        d.buttonsOfFirstGeneration = 3;
        return d;
    }(),
    real(ID(LineSpaceEd), Millimetres, 9, kSpacingMm, "LineSpaceinEd"),
    check(ID(WithoutFirstLineCheck), true),
    check(ID(WithoutLastLineCheck), true),
    real(ID(CaretSpaceED), Millimetres, 5, kSpacingMm, "CaretSpaceinED"),
    colour(ID(ColvarColorComboBox1), kSilver),
    real(ID(LineWidthEd), Points, 0.75, kLineWidthPoints),
    real(ID(LeftBorderEd), Centimetres, 2.5, kEdgeCm, "LeftBorderinEd"),
    check(ID(LeftBorderLineCheck), true),
    check(ID(NoLeftBorderFillCheck), false),
    real(ID(RightBorderEd), Centimetres, 2.5, kEdgeCm, "RightBorderinEd"),
    check(ID(RightBorderLineCheck), true),
    check(ID(NoRightBorderFillCheck), false),
    colour(ID(ColvarColorComboBox3), kGray),
    real(ID(RRLineWidthED), Points, 1.5, kLineWidthPoints),
    text(ID(FilenameEdit1), SettingKind::FileName, "picture file name"),
    choice(ID(obenlinks), Byte, 0, {"obenlinks", "obenrechts", "untenlinks", "untenrechts"}),
    real(ID(PosXEd), Centimetres, 0.5, kPicturePositionCm, "PosXinEd"),
    real(ID(PosYEd), Centimetres, 0.5, kPicturePositionCm, "PosYinEd"),
    real(ID(BreitEd), Centimetres, 1.5, kSizeCm, "BreitinEd"),
    real(ID(HochEd), Centimetres, 1.5, kSizeCm, "HochinEd"),
    check(ID(SVerhCheck), true),
    real(ID(BorderTopEd), Centimetres, 0.5, kRuledEdgeCm, "BorderTopinEd"),
    real(ID(BorderBottomEd), Centimetres, 0.5, kRuledEdgeCm, "BorderBottominEd"),
    text(ID(FilenameEdit2), SettingKind::FileName, "texture file name"),
    real(ID(BreitEd2), Centimetres, 5, kSizeCm, "BreitinEd2"),
    real(ID(HochEd2), Centimetres, 5, kSizeCm, "HochinEd2"),
    check(ID(SVerh2Check), true),
    check(ID(GrayScaleCheck), true),
    check(ID(LightenCheck), true),
    choice(ID(NOMergeCheck), Byte, 0, {"NOMergeCheck", "Merge1Check", "Merge2Check"}),
    check(ID(StrongLightCheck), false),
    text(ID(Edit1), SettingKind::Text, "free text"),
    fontName(ID(FontName), "Arial", kMaxFontNameLength),
    colour(ID(FontColor), 0),
    whole(ID(FontCharset), Byte, 0, 0, 255),
    whole(ID(FontSize), Int32, 9, 1, 1638),
    whole(ID(FontPitch), Byte, 0, 0, 2),
    extension(real(ID(DotSizeEd), Points, 1.5, kLineWidthPoints)),
    extension(check(ID(DotRoundCheck), true)),
    extension(real(ID(MajorEveryEd), None, 0, kSquareCount)),
    extension(real(ID(MajorWidthEd), Points, 1.5, kLineWidthPoints)),
    extension(real(ID(MajorDotSizeEd), Points, 3, kLineWidthPoints)),
    extension(colour(ID(MajorColor), kGray)),
    extension(real(ID(Guide1Ed), Millimetres, 0, kGuideOffsetMm)),
    extension(real(ID(Guide2Ed), Millimetres, 0, kGuideOffsetMm)),
    extension(real(ID(Guide3Ed), Millimetres, 0, kGuideOffsetMm)),
    extension(real(ID(Guide4Ed), Millimetres, 0, kGuideOffsetMm)),
    extension(real(ID(GuideWidthEd), Points, 0.5, kLineWidthPoints)),
    extension(colour(ID(GuideColor), kSilver)),
    extension(check(ID(GuideDashedCheck), false)),
    ofGeneration(2, check(ID(IsoDotsCheck), false)),
    ofGeneration(2, check(ID(HexPointyCheck), false)),
    ofGeneration(2, check(ID(SlantCheck), false)),
    ofGeneration(2, real(ID(SlantAngleEd), Degrees, 55, kSlantDegrees)),
    ofGeneration(2, real(ID(SlantSpaceEd), Millimetres, 10, kSlantSpacingMm)),
    ofGeneration(2, check(ID(CornellCheck), false)),
    ofGeneration(2, real(ID(CueWidthEd), Centimetres, 6.35, kCornellAreaCm)),
    ofGeneration(2, real(ID(SummaryHeightEd), Centimetres, 5.08, kCornellAreaCm)),
    ofGeneration(2, real(ID(Major2EveryEd), None, 0, kSquareCount)),
    ofGeneration(2, real(ID(Major2WidthEd), Points, 2.25, kLineWidthPoints)),
    ofGeneration(2, colour(ID(Major2Color), kDarkGray)),
    ofGeneration(3, choice(ID(PageNumberPos), Byte, 0,
                           {"PageNumberNone", "PageNumberBottomCentre", "PageNumberBottomOutside",
                            "PageNumberTopOutside"})),
    ofGeneration(3, real(ID(PageNumberStartEd), None, 1, kPageNumber)),
    ofGeneration(
        3, real(ID(PageNumberMarginEd), Centimetres, 1, kRuledEdgeCm, "PageNumberMargininEd")),
    ofGeneration(3, check(ID(MirrorCheck), false)),
    ofGeneration(3, choice(ID(HolesPattern), Byte, 0,
                           {"HolesNone", "TwoHoles80", "FourHoles80", "ThreeHoles108"})),
    ofGeneration(3, check(ID(RulerCheck), false)),
};

#undef ID

constexpr bool rowsFollowTheSettings() {
    for (int i = 0; i < kSettingCount; ++i) {
        if (kTable[i].setting != Setting(i))
            return false;
    }
    return std::size(kTable) == size_t(kSettingCount);
}
static_assert(rowsFollowTheSettings(), "row i of the table must describe Setting(i)");

constexpr qsizetype storedSize(Stored stored) {
    switch (stored) {
    case Flag:
    case Byte:
        return 1;
    case Int32:
        return 4;
    case Double:
        return 8;
    case String:
        return 1 + 255;
    }
    return 0;
}

} // namespace

std::span<const SettingDescription> settingTable() {
    return kTable;
}

const SettingDescription& describe(Setting setting) {
    return kTable[int(setting)];
}

bool inMainFields(const SettingDescription& description) {
    return description.place != Place::Extension;
}

bool inExtension(const SettingDescription& description) {
    return description.place != Place::Main;
}

bool inGeneration(const SettingDescription& description, int generation) {
    return inExtension(description) &&
           (description.generation == generation ||
            (generation == 1 && description.buttonsOfFirstGeneration > 0));
}

qsizetype largestDocumentSize() {
    qsizetype size = 0;
    for (const D& d : kTable) {
        if (inMainFields(d))
            size += storedSize(d.stored);
        // The extension block keeps a choice as the number of its button.
        for (int generation = 1; generation <= kExtensionGenerations; ++generation) {
            if (inGeneration(d, generation))
                size += storedSize(d.kind == SettingKind::Choice ? Byte : d.stored);
        }
    }
    return size;
}

int buttonCount(const SettingDescription& description) {
    int count = 0;
    while (count < int(description.buttons.size()) && description.buttons[count])
        ++count;
    return count;
}

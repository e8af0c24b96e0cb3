#pragma once

#include "settings/real_field.h"

#include <QtGlobal>

#include <array>
#include <span>

// Every stored setting of a design, named after the control that edits it, in the order in
// which documents store them. A radio group is named after its first button.
enum class Setting {
    LiniertCheck, // the paper kind: LiniertCheck (ruled), KariertCheck (checkered), DotGridCheck
    LineSpaceEd,
    WithoutFirstLineCheck,
    WithoutLastLineCheck,
    CaretSpaceED,
    ColvarColorComboBox1,
    LineWidthEd,
    LeftBorderEd,
    LeftBorderLineCheck,
    NoLeftBorderFillCheck,
    RightBorderEd,
    RightBorderLineCheck,
    NoRightBorderFillCheck,
    ColvarColorComboBox3,
    RRLineWidthED,
    FilenameEdit1,
    obenlinks, // the picture's corner: obenlinks, obenrechts, untenlinks, untenrechts
    PosXEd,
    PosYEd,
    BreitEd,
    HochEd,
    SVerhCheck,
    BorderTopEd,
    BorderBottomEd,
    FilenameEdit2,
    BreitEd2,
    HochEd2,
    SVerh2Check,
    GrayScaleCheck,
    LightenCheck,
    NOMergeCheck, // how lines meet the texture: NOMergeCheck, Merge1Check, Merge2Check
    StrongLightCheck,
    Edit1,
    FontName,
    FontColor,
    FontCharset,
    FontSize,
    FontPitch,
    // Kept in the document's extension block, which older versions of the program skip.
    DotSizeEd,
    DotRoundCheck,
    MajorEveryEd,
    MajorWidthEd,
    MajorDotSizeEd,
    MajorColor,
    Guide1Ed,
    Guide2Ed,
    Guide3Ed,
    Guide4Ed,
    GuideWidthEd,
    GuideColor,
    GuideDashedCheck,
    // Kept in the extension block's second generation.
    IsoDotsCheck,
    HexPointyCheck,
    SlantCheck,
    SlantAngleEd,
    SlantSpaceEd,
    CornellCheck,
    CueWidthEd,
    SummaryHeightEd,
    Major2EveryEd,
    Major2WidthEd,
    Major2Color,
    // Kept in the extension block's third generation.
    PageNumberPos, // a notebook page's number: PageNumberNone, PageNumberBottomCentre, ...
    PageNumberStartEd,
    PageNumberMarginEd,
    MirrorCheck,
    HolesPattern, // punch holes: HolesNone, TwoHoles80, FourHoles80, ThreeHoles108
    RulerCheck,
};
constexpr int kSettingCount = int(Setting::RulerCheck) + 1;

enum class SettingKind {
    Choice,   // a radio group: the number of the button that is on
    Check,    // a check box
    Real,     // a real field, in `unit`
    Colour,   // a colour value
    Text,     // a line of text
    FileName, // a picture's file name
    Whole,    // a whole number of the free-text font
};

// How a document holds the value: all little-endian, strings as a length byte and at most
// 255 bytes of Windows-1252.
enum class Stored { Flag, Byte, Int32, Double, String };

enum class Unit { None, Millimetres, Centimetres, Points, Degrees };

// Where a document keeps a setting. The main fields are what every version of the program
// reads; the extension block follows them and holds what they have no room for. A setting
// kept in both has a value the main field can only approximate (the paper kind: the main
// field tells ruled from not ruled).
enum class Place { Main, Extension, Both };

struct SettingDescription {
    Setting setting;
    const char* name;
    SettingKind kind;
    Stored stored;
    Unit unit = Unit::None;
    // What New sets: a real's value, a check box's 0 or 1, a choice's button, a colour value,
    // a font number. Texts are emptied, except the font's name.
    double newValue = 0;
    // Reals: the field's range, step and decimals. Whole numbers: the values they may take.
    RealField::Range range{};
    // Lengths: the field that shows the same length in inches.
    const char* inchTwin = nullptr;
    // Choices: the names of the group's buttons, in the order of their numbers.
    std::array<const char*, 8> buttons{};
    // Texts: what New sets, what the user is told a refused text was, and, where the field
    // keeps fewer characters than it is given, how many it keeps.
    const char* newText = "";
    const char* what = nullptr;
    int keptLength = 0;
    bool needsText = false; // an empty text is no value for it
    Place place = Place::Main;
    // The generation of the extension block that keeps the setting: each version of the
    // program that added settings keeps them in a generation of their own, so that an older
    // program reads its own generation unchanged.
    int generation = 1;
    // A choice whose buttons outgrew an older generation: how many buttons that generation,
    // the first, knew. It keeps any later button as the main field reads it.
    int buttonsOfFirstGeneration = 0;
};

// The settings in document order; row i describes Setting(i).
std::span<const SettingDescription> settingTable();
const SettingDescription& describe(Setting setting);

// Whether a document keeps the setting in its main fields, in its extension block, in the
// block's given generation (counted from 1).
bool inMainFields(const SettingDescription& description);
bool inExtension(const SettingDescription& description);
bool inGeneration(const SettingDescription& description, int generation);
// The generations of the extension block that hold settings; the document adds one more, its
// check sum, after them.
inline constexpr int kExtensionGenerations = 3;

// The largest document this version writes: every field, every string at its longest.
qsizetype largestDocumentSize();
// The number of buttons of a choice.
int buttonCount(const SettingDescription& description);

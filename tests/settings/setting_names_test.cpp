#include "settings/setting_names.h"

#include "settings/paper_settings.h"
#include "support/succeeds.h"

#include <QDir>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QJsonObject newDesignJson() {
    PaperSettings s;
    s.resetToNew();
    return settingsToJson(s);
}

TEST(SettingsJson, OfANewDesignNamesEveryStoredSetting) {
    const QJsonObject expected = QJsonDocument::fromJson(R"({
        "LiniertCheck": true, "KariertCheck": false, "DotGridCheck": false,
        "IsoCheck": false, "HexCheck": false,
        "LineSpaceEd": 9, "WithoutFirstLineCheck": true, "WithoutLastLineCheck": true,
        "CaretSpaceED": 5, "ColvarColorComboBox1": 12632256, "LineWidthEd": 0.75,
        "LeftBorderEd": 2.5, "LeftBorderLineCheck": true, "NoLeftBorderFillCheck": false,
        "RightBorderEd": 2.5, "RightBorderLineCheck": true, "NoRightBorderFillCheck": false,
        "ColvarColorComboBox3": 8421504, "RRLineWidthED": 1.5,
        "BorderTopEd": 0.5, "BorderBottomEd": 0.5,
        "FilenameEdit1": "", "obenlinks": true, "obenrechts": false, "untenlinks": false,
        "untenrechts": false, "PosXEd": 0.5, "PosYEd": 0.5, "BreitEd": 1.5, "HochEd": 1.5,
        "SVerhCheck": true,
        "FilenameEdit2": "", "BreitEd2": 5, "HochEd2": 5, "SVerh2Check": true,
        "GrayScaleCheck": true, "LightenCheck": true, "StrongLightCheck": false,
        "NOMergeCheck": true, "Merge1Check": false, "Merge2Check": false,
        "Edit1": "",
        "FontName": "Arial", "FontColor": 0, "FontCharset": 0, "FontSize": 9, "FontPitch": 0,
        "DotSizeEd": 1.5, "DotRoundCheck": true, "MajorEveryEd": 0, "MajorWidthEd": 1.5,
        "MajorDotSizeEd": 3, "MajorColor": 8421504, "Guide1Ed": 0, "Guide2Ed": 0,
        "Guide3Ed": 0, "Guide4Ed": 0, "GuideWidthEd": 0.5, "GuideColor": 12632256,
        "GuideDashedCheck": false,
        "IsoDotsCheck": false, "HexPointyCheck": false, "SlantCheck": false, "SlantAngleEd": 55,
        "SlantSpaceEd": 10, "CornellCheck": false, "CueWidthEd": 6.35, "SummaryHeightEd": 5.08,
        "Major2EveryEd": 0, "Major2WidthEd": 2.25, "Major2Color": 4210752,
        "PageNumberNone": true, "PageNumberBottomCentre": false, "PageNumberBottomOutside": false,
        "PageNumberTopOutside": false, "PageNumberStartEd": 1, "PageNumberMarginEd": 1,
        "MirrorCheck": false, "HolesNone": true, "TwoHoles80": false, "FourHoles80": false,
        "ThreeHoles108": false, "RulerCheck": false
    })")
                                     .object();
    EXPECT_EQ(newDesignJson(), expected) << QJsonDocument(newDesignJson()).toJson().toStdString();
    EXPECT_EQ(settingNames(), expected.keys());
}

TEST(SettingsJson, KeepsTheSystemColourOfTheStartFont) {
    const PaperSettings s;
    EXPECT_EQ(settingsToJson(s).value("FontColor").toInteger(), qint32(0x80000008));
}

struct AssignCase {
    const char* name;
    const char* setting;
    const char* value;
    const char* jsonKey;
    QJsonValue expected;
};

void PrintTo(const AssignCase& c, std::ostream* os) {
    *os << c.name;
}

class AssignSetting : public ::testing::TestWithParam<AssignCase> {};

TEST_P(AssignSetting, GoesThroughTheFieldsOwnRules) {
    const AssignCase& c = GetParam();
    PaperSettings s;
    s.resetToNew();
    EXPECT_SUCCEEDS(assignSetting(s, c.setting, c.value));
    EXPECT_EQ(settingsToJson(s).value(c.jsonKey), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AssignSetting,
    ::testing::Values(
        AssignCase{"RealRounds", "LineSpaceEd", "9.456", "LineSpaceEd", 9.46},
        AssignCase{"RealClampsAbove", "LineSpaceEd", "12345", "LineSpaceEd", 10000},
        AssignCase{"RealClampsBelow", "PosXEd", "0", "PosXEd", 0.01},
        AssignCase{"RealWithExponent", "BorderTopEd", "2.5e1", "BorderTopEd", 25},
        AssignCase{"FlagOff", "LeftBorderLineCheck", "off", "LeftBorderLineCheck", false},
        AssignCase{"FlagOn", "StrongLightCheck", "on", "StrongLightCheck", true},
        AssignCase{"FlagTrue", "StrongLightCheck", "true", "StrongLightCheck", true},
        AssignCase{"FlagOne", "StrongLightCheck", "1", "StrongLightCheck", true},
        AssignCase{"RadioSwitchesItsButtonOn", "KariertCheck", "on", "KariertCheck", true},
        AssignCase{"RadioSwitchesTheOthersOff", "KariertCheck", "on", "LiniertCheck", false},
        AssignCase{"CornerRadio", "untenrechts", "on", "obenlinks", false},
        AssignCase{"MergeRadio", "Merge2Check", "on", "Merge2Check", true},
        AssignCase{"ColourAsHtml", "ColvarColorComboBox1", "#FF8000", "ColvarColorComboBox1",
                   0x0080FF},
        AssignCase{"ColourAsLowerCaseHtml", "ColvarColorComboBox3", "#0000ff",
                   "ColvarColorComboBox3", 0xFF0000},
        AssignCase{"ColourAsValue", "ColvarColorComboBox1", "255", "ColvarColorComboBox1", 255},
        AssignCase{"SystemColourAsSignedValue", "FontColor", "-2147483640", "FontColor",
                   qint32(0x80000008)},
        AssignCase{"SystemColourAsUnsignedValue", "FontColor", "2147483656", "FontColor",
                   qint32(0x80000008)},
        AssignCase{"FreeTextAsGiven", "Edit1", " Name: 1 ", "Edit1", " Name: 1 "},
        AssignCase{"EmptyFileNameStaysEmpty", "FilenameEdit1", "", "FilenameEdit1", ""},
        AssignCase{"AbsoluteFileName", "FilenameEdit2", "/p/t.png", "FilenameEdit2", "/p/t.png"},
        AssignCase{"FontName", "FontName", "Courier New", "FontName", "Courier New"},
        AssignCase{"FontSizeLargest", "FontSize", "1638", "FontSize", 1638},
        AssignCase{"FontCharset", "FontCharset", "255", "FontCharset", 255},
        AssignCase{"FontPitch", "FontPitch", "2", "FontPitch", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AssignSetting, TakesARelativeFileNameFromTheCurrentFolder) {
    PaperSettings s;
    ASSERT_SUCCEEDS(assignSetting(s, "FilenameEdit1", "logo.png"));
    EXPECT_EQ(s.text(Setting::FilenameEdit1), QDir::current().absoluteFilePath("logo.png"));
}

struct RefusedCase {
    const char* name;
    const char* setting;
    const char* value;
    const char* messagePart;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class AssignSettingRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(AssignSettingRefuses, WithAMessageAndChangesNothing) {
    const RefusedCase& c = GetParam();
    PaperSettings s;
    s.resetToNew();
    const QJsonObject before = settingsToJson(s);
    const Failure error = assignSetting(s, c.setting, c.value);
    ASSERT_TRUE(error.failed());
    EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.messagePart)))
        << error.message().toStdString();
    EXPECT_EQ(settingsToJson(s), before);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, AssignSettingRefuses,
    ::testing::Values(
        RefusedCase{"UnknownName", "LineSpace", "9", "no setting called \"LineSpace\""},
        RefusedCase{"NamesAreCaseSensitive", "linespaceed", "9", "no setting"},
        RefusedCase{"ZoomIsNotPartOfTheDesign", "ZoomEd", "200", "no setting"},
        RefusedCase{"InchTwinIsNotStored", "LineSpaceinEd", "1", "no setting"},
        RefusedCase{"RealNotANumber", "LineSpaceEd", "abc", "\"abc\" for LineSpaceEd"},
        RefusedCase{"RealWithComma", "LineSpaceEd", "9,5", "a number"},
        RefusedCase{"RealNotFinite", "LineSpaceEd", "nan", "a number"},
        RefusedCase{"RealInfinite", "BorderTopEd", "-inf", "a number"},
        RefusedCase{"FlagNotOnOrOff", "SVerhCheck", "maybe", "on or off"},
        RefusedCase{"RadioCannotBeSwitchedOff", "LiniertCheck", "off", "on"},
        RefusedCase{"ShortHtmlColour", "ColvarColorComboBox1", "#FFF", "colour"},
        RefusedCase{"HtmlColourWithSign", "ColvarColorComboBox1", "#+FFFFF", "colour"},
        RefusedCase{"HtmlColourWithBlank", "ColvarColorComboBox1", "# FFFFF", "colour"},
        RefusedCase{"HtmlColourWithPrefix", "ColvarColorComboBox1", "#0x1234", "colour"},
        RefusedCase{"ColourBeyond32Bits", "ColvarColorComboBox1", "4294967296", "colour"},
        RefusedCase{"ColourName", "ColvarColorComboBox3", "red", "colour"},
        RefusedCase{"EmptyFontName", "FontName", "", "font name"},
        RefusedCase{"FontSizeZero", "FontSize", "0", "whole number"},
        RefusedCase{"FontSizeTooLarge", "FontSize", "1639", "whole number"},
        RefusedCase{"FontPitchBeyondFixed", "FontPitch", "3", "whole number"},
        RefusedCase{"FontCharsetBeyondAByte", "FontCharset", "256", "whole number"},
        RefusedCase{"FontSizeFraction", "FontSize", "9.5", "whole number"}),
    [](const auto& info) { return std::string(info.param.name); });

// What show prints, given back to save one setting at a time, rebuilds the same design.
TEST(AssignSetting, AcceptsEverySettingAsShowPrintsIt) {
    PaperSettings source;
    source.setPaperKind(PaperKind::Checkered);
    source.setPictureCorner(PictureCorner::untenlinks);
    source.setMergeMode(MergeMode::Merge1Check);
    source.field(Setting::LineWidthEd).setValue(2.25);
    source.setFlag(Setting::NoLeftBorderFillCheck, true);
    source.setText(Setting::FilenameEdit1, "/pictures/logo.png");
    source.setText(Setting::Edit1, "Footer");
    const QJsonObject json = settingsToJson(source);

    PaperSettings target;
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (it->isBool() && !it->toBool()) {
            // A radio button cannot be switched off, only left off when another of its group
            // goes on; the comparison below shows that every button ended up right.
            (void)assignSetting(target, it.key(), "off");
            continue;
        }
        const QString value =
            it->isBool()     ? QStringLiteral("on")
            : it->isDouble() ? QString::number(it->toDouble(), 'g', QLocale::FloatingPointShortest)
                             : it->toString();
        EXPECT_SUCCEEDS(assignSetting(target, it.key(), value)) << it.key().toStdString();
    }
    EXPECT_EQ(settingsToJson(target), json);
}

} // namespace

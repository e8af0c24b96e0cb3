#include "settings/paper_settings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(InchTwins, ShowTheLengthFieldsDefaultsFromTheStart) {
    PaperSettings s;
    const std::pair<RealField*, const char*> expected[] = {
        {&s.inchTwin(Setting::LineSpaceEd), "0.35"},
        {&s.inchTwin(Setting::CaretSpaceED), "0.20"},
        {&s.inchTwin(Setting::LeftBorderEd), "0.98"},
        {&s.inchTwin(Setting::RightBorderEd), "0.98"},
        {&s.inchTwin(Setting::BorderTopEd), "0.20"},
        {&s.inchTwin(Setting::BorderBottomEd), "0.20"},
        {&s.inchTwin(Setting::PosXEd), "0.20"},
        {&s.inchTwin(Setting::PosYEd), "0.20"},
        {&s.inchTwin(Setting::BreitEd), "0.59"},
        {&s.inchTwin(Setting::HochEd), "0.59"},
        {&s.inchTwin(Setting::BreitEd2), "1.97"},
        {&s.inchTwin(Setting::HochEd2), "1.97"},
    };
    for (const auto& [twin, text] : expected)
        EXPECT_EQ(twin->text(), text) << twin->name().toStdString();
}

TEST(InchTwins, FollowEveryChangeOfTheirLengthField) {
    PaperSettings s;
    s.field(Setting::LeftBorderEd).setValue(30); // 11.81 inches, beyond the twin's own range
    EXPECT_EQ(s.inchTwin(Setting::LeftBorderEd).text(), "10.00");
    s.field(Setting::LineSpaceEd).setText("25.4");
    EXPECT_EQ(s.inchTwin(Setting::LineSpaceEd).text(), "1.00");
    s.field(Setting::BorderTopEd).setText(""); // reads as its minimum
    EXPECT_EQ(s.inchTwin(Setting::BorderTopEd).text(), "0.00");
}

struct LeaveRow {
    const char* name;
    Setting length;
    const char* typedIntoTwin; // nullptr: left unchanged
    const char* lengthAfter;
    const char* twinAfter;
};

void PrintTo(const LeaveRow& c, std::ostream* os) {
    *os << c.name;
}

using enum Setting;
const LeaveRow kLeaveRows[] = {
    {"UnchangedMillimetreTwinKeepsTheLength", LineSpaceEd, nullptr, "9.00", "0.35"},
    {"UnchangedCentimetreTwinKeepsTheLength", LeftBorderEd, nullptr, "2.50", "0.98"},
    {"EditedTwinConvertsThoughItShowsTheSameInches", BorderBottomEd, "0.2", "0.51", "0.20"},
    {"TwinBeyondItsRangeStillSetsTheLength", LineSpaceEd, "20", "508.00", "10.00"},
    {"ClearedTwinGivesTheLengthsMinimum", LineSpaceEd, "", "1.00", "0.04"},
    {"ClearedTwinGivesZeroWhereZeroIsAllowed", BorderTopEd, "", "0.00", "0.00"},
    {"NegativeTwinClampsTheLength", PosXEd, "-1", "0.01", "0.00"},
    {"TwinInsideItsRangeConvertsBack", BreitEd2, "2", "5.08", "2.00"},
};

class InchTwinLeaving : public ::testing::TestWithParam<LeaveRow> {};

TEST_P(InchTwinLeaving, SetsTheLengthFieldAndRewritesTheTwin) {
    const LeaveRow& row = GetParam();
    PaperSettings s;
    RealField& twin = s.inchTwin(row.length);
    if (row.typedIntoTwin)
        twin.setText(QString::fromUtf8(row.typedIntoTwin));
    s.leaveInchTwin(row.length);
    EXPECT_EQ(s.field(row.length).text(), row.lengthAfter);
    EXPECT_EQ(twin.text(), row.twinAfter);
    EXPECT_FALSE(s.inchTwinUpdating());
}

INSTANTIATE_TEST_SUITE_P(Twins, InchTwinLeaving, ::testing::ValuesIn(kLeaveRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InchTwins, ClampThemselvesWhenTheLengthFieldDoesNotChange) {
    PaperSettings s;
    s.field(Setting::LineSpaceEd).setValue(508); // twin shows its maximum
    ASSERT_EQ(s.inchTwin(Setting::LineSpaceEd).text(), "10.00");
    // 20 inches gives 508.00 mm again: no change event, so only the twin's own clamp
    // rewrites it.
    s.inchTwin(Setting::LineSpaceEd).setText("20");
    s.leaveInchTwin(Setting::LineSpaceEd);
    EXPECT_EQ(s.field(Setting::LineSpaceEd).text(), "508.00");
    EXPECT_EQ(s.inchTwin(Setting::LineSpaceEd).text(), "10.00");
    // The clamped text is the program's, not the user's: leaving again converts nothing.
    s.leaveInchTwin(Setting::LineSpaceEd);
    EXPECT_EQ(s.field(Setting::LineSpaceEd).text(), "508.00");

    s.field(Setting::CaretSpaceED).setValue(1);
    s.inchTwin(Setting::CaretSpaceED).setText("-3");
    s.leaveInchTwin(Setting::CaretSpaceED);
    EXPECT_EQ(s.field(Setting::CaretSpaceED).text(), "1.00");
    EXPECT_EQ(s.inchTwin(Setting::CaretSpaceED).text(), "0.00");
}

TEST(InchTwins, LeavingATwinWhileItIsBeingRewrittenConvertsNothing) {
    PaperSettings s;
    // A widget may report leaving the twin while the program writes into it; that must not
    // convert the half-written twin back into the length field.
    bool sawGuard = false;
    QObject::connect(&s.inchTwin(Setting::LineSpaceEd), &RealField::textChanged, [&] {
        sawGuard = s.inchTwinUpdating();
        s.leaveInchTwin(Setting::LineSpaceEd);
    });
    s.field(Setting::LineSpaceEd).setValue(10); // twin 0.39, which would convert back to 9.91
    EXPECT_TRUE(sawGuard);
    EXPECT_EQ(s.field(Setting::LineSpaceEd).text(), "10.00");
    EXPECT_EQ(s.inchTwin(Setting::LineSpaceEd).text(), "0.39");
}

// Changes every setting away from its default.
void changeEverything(PaperSettings& s) {
    for (const SettingDescription& d : settingTable()) {
        if (d.kind == SettingKind::Real)
            s.field(d.setting).setValue(s.field(d.setting).value() + 3.21);
        else if (d.kind == SettingKind::Check)
            s.setFlag(d.setting, !s.flag(d.setting));
    }
    s.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(1, 2, 3));
    s.setColour(Setting::ColvarColorComboBox3, colorValueFromRgb(4, 5, 6));
    s.setText(Setting::FilenameEdit1, "/pictures/logo.png");
    s.setText(Setting::FilenameEdit2, "/pictures/paper.png");
    s.setText(Setting::Edit1, "Footer");
    s.setPaperKind(PaperKind::Checkered);
    s.setPictureCorner(PictureCorner::untenrechts);
    s.setMergeMode(MergeMode::Merge2Check);
    FreeTextFont font;
    font.name = "Times New Roman";
    font.color = colorValueFromRgb(255, 0, 0);
    font.charset = 238;
    font.sizePoints = 14;
    font.pitch = FreeTextFont::FixedPitch;
    font.bold = true;
    font.italic = true;
    s.setFont(font);
    s.ZoomEd.setValue(250);
}

TEST(NewDesign, ResetsEverySettingButTheFontStyleAndTheZoom) {
    PaperSettings s;
    changeEverything(s);
    s.resetToNew();

    const PaperSettings fresh;
    for (const SettingDescription& d : settingTable()) {
        const std::string name = d.name;
        if (d.kind == SettingKind::Real) {
            EXPECT_EQ(s.field(d.setting).text(), fresh.field(d.setting).text()) << name;
            if (d.inchTwin) {
                EXPECT_EQ(s.inchTwin(d.setting).text(), fresh.inchTwin(d.setting).text()) << name;
            }
        } else if (d.setting != Setting::FontColor) { // black after New, see below
            EXPECT_EQ(s.number(d.setting), fresh.number(d.setting)) << name;
            EXPECT_EQ(s.text(d.setting), fresh.text(d.setting)) << name;
        }
    }
    EXPECT_EQ(s.paperKind(), PaperKind::Ruled);
    EXPECT_EQ(s.pictureCorner(), PictureCorner::obenlinks);
    EXPECT_EQ(s.mergeMode(), MergeMode::NOMergeCheck);

    FreeTextFont expectedFont; // the start font, but black and still bold and italic
    expectedFont.color = 0;
    expectedFont.bold = true;
    expectedFont.italic = true;
    EXPECT_EQ(s.font(), expectedFont);
    EXPECT_EQ(s.ZoomEd.text(), "250");
}

TEST(NewDesign, EmptiesTheTextureBeforeSettingItsFilters) {
    PaperSettings s;
    changeEverything(s);
    // Each filter flag that changes would reload the texture; with its name already empty,
    // there is nothing to reload.
    std::vector<QString> textureNameAtFlagChange;
    QObject::connect(&s, &PaperSettings::changed, [&](Setting f) {
        if (f == Setting::GrayScaleCheck || f == Setting::LightenCheck ||
            f == Setting::StrongLightCheck)
            textureNameAtFlagChange.push_back(s.text(Setting::FilenameEdit2));
    });
    s.resetToNew();
    ASSERT_EQ(textureNameAtFlagChange.size(), 3u);
    for (const QString& name : textureNameAtFlagChange)
        EXPECT_TRUE(name.isEmpty());
}

TEST(PaperSettingsSignals, AreRaisedOnlyForRealChanges) {
    PaperSettings s;
    QSignalSpy changes(&s, &PaperSettings::changed);
    s.setFlag(Setting::SVerhCheck, true);
    s.setPaperKind(PaperKind::Ruled);
    s.setFont(s.font());
    EXPECT_EQ(changes.count(), 0);
    s.setFlag(Setting::SVerhCheck, false);
    s.setPaperKind(PaperKind::Checkered);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes[0][0].value<Setting>(), Setting::SVerhCheck);
    EXPECT_EQ(changes[1][0].value<Setting>(), Setting::LiniertCheck);
}

} // namespace

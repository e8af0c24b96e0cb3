#include "settings/paper_settings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(InchTwins, ShowTheLengthFieldsDefaultsFromTheStart) {
    PaperSettings s;
    const std::pair<RealField*, const char*> expected[] = {
        {&s.LineSpaceinEd, "0.35"},   {&s.CaretSpaceinED, "0.20"}, {&s.LeftBorderinEd, "0.98"},
        {&s.RightBorderinEd, "0.98"}, {&s.BorderTopinEd, "0.20"},  {&s.BorderBottominEd, "0.20"},
        {&s.PosXinEd, "0.20"},        {&s.PosYinEd, "0.20"},       {&s.BreitinEd, "0.59"},
        {&s.HochinEd, "0.59"},        {&s.BreitinEd2, "1.97"},     {&s.HochinEd2, "1.97"},
    };
    for (const auto& [twin, text] : expected)
        EXPECT_EQ(twin->text(), text) << twin->name().toStdString();
}

TEST(InchTwins, FollowEveryChangeOfTheirLengthField) {
    PaperSettings s;
    s.LeftBorderEd.setValue(30); // 11.81 inches, beyond the twin's own range
    EXPECT_EQ(s.LeftBorderinEd.text(), "10.00");
    s.LineSpaceEd.setText("25.4");
    EXPECT_EQ(s.LineSpaceinEd.text(), "1.00");
    s.BorderTopEd.setText(""); // reads as its minimum
    EXPECT_EQ(s.BorderTopinEd.text(), "0.00");
}

struct LeaveRow {
    const char* name;
    RealField PaperSettings::*twin;
    RealField PaperSettings::*length;
    const char* typedIntoTwin; // nullptr: left unchanged
    const char* lengthAfter;
    const char* twinAfter;
};

void PrintTo(const LeaveRow& c, std::ostream* os) {
    *os << c.name;
}

using S = PaperSettings;
const LeaveRow kLeaveRows[] = {
    {"UnchangedMillimetreTwinKeepsTheLength", &S::LineSpaceinEd, &S::LineSpaceEd, nullptr, "9.00",
     "0.35"},
    {"UnchangedCentimetreTwinKeepsTheLength", &S::LeftBorderinEd, &S::LeftBorderEd, nullptr, "2.50",
     "0.98"},
    {"EditedTwinConvertsThoughItShowsTheSameInches", &S::BorderBottominEd, &S::BorderBottomEd,
     "0.2", "0.51", "0.20"},
    {"TwinBeyondItsRangeStillSetsTheLength", &S::LineSpaceinEd, &S::LineSpaceEd, "20", "508.00",
     "10.00"},
    {"ClearedTwinGivesTheLengthsMinimum", &S::LineSpaceinEd, &S::LineSpaceEd, "", "1.00", "0.04"},
    {"ClearedTwinGivesZeroWhereZeroIsAllowed", &S::BorderTopinEd, &S::BorderTopEd, "", "0.00",
     "0.00"},
    {"NegativeTwinClampsTheLength", &S::PosXinEd, &S::PosXEd, "-1", "0.01", "0.00"},
    {"TwinInsideItsRangeConvertsBack", &S::BreitinEd2, &S::BreitEd2, "2", "5.08", "2.00"},
};

class InchTwinLeaving : public ::testing::TestWithParam<LeaveRow> {};

TEST_P(InchTwinLeaving, SetsTheLengthFieldAndRewritesTheTwin) {
    const LeaveRow& row = GetParam();
    PaperSettings s;
    RealField& twin = s.*row.twin;
    if (row.typedIntoTwin)
        twin.setText(QString::fromUtf8(row.typedIntoTwin));
    s.leaveInchTwin(twin);
    EXPECT_EQ((s.*row.length).text(), row.lengthAfter);
    EXPECT_EQ(twin.text(), row.twinAfter);
    EXPECT_FALSE(s.inchTwinUpdating());
}

INSTANTIATE_TEST_SUITE_P(Twins, InchTwinLeaving, ::testing::ValuesIn(kLeaveRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InchTwins, ClampThemselvesWhenTheLengthFieldDoesNotChange) {
    PaperSettings s;
    s.LineSpaceEd.setValue(508); // twin shows its maximum
    ASSERT_EQ(s.LineSpaceinEd.text(), "10.00");
    // 20 inches gives 508.00 mm again: no change event, so only the twin's own clamp
    // rewrites it.
    s.LineSpaceinEd.setText("20");
    s.leaveInchTwin(s.LineSpaceinEd);
    EXPECT_EQ(s.LineSpaceEd.text(), "508.00");
    EXPECT_EQ(s.LineSpaceinEd.text(), "10.00");
    // The clamped text is the program's, not the user's: leaving again converts nothing.
    s.leaveInchTwin(s.LineSpaceinEd);
    EXPECT_EQ(s.LineSpaceEd.text(), "508.00");

    s.CaretSpaceED.setValue(1);
    s.CaretSpaceinED.setText("-3");
    s.leaveInchTwin(s.CaretSpaceinED);
    EXPECT_EQ(s.CaretSpaceED.text(), "1.00");
    EXPECT_EQ(s.CaretSpaceinED.text(), "0.00");
}

TEST(InchTwins, LeavingATwinWhileItIsBeingRewrittenConvertsNothing) {
    PaperSettings s;
    // A widget may report leaving the twin while the program writes into it; that must not
    // convert the half-written twin back into the length field.
    bool sawGuard = false;
    QObject::connect(&s.LineSpaceinEd, &RealField::textChanged, [&] {
        sawGuard = s.inchTwinUpdating();
        s.leaveInchTwin(s.LineSpaceinEd);
    });
    s.LineSpaceEd.setValue(10); // twin 0.39, which would convert back to 9.91
    EXPECT_TRUE(sawGuard);
    EXPECT_EQ(s.LineSpaceEd.text(), "10.00");
    EXPECT_EQ(s.LineSpaceinEd.text(), "0.39");
}

// Changes every setting away from its default.
void changeEverything(PaperSettings& s) {
    for (RealField* field : s.designFields())
        field->setValue(field->value() + 3.21);
    for (int f = 0; f < kFlagCount; ++f)
        s.setFlag(Flag(f), !s.flag(Flag(f)));
    s.setColour(Colour::ColvarColorComboBox1, colorValueFromRgb(1, 2, 3));
    s.setColour(Colour::ColvarColorComboBox3, colorValueFromRgb(4, 5, 6));
    s.setText(Text::FilenameEdit1, "/pictures/logo.png");
    s.setText(Text::FilenameEdit2, "/pictures/paper.png");
    s.setText(Text::Edit1, "Footer");
    s.setPaperKind(PaperKind::KariertCheck);
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
    PaperSettings& f = const_cast<PaperSettings&>(fresh);
    const std::vector<RealField*> fields = s.designFields();
    const std::vector<RealField*> freshFields = f.designFields();
    for (size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i]->text(), freshFields[i]->text()) << fields[i]->name().toStdString();
    for (size_t i = 0; i < s.inchPairs().size(); ++i) {
        EXPECT_EQ(s.inchPairs()[i].inches->text(), f.inchPairs()[i].inches->text())
            << s.inchPairs()[i].inches->name().toStdString();
    }
    for (int i = 0; i < kFlagCount; ++i)
        EXPECT_EQ(s.flag(Flag(i)), fresh.flag(Flag(i))) << "flag " << i;
    for (int i = 0; i < kColourCount; ++i)
        EXPECT_EQ(s.colour(Colour(i)), fresh.colour(Colour(i))) << "colour " << i;
    for (int i = 0; i < kTextCount; ++i)
        EXPECT_EQ(s.text(Text(i)), QString()) << "text " << i;
    EXPECT_EQ(s.paperKind(), PaperKind::LiniertCheck);
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
    QObject::connect(&s, &PaperSettings::flagChanged, [&](Flag f) {
        if (f == Flag::GrayScaleCheck || f == Flag::LightenCheck || f == Flag::StrongLightCheck)
            textureNameAtFlagChange.push_back(s.text(Text::FilenameEdit2));
    });
    s.resetToNew();
    ASSERT_EQ(textureNameAtFlagChange.size(), 3u);
    for (const QString& name : textureNameAtFlagChange)
        EXPECT_TRUE(name.isEmpty());
}

TEST(PaperSettingsSignals, AreRaisedOnlyForRealChanges) {
    PaperSettings s;
    QSignalSpy flags(&s, &PaperSettings::flagChanged);
    QSignalSpy kinds(&s, &PaperSettings::paperKindChanged);
    QSignalSpy fonts(&s, &PaperSettings::fontChanged);
    s.setFlag(Flag::SVerhCheck, true);
    s.setPaperKind(PaperKind::LiniertCheck);
    s.setFont(s.font());
    EXPECT_EQ(flags.count() + kinds.count() + fonts.count(), 0);
    s.setFlag(Flag::SVerhCheck, false);
    s.setPaperKind(PaperKind::KariertCheck);
    EXPECT_EQ(flags.count(), 1);
    EXPECT_EQ(kinds.count(), 1);
}

} // namespace

#include "settings/real_field.h"

#include <QLocale>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr RealField::Range kSpacing{1, 10000, 0.1, 2};
constexpr RealField::Range kTopEdge{0, 100, 0.1, 2};
constexpr RealField::Range kZoom{10, 1000, 10, 0};
constexpr RealField::Range kUnlimited{0, 0, 1, 2};
constexpr double kInf = std::numeric_limits<double>::infinity();

// Switches the user's number format for one test and back to the C format afterwards.
class NumberFormat {
  public:
    explicit NumberFormat(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~NumberFormat() { QLocale::setDefault(QLocale::c()); }
};

struct ReadCase {
    const char* name;
    RealField::Range range;
    const char* text;
    double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class RealFieldReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RealFieldReading, ReadsTheTextAsTyped) {
    const ReadCase& c = GetParam();
    RealField field("Field", c.range, c.range.minimum);
    field.setText(QString::fromUtf8(c.text));
    EXPECT_DOUBLE_EQ(field.value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RealFieldReading,
    ::testing::Values(ReadCase{"Plain", kSpacing, "9.5", 9.5},
                      ReadCase{"SurroundingBlanks", kSpacing, " 9.5 ", 9.5},
                      ReadCase{"Exponent", kSpacing, "1.5e2", 150},
                      ReadCase{"BeyondTheRangeIsNotClamped", kSpacing, "12345", 12345},
                      ReadCase{"BelowTheRangeIsNotClamped", kSpacing, "0.5", 0.5},
                      ReadCase{"EmptyIsTheMinimum", kSpacing, "", 1},
                      ReadCase{"OnlyASignIsTheMinimum", kSpacing, "-", 1},
                      ReadCase{"OnlyAnEIsTheMinimum", kSpacing, "E", 1},
                      ReadCase{"LettersAreTheMinimum", kSpacing, "abc", 1},
                      ReadCase{"ZeroMinimumForTopEdge", kTopEdge, "", 0},
                      ReadCase{"InfinityIsNotANumber", kSpacing, "inf", 1},
                      ReadCase{"NanIsNotANumber", kSpacing, "nan", 1},
                      ReadCase{"OverflowIsNotANumber", kSpacing, "1e999", 1},
                      ReadCase{"GroupSeparatorIsRefused", kSpacing, "1,000", 1},
                      ReadCase{"WholeNumber", kZoom, "250", 250},
                      ReadCase{"WholeNumberWithSign", kZoom, "+50", 50},
                      ReadCase{"WholeNumberBelowRangeWhileTyping", kZoom, "5", 5},
                      ReadCase{"FractionIsNotAWholeNumber", kZoom, "12.5", 10},
                      ReadCase{"ExponentIsNotAWholeNumber", kZoom, "1e2", 10},
                      ReadCase{"EmptyWholeNumberIsTheMinimum", kZoom, "", 10}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
    const char* name;
    RealField::Range range;
    double value;
    const char* expectedText;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

class RealFieldSetting : public ::testing::TestWithParam<SetCase> {};

TEST_P(RealFieldSetting, ClampsAndWritesTheFieldsDecimals) {
    const SetCase& c = GetParam();
    RealField field("Field", c.range, c.range.minimum);
    field.setValue(c.value);
    EXPECT_EQ(field.text(), QString::fromUtf8(c.expectedText));
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealFieldSetting,
    ::testing::Values(SetCase{"WholeGetsTwoDecimals", kSpacing, 9, "9.00"},
                      SetCase{"RoundsToHundredths", kSpacing, 9.456, "9.46"},
                      SetCase{"RoundsDown", kSpacing, 8.8899825, "8.89"},
                      SetCase{"RoundsUpToTheNextWhole", kSpacing, 507.999, "508.00"},
                      SetCase{"AboveMaximum", kSpacing, 12345, "10000.00"},
                      SetCase{"BelowMinimum", kSpacing, 0.5, "1.00"},
                      SetCase{"ZeroAllowedWhereMinimumIsZero", kTopEdge, 0, "0.00"},
                      SetCase{"NegativeZeroIsZero", kTopEdge, -0.0, "0.00"},
                      SetCase{"NanIsTheMinimum", kSpacing, std::nan(""), "1.00"},
                      SetCase{"InfinityIsTheMaximum", kSpacing, kInf, "10000.00"},
                      SetCase{"MinusInfinityIsTheMinimum", kSpacing, -kInf, "1.00"},
                      SetCase{"EqualBoundsDoNotClampBelow", kUnlimited, -5, "-5.00"},
                      SetCase{"EqualBoundsDoNotClampAbove", kUnlimited, 12345.678, "12345.68"},
                      SetCase{"EqualBoundsStillNeedANumber", kUnlimited, kInf, "0.00"},
                      SetCase{"NegativeRoundingToZeroHasNoSign", kUnlimited, -0.001, "0.00"},
                      SetCase{"WholeNumberHasNoDecimals", kZoom, 250, "250"},
                      SetCase{"WholeNumberClamps", kZoom, 5, "10"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RealFieldFormat, FollowsTheUsersNumberFormat) {
    NumberFormat german(QLocale::German);
    RealField field("Field", kSpacing, 9);
    EXPECT_EQ(field.text(), "9,00");
    field.setValue(9.456);
    EXPECT_EQ(field.text(), "9,46");
    field.setText("12,5");
    EXPECT_DOUBLE_EQ(field.value(), 12.5);
    // A point is a group separator there, not a decimal separator.
    field.setText("9.5");
    EXPECT_DOUBLE_EQ(field.value(), 1);
    field.setValue(12345.5);
    EXPECT_EQ(field.text(), "10000,00") << "no group separator is written";
}

TEST(RealFieldChange, IsSignalledOnlyWhenTheTextChanges) {
    RealField field("Field", kSpacing, 9);
    QSignalSpy changes(&field, &RealField::textChanged);

    field.setValue(9);
    field.setValue(9.001); // still "9.00"
    field.setText("9.00");
    EXPECT_EQ(changes.count(), 0);

    field.setValue(20000);
    field.setValue(12345); // clamps to the same text
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), "10000.00");

    field.setText("9");
    field.setValue(9); // "9" becomes "9.00": a change of text, though not of value
    EXPECT_EQ(changes.count(), 3);
}

struct KeyCase {
    const char* name;
    RealField::Range range;
    char16_t key;
    const char* textAroundCursor;
    bool accepted;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class RealFieldKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(RealFieldKeys, AcceptsOnlyWhatCanMakeANumber) {
    const KeyCase& c = GetParam();
    RealField field("Field", c.range, c.range.minimum);
    EXPECT_EQ(field.acceptsKey(QChar(c.key), QString::fromUtf8(c.textAroundCursor)), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Keys, RealFieldKeys,
                         ::testing::Values(KeyCase{"Digit", kSpacing, u'7', "12", true},
                                           KeyCase{"Plus", kSpacing, u'+', "", true},
                                           KeyCase{"Minus", kSpacing, u'-', "1e", true},
                                           KeyCase{"FirstPoint", kSpacing, u'.', "12", true},
                                           KeyCase{"SecondPoint", kSpacing, u'.', "1.2", false},
                                           KeyCase{"CommaInCFormat", kSpacing, u',', "12", false},
                                           KeyCase{"FirstE", kSpacing, u'E', "12", true},
                                           KeyCase{"FirstSmallE", kSpacing, u'e', "12", true},
                                           KeyCase{"SecondE", kSpacing, u'e', "1E2", false},
                                           KeyCase{"OtherLetter", kSpacing, u'x', "", false},
                                           KeyCase{"Blank", kSpacing, u' ', "", false},
                                           KeyCase{"NonLatinDigit", kSpacing, u'\u0663', "", false},
                                           KeyCase{"WholeNumberDigit", kZoom, u'5', "10", true},
                                           KeyCase{"WholeNumberSign", kZoom, u'-', "", true},
                                           KeyCase{"WholeNumberPoint", kZoom, u'.', "10", false},
                                           KeyCase{"WholeNumberE", kZoom, u'e', "10", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RealFieldKeys, TakeTheDecimalSeparatorOfTheUsersFormat) {
    NumberFormat german(QLocale::German);
    RealField field("Field", kSpacing, 9);
    EXPECT_TRUE(field.acceptsKey(u',', "12"));
    EXPECT_FALSE(field.acceptsKey(u',', "1,2"));
    EXPECT_FALSE(field.acceptsKey(u'.', "12"));
}

TEST(RealFieldText, IsAcceptedWhenItCouldHaveBeenTypedKeyByKey) {
    const RealField spacing("Field", kSpacing, 9);
    const RealField zoom("ZoomEd", kZoom, 100);
    const std::tuple<const RealField*, const char*, bool> rows[] = {
        {&spacing, "-12.5e+3", true}, {&spacing, "", true},      {&spacing, "12sxq", false},
        {&spacing, "1.2.3", false},   {&spacing, "1e2E", false}, {&spacing, "1 2", false},
        {&zoom, "250", true},         {&zoom, "2.5", false},
    };
    for (const auto& [field, text, accepted] : rows)
        EXPECT_EQ(field->acceptsText(QString::fromUtf8(text)), accepted) << text;
}

struct LeaveCase {
    const char* name;
    RealField::Range range;
    const char* typed;
    const char* afterLeaving;
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    *os << c.name;
}

class RealFieldLeave : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(RealFieldLeave, RewritesOnlyValuesOutsideTheRange) {
    const LeaveCase& c = GetParam();
    RealField field("Field", c.range, c.range.minimum);
    field.setText(QString::fromUtf8(c.typed));
    field.leave();
    EXPECT_EQ(field.text(), QString::fromUtf8(c.afterLeaving));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RealFieldLeave,
    ::testing::Values(LeaveCase{"InsideKeepsItsText", kSpacing, "9.5", "9.5"},
                      LeaveCase{"AboveIsClamped", kSpacing, "12345", "10000.00"},
                      LeaveCase{"BelowIsClamped", kSpacing, "0.5", "1.00"},
                      LeaveCase{"NotANumberReadsAsTheMinimumAndStays", kSpacing, "abc", "abc"},
                      LeaveCase{"ZoomBelowRange", kZoom, "5", "10"},
                      LeaveCase{"ZoomAboveRange", kZoom, "5000", "1000"},
                      LeaveCase{"ZoomInside", kZoom, "250", "250"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RealFieldStep, MovesByTheStepWithinTheRange) {
    RealField spacing("Field", kSpacing, 9);
    spacing.stepBy(3);
    EXPECT_EQ(spacing.text(), "9.30");
    spacing.stepBy(-5);
    EXPECT_EQ(spacing.text(), "8.80");

    spacing.setValue(1);
    spacing.stepBy(-1);
    EXPECT_EQ(spacing.text(), "1.00");
    spacing.setValue(10000);
    spacing.stepBy(1);
    EXPECT_EQ(spacing.text(), "10000.00");

    spacing.setText("abc"); // steps from the minimum it reads as
    spacing.stepBy(1);
    EXPECT_EQ(spacing.text(), "1.10");

    RealField zoom("ZoomEd", kZoom, 100);
    zoom.stepBy(1);
    EXPECT_EQ(zoom.text(), "110");
    zoom.setText("995");
    zoom.stepBy(1);
    EXPECT_EQ(zoom.text(), "1000");
}

} // namespace

#include "settings/presets.h"

#include "settings/paper_settings.h"
#include "settings/setting_names.h"
#include "support/succeeds.h"

#include <gtest/gtest.h>

namespace {

// Each preset gives its paper whatever the design was before, and keeps the rest of it.
TEST(Presets, SetThePaperAndKeepEdgesPicturesAndText) {
    struct Row {
        const char* preset;
        PaperKind kind;
        Setting spacing;
        double mm;
        std::vector<std::pair<Setting, double>> more;
        std::vector<Setting> on = {};
    };
    const Row rows[] = {
        {"college", PaperKind::Ruled, Setting::LineSpaceEd, 7.1, {{Setting::Guide1Ed, 0}}},
        {"wide", PaperKind::Ruled, Setting::LineSpaceEd, 8.7, {}},
        {"seyes",
         PaperKind::Ruled,
         Setting::LineSpaceEd,
         8,
         {{Setting::Guide1Ed, 2}, {Setting::Guide2Ed, 4}, {Setting::Guide3Ed, 6}}},
        {"engineering",
         PaperKind::Checkered,
         Setting::CaretSpaceED,
         5,
         {{Setting::MajorEveryEd, 5}}},
        {"dots", PaperKind::DotGrid, Setting::CaretSpaceED, 5, {{Setting::MajorEveryEd, 0}}},
        {"handwriting",
         PaperKind::Ruled,
         Setting::LineSpaceEd,
         16,
         {{Setting::Guide1Ed, 4}, {Setting::Guide2Ed, 8}, {Setting::Guide3Ed, -4}}},
        {"music",
         PaperKind::Ruled,
         Setting::LineSpaceEd,
         16,
         {{Setting::Guide1Ed, 2}, {Setting::Guide4Ed, 8}}},
        {"millimetre",
         PaperKind::Checkered,
         Setting::CaretSpaceED,
         1,
         {{Setting::MajorEveryEd, 5}, {Setting::Major2EveryEd, 10}}},
        {"isometric", PaperKind::Isometric, Setting::LineSpaceEd, 5, {}},
        {"hex", PaperKind::Hexagonal, Setting::LineSpaceEd, 5, {}},
        {"cornell", PaperKind::Ruled, Setting::LineSpaceEd, 7.1, {}, {Setting::CornellCheck}},
        {"copperplate",
         PaperKind::Ruled,
         Setting::SlantSpaceEd,
         10,
         {{Setting::SlantAngleEd, 55}, {Setting::Guide1Ed, 0}},
         {Setting::SlantCheck}},
    };
    ASSERT_EQ(presets().size(), std::size(rows));
    for (const Row& row : rows) {
        PaperSettings s;
        s.setPaperKind(PaperKind::DotGrid);
        s.field(Setting::Guide1Ed).setValue(9);
        s.field(Setting::MajorEveryEd).setValue(3);
        s.field(Setting::LeftBorderEd).setValue(4);
        s.setText(Setting::FilenameEdit1, "/pictures/logo.png");
        s.setText(Setting::Edit1, "Name:");
        ASSERT_SUCCEEDS(applyPreset(s, row.preset)) << row.preset;
        EXPECT_EQ(s.paperKind(), row.kind) << row.preset;
        EXPECT_EQ(s.field(row.spacing).value(), row.mm) << row.preset;
        for (const auto& [setting, value] : row.more)
            EXPECT_EQ(s.field(setting).value(), value)
                << row.preset << " " << describe(setting).name;
        for (const Setting setting : row.on)
            EXPECT_TRUE(s.flag(setting)) << row.preset << " " << describe(setting).name;
        EXPECT_EQ(s.field(Setting::LeftBorderEd).value(), 4) << row.preset;
        EXPECT_EQ(s.text(Setting::FilenameEdit1), "/pictures/logo.png") << row.preset;
        EXPECT_EQ(s.text(Setting::Edit1), "Name:") << row.preset;
    }
    PaperSettings s;
    const QJsonObject before = settingsToJson(s);
    EXPECT_TRUE(applyPreset(s, "legal-pad").message().contains("college, wide"));
    EXPECT_EQ(settingsToJson(s), before);
}

} // namespace

#include "settings/presets.h"

#include "settings/paper_settings.h"
#include "settings/setting_names.h"

#include <QStringList>

namespace {

// Handwriting: the ruled line is the baseline, with dashed guides at the x-height, the
// ascender and the descender. Music: the ruled line is a staff's lowest line and its pitch
// the space between staves; the four guides above it are the staff's other lines.
// Millimetre paper: centimetres in the second weight, half centimetres in the first, all in
// the orange of the printed kind. Copperplate: slant lines at the script's 55 degrees.
constexpr Preset kPresets[] = {
    {"college", "College ruled (7.1 mm)", "LineSpaceEd=7.1"},
    {"wide", "Wide ruled (8.7 mm)", "LineSpaceEd=8.7"},
    {"seyes", "Seyes (8 mm, guides every 2 mm)", "LineSpaceEd=8 Guide1Ed=2 Guide2Ed=4 Guide3Ed=6"},
    {"engineering", "Engineering (5 mm squares, bold every 5)",
     "KariertCheck=on CaretSpaceED=5 MajorEveryEd=5"},
    {"dots", "Dot grid (5 mm)", "DotGridCheck=on CaretSpaceED=5"},
    {"handwriting", "Handwriting (x-height, ascender, descender)",
     "LineSpaceEd=16 Guide1Ed=4 Guide2Ed=8 Guide3Ed=-4 GuideDashedCheck=on"},
    {"music", "Music staves",
     "LineSpaceEd=16 Guide1Ed=2 Guide2Ed=4 Guide3Ed=6 Guide4Ed=8 ColvarColorComboBox1=#808080 "
     "GuideColor=#808080 GuideWidthEd=0.75"},
    {"millimetre", "Millimetre paper (bold every 5 and 10)",
     "KariertCheck=on CaretSpaceED=1 MajorEveryEd=5 Major2EveryEd=10 LineWidthEd=0.25 "
     "MajorWidthEd=0.5 Major2WidthEd=1 ColvarColorComboBox1=#FFB060 MajorColor=#FF8C00 "
     "Major2Color=#E06000"},
    {"isometric", "Isometric (5 mm)", "IsoCheck=on LineSpaceEd=5"},
    {"hex", "Hexagonal (5 mm, flat top)", "HexCheck=on LineSpaceEd=5"},
    {"cornell", "Cornell notes (college ruled)", "LineSpaceEd=7.1 CornellCheck=on"},
    {"copperplate", "Copperplate (slant lines at 55 degrees)",
     "SlantCheck=on SlantAngleEd=55 SlantSpaceEd=10"},
};

// What a preset decides: the Basic page's settings and everything the older kinds lacked.
bool belongsToThePaper(const SettingDescription& d) {
    switch (d.setting) {
    case Setting::LiniertCheck:
    case Setting::LineSpaceEd:
    case Setting::WithoutFirstLineCheck:
    case Setting::WithoutLastLineCheck:
    case Setting::CaretSpaceED:
    case Setting::ColvarColorComboBox1:
    case Setting::LineWidthEd:
        return true;
    default:
        return d.place == Place::Extension;
    }
}

} // namespace

std::span<const Preset> presets() {
    return kPresets;
}

Failure applyPreset(PaperSettings& settings, const QString& name) {
    for (const Preset& p : kPresets) {
        if (name != QLatin1String(p.name))
            continue;
        for (const SettingDescription& d : settingTable()) {
            if (!belongsToThePaper(d))
                continue;
            if (d.kind == SettingKind::Real)
                settings.field(d.setting).setValue(d.newValue);
            else
                settings.setNumber(d.setting, qint64(d.newValue));
        }
        for (const QString& assignment : QString::fromLatin1(p.settings).split(u' ')) {
            const qsizetype equals = assignment.indexOf(u'=');
            const Failure error =
                assignSetting(settings, assignment.left(equals), assignment.mid(equals + 1));
            Q_ASSERT_X(error.succeeded(), "applyPreset",
                       "a preset names its settings as show does");
        }
        return Failure::none();
    }
    QStringList names;
    for (const Preset& p : kPresets)
        names << QLatin1String(p.name);
    return Failure::because(QStringLiteral("There is no preset called \"%1\"; the presets are %2.")
                                .arg(name, names.join(QStringLiteral(", "))));
}

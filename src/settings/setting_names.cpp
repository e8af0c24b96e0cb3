#include "settings/setting_names.h"

#include "base/system_file_names.h"
#include "settings/paper_settings.h"

#include <QJsonValue>
#include <QLocale>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    // "nan" and "inf" read as numbers, but no field has a place for them.
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<qint64> parseInteger(const QString& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

std::optional<bool> parseOnOff(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == u"on" || t == u"true" || t == u"1" || t == u"yes")
        return true;
    if (t == u"off" || t == u"false" || t == u"0" || t == u"no")
        return false;
    return std::nullopt;
}

std::optional<ColorValue> parseColour(const QString& text) {
    const QString t = text.trimmed();
    if (t.startsWith(u'#')) {
        // Exactly six hexadecimal digits: the number parser would also let a sign, blanks or
        // "0x" through.
        const QString digits = t.mid(1);
        const auto isHexDigit = [](QChar c) { return c.unicode() < 128 && isxdigit(c.unicode()); };
        if (digits.size() != 6 || !std::all_of(digits.begin(), digits.end(), isHexDigit))
            return std::nullopt;
        const uint rgb = digits.toUInt(nullptr, 16);
        return colorValueFromRgb((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
    }
    const std::optional<qint64> v = parseInteger(t);
    if (!v || *v < INT32_MIN || *v > UINT32_MAX)
        return std::nullopt;
    return ColorValue(quint32(*v));
}

QString badValue(const QString& name, const QString& value, const QString& expected) {
    return QStringLiteral("The value \"%1\" for %2 is not %3.").arg(value, name, expected);
}

} // namespace

QJsonObject settingsToJson(const PaperSettings& s) {
    QJsonObject json;
    for (const SettingDescription& d : settingTable()) {
        const QString name = QLatin1String(d.name);
        switch (d.kind) {
        case SettingKind::Choice:
            // Every button of the group by its own name, as the window shows them.
            for (int button = 0; button < buttonCount(d); ++button)
                json.insert(QLatin1String(d.buttons[button]), s.number(d.setting) == button);
            break;
        case SettingKind::Check:
            json.insert(name, s.flag(d.setting));
            break;
        case SettingKind::Real:
            json.insert(name, s.field(d.setting).value());
            break;
        case SettingKind::Colour:
        case SettingKind::Whole:
            json.insert(name, s.number(d.setting));
            break;
        case SettingKind::Text:
        case SettingKind::FileName:
            json.insert(name, s.text(d.setting));
            break;
        }
    }
    return json;
}

QStringList settingNames() {
    return settingsToJson(PaperSettings()).keys();
}

namespace {

Failure assign(PaperSettings& s, const SettingDescription& d, const QString& name,
               const QString& value) {
    switch (d.kind) {
    case SettingKind::Choice: {
        if (parseOnOff(value) != true)
            return Failure::because(badValue(
                name, value, QStringLiteral("on (switch on another button of its group instead)")));
        for (int button = 0; button < buttonCount(d); ++button) {
            if (name == QLatin1String(d.buttons[button]))
                s.setNumber(d.setting, button);
        }
        return Failure::none();
    }
    case SettingKind::Check: {
        const std::optional<bool> on = parseOnOff(value);
        if (!on)
            return Failure::because(badValue(name, value, QStringLiteral("on or off")));
        s.setFlag(d.setting, *on);
        return Failure::none();
    }
    case SettingKind::Real: {
        const std::optional<double> v = parseNumber(value);
        if (!v)
            return Failure::because(badValue(name, value, QStringLiteral("a number")));
        s.field(d.setting).setValue(*v);
        return Failure::none();
    }
    case SettingKind::Colour: {
        const std::optional<ColorValue> colour = parseColour(value);
        if (!colour)
            return Failure::because(
                badValue(name, value, QStringLiteral("a colour value or #RRGGBB")));
        s.setColour(d.setting, *colour);
        return Failure::none();
    }
    case SettingKind::Whole: {
        const std::optional<qint64> v = parseInteger(value);
        if (!v || *v < d.range.minimum || *v > d.range.maximum)
            return Failure::because(badValue(name, value,
                                             QStringLiteral("a whole number from %1 to %2")
                                                 .arg(d.range.minimum)
                                                 .arg(d.range.maximum)));
        s.setNumber(d.setting, *v);
        return Failure::none();
    }
    case SettingKind::Text:
        if (value.isEmpty() && d.needsText)
            return Failure::because(
                badValue(name, value, QStringLiteral("a %1").arg(QLatin1String(d.what))));
        s.setText(d.setting, value);
        return Failure::none();
    case SettingKind::FileName:
        s.setText(d.setting, value.isEmpty() ? value : absoluteFileName(value));
        return Failure::none();
    }
    return Failure::none();
}

bool isNamed(const SettingDescription& d, const QString& name) {
    if (d.kind != SettingKind::Choice)
        return name == QLatin1String(d.name);
    for (int button = 0; button < buttonCount(d); ++button) {
        if (name == QLatin1String(d.buttons[button]))
            return true;
    }
    return false;
}

} // namespace

Failure assignSetting(PaperSettings& s, const QString& name, const QString& value) {
    // Only the stored settings: the inch twins and the zoom are views, not part of the design.
    for (const SettingDescription& d : settingTable()) {
        if (isNamed(d, name))
            return assign(s, d, name, value);
    }
    return Failure::because(QStringLiteral("There is no setting called \"%1\".").arg(name));
}

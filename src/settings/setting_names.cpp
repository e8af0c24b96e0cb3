#include "settings/setting_names.h"

#include "settings/paper_settings.h"

#include <QFileInfo>
#include <QJsonValue>
#include <QLocale>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

namespace {

struct FlagName {
    const char* name;
    Flag flag;
};
constexpr FlagName kFlags[] = {
    {"WithoutFirstLineCheck", Flag::WithoutFirstLineCheck},
    {"WithoutLastLineCheck", Flag::WithoutLastLineCheck},
    {"LeftBorderLineCheck", Flag::LeftBorderLineCheck},
    {"NoLeftBorderFillCheck", Flag::NoLeftBorderFillCheck},
    {"RightBorderLineCheck", Flag::RightBorderLineCheck},
    {"NoRightBorderFillCheck", Flag::NoRightBorderFillCheck},
    {"SVerhCheck", Flag::SVerhCheck},
    {"SVerh2Check", Flag::SVerh2Check},
    {"GrayScaleCheck", Flag::GrayScaleCheck},
    {"LightenCheck", Flag::LightenCheck},
    {"StrongLightCheck", Flag::StrongLightCheck},
};

struct ColourName {
    const char* name;
    Colour colour;
};
constexpr ColourName kColours[] = {
    {"ColvarColorComboBox1", Colour::ColvarColorComboBox1},
    {"ColvarColorComboBox3", Colour::ColvarColorComboBox3},
};

struct TextName {
    const char* name;
    Text text;
    bool isFileName;
};
constexpr TextName kTexts[] = {
    {"FilenameEdit1", Text::FilenameEdit1, true},
    {"FilenameEdit2", Text::FilenameEdit2, true},
    {"Edit1", Text::Edit1, false},
};

// The buttons of the three radio groups, each with the setter that switches it on.
struct RadioName {
    const char* name;
    std::function<bool(const PaperSettings&)> isOn;
    std::function<void(PaperSettings&)> switchOn;
};

template <class Enum, Enum (PaperSettings::*Get)() const, void (PaperSettings::*Set)(Enum)>
RadioName radio(const char* name, Enum value) {
    return {name, [value](const PaperSettings& s) { return (s.*Get)() == value; },
            [value](PaperSettings& s) { (s.*Set)(value); }};
}

const std::vector<RadioName>& radioNames() {
    using S = PaperSettings;
    static const std::vector<RadioName> names = {
        radio<PaperKind, &S::paperKind, &S::setPaperKind>("LiniertCheck", PaperKind::LiniertCheck),
        radio<PaperKind, &S::paperKind, &S::setPaperKind>("KariertCheck", PaperKind::KariertCheck),
        radio<PictureCorner, &S::pictureCorner, &S::setPictureCorner>("obenlinks",
                                                                      PictureCorner::obenlinks),
        radio<PictureCorner, &S::pictureCorner, &S::setPictureCorner>("obenrechts",
                                                                      PictureCorner::obenrechts),
        radio<PictureCorner, &S::pictureCorner, &S::setPictureCorner>("untenlinks",
                                                                      PictureCorner::untenlinks),
        radio<PictureCorner, &S::pictureCorner, &S::setPictureCorner>("untenrechts",
                                                                      PictureCorner::untenrechts),
        radio<MergeMode, &S::mergeMode, &S::setMergeMode>("NOMergeCheck", MergeMode::NOMergeCheck),
        radio<MergeMode, &S::mergeMode, &S::setMergeMode>("Merge1Check", MergeMode::Merge1Check),
        radio<MergeMode, &S::mergeMode, &S::setMergeMode>("Merge2Check", MergeMode::Merge2Check),
    };
    return names;
}

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
    for (const RadioName& r : radioNames())
        json.insert(QLatin1String(r.name), r.isOn(s));
    for (RealField* field : const_cast<PaperSettings&>(s).designFields())
        json.insert(field->name(), field->value());
    for (const FlagName& f : kFlags)
        json.insert(QLatin1String(f.name), s.flag(f.flag));
    for (const ColourName& c : kColours)
        json.insert(QLatin1String(c.name), s.colour(c.colour));
    for (const TextName& t : kTexts)
        json.insert(QLatin1String(t.name), s.text(t.text));
    const FreeTextFont& font = s.font();
    json.insert(QStringLiteral("FontName"), font.name);
    json.insert(QStringLiteral("FontColor"), font.color);
    json.insert(QStringLiteral("FontCharset"), font.charset);
    json.insert(QStringLiteral("FontSize"), font.sizePoints);
    json.insert(QStringLiteral("FontPitch"), font.pitch);
    return json;
}

QStringList settingNames() {
    return settingsToJson(PaperSettings()).keys();
}

std::optional<QString> assignSetting(PaperSettings& s, const QString& name, const QString& value) {
    // Only the stored fields: the inch twins and the zoom are views, not part of the design.
    const std::vector<RealField*> fields = s.designFields();
    const auto stored = std::find_if(fields.begin(), fields.end(),
                                     [&](const RealField* f) { return f->name() == name; });
    if (stored != fields.end()) {
        RealField* field = *stored;
        const std::optional<double> v = parseNumber(value);
        if (!v)
            return badValue(name, value, QStringLiteral("a number"));
        field->setValue(*v);
        return std::nullopt;
    }
    for (const FlagName& f : kFlags) {
        if (name != QLatin1String(f.name))
            continue;
        const std::optional<bool> on = parseOnOff(value);
        if (!on)
            return badValue(name, value, QStringLiteral("on or off"));
        s.setFlag(f.flag, *on);
        return std::nullopt;
    }
    for (const RadioName& r : radioNames()) {
        if (name != QLatin1String(r.name))
            continue;
        if (parseOnOff(value) != true)
            return badValue(name, value,
                            QStringLiteral("on (switch on another button of its group instead)"));
        r.switchOn(s);
        return std::nullopt;
    }
    for (const ColourName& c : kColours) {
        if (name != QLatin1String(c.name))
            continue;
        const std::optional<ColorValue> colour = parseColour(value);
        if (!colour)
            return badValue(name, value, QStringLiteral("a colour value or #RRGGBB"));
        s.setColour(c.colour, *colour);
        return std::nullopt;
    }
    for (const TextName& t : kTexts) {
        if (name != QLatin1String(t.name))
            continue;
        const bool resolve = t.isFileName && !value.isEmpty();
        s.setText(t.text, resolve ? QFileInfo(value).absoluteFilePath() : value);
        return std::nullopt;
    }

    FreeTextFont font = s.font();
    if (name == u"FontName") {
        if (value.isEmpty())
            return badValue(name, value, QStringLiteral("a font name"));
        font.name = value;
    } else if (name == u"FontColor") {
        const std::optional<ColorValue> colour = parseColour(value);
        if (!colour)
            return badValue(name, value, QStringLiteral("a colour value or #RRGGBB"));
        font.color = *colour;
    } else if (name == u"FontCharset" || name == u"FontPitch" || name == u"FontSize") {
        const std::optional<qint64> v = parseInteger(value);
        const qint64 limit = name == u"FontCharset" ? 255 : name == u"FontPitch" ? 2 : 1638;
        if (!v || *v < (name == u"FontSize" ? 1 : 0) || *v > limit)
            return badValue(name, value, QStringLiteral("a whole number up to %1").arg(limit));
        if (name == u"FontCharset")
            font.charset = quint8(*v);
        else if (name == u"FontPitch")
            font.pitch = quint8(*v);
        else
            font.sizePoints = qint32(*v);
    } else {
        return QStringLiteral("There is no setting called \"%1\".").arg(name);
    }
    s.setFont(font);
    return std::nullopt;
}

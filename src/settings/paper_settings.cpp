#include "settings/paper_settings.h"

#include "settings/inch_twin.h"
#include "settings/scoped_value.h"

namespace {

constexpr RealField::Range kInches{0, 10, 0.01, 2};
constexpr RealField::Range kZoomPercent{10, 1000, 10, 0};

bool holdsNumber(SettingKind kind) {
    switch (kind) {
    case SettingKind::Choice:
    case SettingKind::Check:
    case SettingKind::Colour:
    case SettingKind::Whole:
        return true;
    case SettingKind::Real:
    case SettingKind::Text:
    case SettingKind::FileName:
        return false;
    }
    return false;
}

} // namespace

PaperSettings::PaperSettings(QObject* parent)
    : QObject(parent), ZoomEd(QStringLiteral("ZoomEd"), kZoomPercent, 100) {
    for (const SettingDescription& d : settingTable()) {
        const int i = int(d.setting);
        if (d.kind == SettingKind::Real) {
            m_fields[i] = std::make_unique<RealField>(QLatin1String(d.name), d.range, d.newValue);
            if (d.inchTwin) {
                m_inchTwins[i] = std::make_unique<RealField>(QLatin1String(d.inchTwin), kInches, 0);
                connect(m_fields[i].get(), &RealField::textChanged, this,
                        [this, setting = d.setting] { lengthFieldChanged(setting); });
                connect(m_inchTwins[i].get(), &RealField::textChanged, this, [this, i] {
                    if (!m_inchTwinUpdating)
                        m_twinEdited[i] = true;
                });
                lengthFieldChanged(d.setting);
            }
        } else if (holdsNumber(d.kind)) {
            m_numbers[i] = qint64(d.newValue);
        } else {
            m_texts[i] = QLatin1String(d.newText);
        }
    }
    // Until New or a document says otherwise, the free text has the desktop's text colour.
    m_numbers[int(Setting::FontColor)] = FreeTextFont().color;
}

PaperSettings::~PaperSettings() = default;

void PaperSettings::setNumber(Setting setting, qint64 value) {
    if (!holdsNumber(describe(setting).kind) || m_numbers[int(setting)] == value)
        return;
    m_numbers[int(setting)] = value;
    emit changed(setting);
}

void PaperSettings::setText(Setting setting, const QString& value) {
    const SettingDescription& d = describe(setting);
    if (d.stored != Stored::String)
        return;
    const QString kept = d.keptLength > 0 ? value.left(d.keptLength) : value;
    if (m_texts[int(setting)] == kept)
        return;
    m_texts[int(setting)] = kept;
    emit changed(setting);
}

FreeTextFont PaperSettings::font() const {
    FreeTextFont font = m_fontStyle;
    font.name = text(Setting::FontName);
    font.color = colour(Setting::FontColor);
    font.charset = quint8(number(Setting::FontCharset));
    font.sizePoints = qint32(number(Setting::FontSize));
    font.pitch = quint8(number(Setting::FontPitch));
    return font;
}

void PaperSettings::setFont(const FreeTextFont& font) {
    m_fontStyle = font;
    setText(Setting::FontName, font.name);
    setColour(Setting::FontColor, font.color);
    setNumber(Setting::FontCharset, font.charset);
    setNumber(Setting::FontSize, font.sizePoints);
    setNumber(Setting::FontPitch, font.pitch);
}

void PaperSettings::resetToNew() {
    for (const SettingDescription& d : settingTable()) {
        if (d.kind == SettingKind::Real)
            field(d.setting).setValue(d.newValue);
        else if (holdsNumber(d.kind))
            setNumber(d.setting, qint64(d.newValue));
        else
            setText(d.setting, QLatin1String(d.newText));
    }
}

void PaperSettings::lengthFieldChanged(Setting length) {
    // Not blocked: the twin's spin edit shows what its field holds through the same signal.
    const ScopedValue updating(m_inchTwinUpdating, true);
    inchTwin(length).setValue(lengthToInches(field(length).value(), describe(length).unit));
    m_twinEdited[int(length)] = false;
}

void PaperSettings::leaveInchTwin(Setting length) {
    RealField& twin = inchTwin(length);
    if (!m_inchTwinUpdating && m_twinEdited[int(length)]) {
        field(length).setValue(inchesToLength(twin.value(), describe(length).unit));
    }
    twin.leave();
    // Whatever the twin shows now, the user has not typed it.
    m_twinEdited[int(length)] = false;
}

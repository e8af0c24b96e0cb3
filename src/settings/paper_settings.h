#pragma once

#include "settings/color_value.h"
#include "settings/free_text_font.h"
#include "settings/page_design.h"
#include "settings/real_field.h"
#include "settings/setting_table.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

// The whole writing-paper design, one record that the window's controls are bound to, made
// from the table of settings. Reading a setting gives what its control shows; setting one goes
// through the control's own clamping and formatting, and a length field's change rewrites its
// inch twin.
class PaperSettings : public QObject {
    Q_OBJECT
  public:
    explicit PaperSettings(QObject* parent = nullptr);
    ~PaperSettings() override;

    // A real field of the design, in its own unit (mm, cm or points).
    RealField& field(Setting setting) { return *m_fields[int(setting)]; }
    const RealField& field(Setting setting) const { return *m_fields[int(setting)]; }
    // The field that shows a length in inches: a view, not a setting.
    RealField& inchTwin(Setting length) { return *m_inchTwins[int(length)]; }
    const RealField& inchTwin(Setting length) const { return *m_inchTwins[int(length)]; }

    // Check boxes (0 or 1), choices (the button that is on), colours and the font's whole
    // numbers. Setting one that is not a number of the design does nothing.
    qint64 number(Setting setting) const { return m_numbers[int(setting)]; }
    void setNumber(Setting setting, qint64 value);
    bool flag(Setting setting) const { return number(setting) != 0; }
    void setFlag(Setting setting, bool on) { setNumber(setting, on ? 1 : 0); }
    ColorValue colour(Setting setting) const { return ColorValue(number(setting)); }
    void setColour(Setting setting, ColorValue value) { setNumber(setting, value); }

    // The file names, the free text and the font's name. A font name is cut to the length
    // the font dialog keeps.
    const QString& text(Setting setting) const { return m_texts[int(setting)]; }
    void setText(Setting setting, const QString& value);

    PaperKind paperKind() const { return PaperKind(number(Setting::LiniertCheck)); }
    void setPaperKind(PaperKind kind) { setNumber(Setting::LiniertCheck, int(kind)); }
    PictureCorner pictureCorner() const { return PictureCorner(number(Setting::obenlinks)); }
    void setPictureCorner(PictureCorner corner) { setNumber(Setting::obenlinks, int(corner)); }
    MergeMode mergeMode() const { return MergeMode(number(Setting::NOMergeCheck)); }
    void setMergeMode(MergeMode mode) { setNumber(Setting::NOMergeCheck, int(mode)); }

    // The free-text font: its stored parts and the style, which documents do not store.
    FreeTextFont font() const;
    void setFont(const FreeTextFont& font);

    // The preview zoom: beside the design, neither stored nor reset by New.
    RealField ZoomEd;

    // The New command: every setting back to what New gives it, in document order, so that
    // the texture's name is emptied before its filter options are set and loads nothing. The
    // font style stays, and so does the zoom.
    void resetToNew();

    // What leaving an inch twin does: converts it back into its length field, but only when
    // the user edited the twin since it was last written from the length. A twin shows its
    // length rounded to hundredths of an inch, and converting that back unasked would change
    // a value the user never touched.
    void leaveInchTwin(Setting length);
    bool inchTwinUpdating() const { return m_inchTwinUpdating; }

  signals:
    // A check box, choice, colour, text or font number changed; real fields tell their own.
    void changed(Setting setting);

  private:
    void lengthFieldChanged(Setting length);

    std::array<std::unique_ptr<RealField>, kSettingCount> m_fields;
    std::array<std::unique_ptr<RealField>, kSettingCount> m_inchTwins;
    std::array<qint64, kSettingCount> m_numbers{};
    std::array<QString, kSettingCount> m_texts;
    FreeTextFont m_fontStyle; // only its style counts
    bool m_inchTwinUpdating = false;
    // Twins whose text the user changed since it was last written from their length.
    std::array<bool, kSettingCount> m_twinEdited{};
};

// The design the settings describe right now; cheap enough to make at every draw.
PageDesign pageDesignOf(const PaperSettings& settings);

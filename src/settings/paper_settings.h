#pragma once

#include "settings/color_value.h"
#include "settings/free_text_font.h"
#include "settings/real_field.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <array>
#include <vector>

// The on/off settings, named after the check boxes that edit them.
enum class Flag {
    WithoutFirstLineCheck,
    WithoutLastLineCheck,
    LeftBorderLineCheck,
    NoLeftBorderFillCheck,
    RightBorderLineCheck,
    NoRightBorderFillCheck,
    SVerhCheck,
    SVerh2Check,
    GrayScaleCheck,
    LightenCheck,
    StrongLightCheck,
};
constexpr int kFlagCount = 11;

enum class Colour { ColvarColorComboBox1, ColvarColorComboBox3 };
constexpr int kColourCount = 2;

enum class Text { FilenameEdit1, FilenameEdit2, Edit1 };
constexpr int kTextCount = 3;

// The three radio groups. Their numbers are the ones documents store.
enum class PaperKind { LiniertCheck = 0, KariertCheck = 1 };
enum class PictureCorner { obenlinks = 0, obenrechts = 1, untenlinks = 2, untenrechts = 3 };
enum class MergeMode { NOMergeCheck = 0, Merge1Check = 1, Merge2Check = 2 };

// One length field and the field that shows the same length in inches.
struct InchPair {
    RealField* length;
    RealField* inches;
    bool centimetres; // false: millimetres
};

// The whole writing-paper design, one record that the window's controls are bound to.
// Reading a setting gives what its control shows; setting one goes through the control's
// own clamping and formatting, and a length field's change rewrites its inch twin.
class PaperSettings : public QObject {
    Q_OBJECT
  public:
    explicit PaperSettings(QObject* parent = nullptr);

    // Length and width fields, in their own units (mm, cm or points).
    RealField LineSpaceEd;
    RealField CaretSpaceED;
    RealField LineWidthEd;
    RealField LeftBorderEd;
    RealField RightBorderEd;
    RealField RRLineWidthED;
    RealField BorderTopEd;
    RealField BorderBottomEd;
    RealField PosXEd;
    RealField PosYEd;
    RealField BreitEd;
    RealField HochEd;
    RealField BreitEd2;
    RealField HochEd2;

    // Their inch twins: views, not settings.
    RealField LineSpaceinEd;
    RealField CaretSpaceinED;
    RealField LeftBorderinEd;
    RealField RightBorderinEd;
    RealField BorderTopinEd;
    RealField BorderBottominEd;
    RealField PosXinEd;
    RealField PosYinEd;
    RealField BreitinEd;
    RealField HochinEd;
    RealField BreitinEd2;
    RealField HochinEd2;

    // The preview zoom: beside the design, neither stored nor reset by New.
    RealField ZoomEd;

    // The twelve length fields with their twins, in the order in which they are first filled.
    const std::vector<InchPair>& inchPairs() const { return m_inchPairs; }
    // Every real field of the design that documents store (not the twins, not the zoom).
    std::vector<RealField*> designFields();

    bool flag(Flag f) const { return m_flags[int(f)]; }
    void setFlag(Flag f, bool on);

    ColorValue colour(Colour c) const { return m_colours[int(c)]; }
    void setColour(Colour c, ColorValue value);

    const QString& text(Text t) const { return m_texts[int(t)]; }
    void setText(Text t, const QString& value);

    PaperKind paperKind() const { return m_paperKind; }
    void setPaperKind(PaperKind kind);
    PictureCorner pictureCorner() const { return m_pictureCorner; }
    void setPictureCorner(PictureCorner corner);
    MergeMode mergeMode() const { return m_mergeMode; }
    void setMergeMode(MergeMode mode);

    const FreeTextFont& font() const { return m_font; }
    void setFont(const FreeTextFont& font);

    // The New command: every setting back to its default, in the command's order. The font
    // colour becomes black, the font style stays, the zoom stays.
    void resetToNew();

    // What leaving an inch twin does: converts it back into its length field, but only when
    // the user edited the twin since it was last written from the length. A twin shows its
    // length rounded to hundredths of an inch, and converting that back unasked would change
    // a value the user never touched.
    void leaveInchTwin(RealField& twin);
    bool inchTwinUpdating() const { return m_inchTwinUpdating; }

  signals:
    void flagChanged(Flag flag);
    void colourChanged(Colour colour);
    void textChanged(Text text);
    void paperKindChanged();
    void pictureCornerChanged();
    void mergeModeChanged();
    void fontChanged();

  private:
    void lengthFieldChanged(const InchPair& pair);

    std::vector<InchPair> m_inchPairs;
    std::array<bool, kFlagCount> m_flags{};
    std::array<ColorValue, kColourCount> m_colours{};
    std::array<QString, kTextCount> m_texts;
    PaperKind m_paperKind = PaperKind::LiniertCheck;
    PictureCorner m_pictureCorner = PictureCorner::obenlinks;
    MergeMode m_mergeMode = MergeMode::NOMergeCheck;
    FreeTextFont m_font;
    bool m_inchTwinUpdating = false;
    // Twins whose text the user changed since it was last written from their length.
    QSet<const RealField*> m_editedTwins;
};

// Millimetres per inch, everywhere in the program (not 25.4).
constexpr double BaseMmPerInch = 25.39995;

#pragma once

#include <QLocale>
#include <QObject>
#include <QString>

// A numeric setting as its spin edit holds it: the text is the truth, the value is that
// text read as a number. Reading never applies the range; setting a value does, and
// writes the text back with a fixed number of decimals.
class RealField : public QObject {
    Q_OBJECT
  public:
    struct Range {
        double minimum = 0;
        double maximum = 0;
        double step = 1;
        int decimals = 2; // 0 for a whole-number field such as the zoom
    };

    RealField(QString name, Range range, double initialValue, QObject* parent = nullptr);

    const QString& name() const { return m_name; }
    const Range& range() const { return m_range; }
    bool isWholeNumber() const { return m_range.decimals == 0; }

    const QString& text() const { return m_text; }
    // Takes the text as typed: no clamping, no formatting.
    void setText(const QString& text);

    // The text read in the user's number format; a text that is not a number reads as the
    // minimum. A whole-number field reads whole numbers only.
    double value() const;
    // Clamps (when minimum and maximum differ) and writes the value with the field's decimals.
    // A value that is not a number sets the minimum.
    void setValue(double value);
    // What leaving the field does: a value outside the range is clamped and rewritten; a value
    // inside it keeps its text as typed.
    void leave();
    // The up and down buttons and arrow keys.
    void stepBy(int steps);

    // Whether typing `key` into a field that holds `textAroundCursor` (the text without the
    // part that the key would replace) is accepted.
    bool acceptsKey(QChar key, const QString& textAroundCursor) const;
    // Whether a whole text could have been typed key by key, however it arrives (pasted,
    // dropped, composed by an input method).
    bool acceptsText(const QString& text) const;

    double clamp(double value) const;
    QString format(double value) const;

  signals:
    // Raised only when the text really changes.
    void textChanged(const QString& text);

  private:
    static QLocale numberLocale();

    QString m_name;
    Range m_range;
    QString m_text;
};

#include "settings/real_field.h"

#include <cmath>

RealField::RealField(QString name, Range range, double initialValue, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_range(range),
      m_text(format(clamp(initialValue))) {}

QLocale RealField::numberLocale() {
    QLocale locale; // the user's number format
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

void RealField::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged(m_text);
}

double RealField::value() const {
    bool ok = false;
    const QLocale locale = numberLocale();
    const QString text = m_text.trimmed();
    // A whole-number field reads whole numbers only: "12.5" is no more a zoom than "abc" is.
    const double v =
        isWholeNumber() ? double(locale.toLongLong(text, &ok)) : locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        return m_range.minimum;
    return v;
}

double RealField::clamp(double value) const {
    if (std::isnan(value))
        return m_range.minimum;
    if (m_range.minimum != m_range.maximum) {
        if (value < m_range.minimum)
            return m_range.minimum;
        if (value > m_range.maximum)
            return m_range.maximum;
    } else if (!std::isfinite(value)) {
        // An unlimited field still needs a number it can write.
        return m_range.minimum;
    }
    return value;
}

QString RealField::format(double value) const {
    const QLocale locale = numberLocale();
    QString text = locale.toString(value, 'f', m_range.decimals);
    // A small negative value rounds to a zero with a sign, which reads back as a different
    // zero and would make a design saved twice differ from itself.
    if (text.startsWith(locale.negativeSign()) && locale.toDouble(text) == 0)
        text.remove(0, locale.negativeSign().size());
    return text;
}

void RealField::setValue(double value) {
    setText(format(clamp(value)));
}

void RealField::leave() {
    const double v = value();
    if (clamp(v) != v)
        setValue(v);
}

void RealField::stepBy(int steps) {
    setValue(value() + steps * m_range.step);
}

bool RealField::acceptsKey(QChar key, const QString& textAroundCursor) const {
    if (key.isDigit() && key.unicode() < 128)
        return true;
    if (key == u'+' || key == u'-')
        return true;
    if (isWholeNumber())
        return false;
    const QLocale locale = numberLocale();
    const QString separator = locale.decimalPoint();
    if (separator.size() == 1 && key == separator.at(0))
        return !textAroundCursor.contains(separator);
    if (key == u'e' || key == u'E')
        return !textAroundCursor.contains(u'e', Qt::CaseInsensitive);
    return false;
}

bool RealField::acceptsText(const QString& text) const {
    QString typed;
    for (const QChar key : text) {
        if (!acceptsKey(key, typed))
            return false;
        typed += key;
    }
    return true;
}

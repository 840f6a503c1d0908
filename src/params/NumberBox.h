#pragma once

#include <QString>

class QLocale;

// The settings of the integer number box: a minimum, a maximum and a value.
// Minimum and maximum are plain settings; only writing the value limits it,
// and only when the two differ, to the range between them whichever is the
// greater.
class NumberBox
{
public:
    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    int value() const { return m_value; }
    void setMinValue(int value) { m_min = value; }
    void setMaxValue(int value) { m_max = value; }
    void setValue(int value);
    // Whether setValue keeps the value as it is.
    bool accepts(int value) const;
    // Takes the number the box shows, as it is: limiting it again could give
    // a number the user never saw (with the minimum above the maximum).
    void setShownValue(const QString &text, const QLocale &locale)
    {
        m_value = valueOfText(text, locale);
    }

    // The number a shown text stands for: the integer it holds, written the
    // way the box's locale writes numbers or in plain digits; else the minimum.
    int valueOfText(const QString &text, const QLocale &locale) const;

    // The value as a "spin" parameter stores it.
    static QString format(int value);

private:
    int m_min = 0;
    int m_max = 0;
    int m_value = 0;
};

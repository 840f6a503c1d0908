#include "params/NumberBox.h"

#include <QLocale>

#include <algorithm>

void NumberBox::setValue(int value)
{
    // A domain written with its bounds the other way round is the same range.
    if (m_min != m_max)
        value = std::clamp(value, std::min(m_min, m_max), std::max(m_min, m_max));
    m_value = value;
}

bool NumberBox::accepts(int value) const
{
    NumberBox limited(*this);
    limited.setValue(value);
    return limited.value() == value;
}

int NumberBox::valueOfText(const QString &text, const QLocale &locale) const
{
    // Invisible direction marks, such as the one before the minus sign of
    // Arabic numbers, are no part of the number the box shows; the locale's
    // own reading does not skip them.
    QString number = text;
    number.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    bool ok = false;
    int value = locale.toInt(number, &ok);
    if (!ok)
        value = number.toInt(&ok, 10);
    return ok ? value : m_min;
}

QString NumberBox::format(int value)
{
    // The general format with up to 15 significant digits: plain digits for
    // every 32-bit integer.
    return QString::asprintf("%.15g", double(value));
}

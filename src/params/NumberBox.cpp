#include "params/NumberBox.h"

#include <QLocale>

void NumberBox::setValue(int value)
{
    if (m_min != m_max) {
        if (value < m_min)
            value = m_min;
        else if (value > m_max)
            value = m_max;
    }
    m_value = value;
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

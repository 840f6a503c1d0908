#include "params/NumberBox.h"

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

int NumberBox::valueOfText(const QString &text) const
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : m_min;
}

QString NumberBox::format(int value)
{
    // The general format with up to 15 significant digits: plain digits for
    // every 32-bit integer.
    return QString::asprintf("%.15g", double(value));
}

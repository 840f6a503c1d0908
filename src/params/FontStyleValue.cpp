#include "params/FontStyleValue.h"

#include <QStringList>

FontStyleValue FontStyleValue::fromNumber(int number)
{
    FontStyleValue style;
    style.underline = number >= 4;
    if (style.underline)
        number -= 4;
    style.italic = number >= 2;
    if (style.italic)
        number -= 2;
    style.bold = number >= 1;
    return style;
}

QString FontStyleValue::describe(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    if (!ok)
        return value;
    const FontStyleValue style = fromNumber(number);
    QStringList names;
    if (style.bold)
        names << QStringLiteral("Bold");
    if (style.italic)
        names << QStringLiteral("Italic");
    if (style.underline)
        names << QStringLiteral("Underline");
    if (names.isEmpty())
        names << QStringLiteral("Regular");
    return QStringLiteral("%1 (%2)").arg(value.trimmed(), names.join(QStringLiteral(", ")));
}

#include "base/IntegerText.h"

#include "base/EditorError.h"

namespace IntegerText {

qint32 readDecimal(const QString &text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    if (!ok)
        throw EditorError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

std::optional<quint32> readHex(const QString &text)
{
    if (text.size() < 2 || text.front() != QLatin1Char('$'))
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : QStringView(text).mid(1)) {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return quint32(value);
}

} // namespace IntegerText

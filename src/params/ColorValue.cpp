#include "params/ColorValue.h"

#include "base/IntegerText.h"
#include "params/SwapColorBytes.h"

#include <QRegularExpression>

namespace ColorValue {

ColorRef decode(const QString &value)
{
    QString hex = swapColorBytes(value.mid(2));
    if (!hex.contains(QLatin1Char('$')))
        hex.prepend(QLatin1Char('$'));
    return IntegerText::readHex(hex).value_or(ColorRefs::Black);
}

QString encode(ColorRef color)
{
    const QString hex = QStringLiteral("%1").arg(color, 6, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("0x") + swapColorBytes(hex);
}

bool isValid(const QString &value)
{
    static const QRegularExpression plain(QStringLiteral("^0x[0-9A-Fa-f]{6}$"));
    static const QRegularExpression system(QStringLiteral("^0x8000[0-9A-Fa-f]{4}$"));
    if (plain.match(value).hasMatch())
        return true;
    return system.match(value).hasMatch()
           && value.mid(6).toInt(nullptr, 16) < ColorRefs::SystemColorCount;
}

} // namespace ColorValue

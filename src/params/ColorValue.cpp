#include "params/ColorValue.h"

#include "base/IntegerText.h"
#include "params/SwapColorBytes.h"

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

} // namespace ColorValue

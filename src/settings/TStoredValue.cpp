#include "settings/TStoredValue.h"

#include <cmath>

QString TStoredValue::text() const
{
    if (Value.isNull())
        return QString();
    if (Value.typeId() == QMetaType::Double || Value.typeId() == QMetaType::Float) {
        const double number = Value.toDouble();
        if (std::trunc(number) == number && std::abs(number) < 1e18)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    return Value.toString();
}

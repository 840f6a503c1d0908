#include "settings/StoredValue.h"

#include <cmath>

QString StoredValue::text() const
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::abs(number) < 1e18)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    return value.toString();
}

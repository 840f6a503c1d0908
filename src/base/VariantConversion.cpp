#include "base/VariantConversion.h"

#include "base/EditorError.h"

#include <QLocale>

#include <cmath>
#include <limits>

double VariantConversion::toDouble(const QVariant &value)
{
    bool ok = false;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        number = value.toDouble(&ok);
        break;
    case QMetaType::QString:
        number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        break;
    default:
        break;
    }
    if (!ok || !std::isfinite(number))
        throw EditorError(QStringLiteral("Invalid variant type conversion"));
    return number;
}

int VariantConversion::toInt(const QVariant &value)
{
    const double number = std::round(toDouble(value));
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw EditorError(QStringLiteral("Invalid variant type conversion"));
    return int(number);
}

#pragma once

#include <QVariant>

// Numbers from variants as the settings store holds them: a number stands
// as it is, a text is read as a decimal number. Anything else fails with
// "Invalid variant type conversion".
namespace VariantConversion {

double toDouble(const QVariant &value);
// The number taken to the nearest whole number.
int toInt(const QVariant &value);

} // namespace VariantConversion

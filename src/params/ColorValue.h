#pragma once

#include "base/ColorRef.h"

#include <QString>

// "color" values: "0x" and RRGGBB for a plain colour, "0x" and the eight
// digits of the reference for a system colour.
namespace ColorValue {

// Drops the first two characters and reads the rest as hexadecimal RRGGBB;
// an unreadable text gives black.
ColorRef decode(const QString &value);
QString encode(ColorRef color);
// Whether the value is one the colour popup writes: "0x" and six hex digits,
// or a system colour's eight.
bool isValid(const QString &value);

} // namespace ColorValue

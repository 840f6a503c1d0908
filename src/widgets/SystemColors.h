#pragma once

#include "base/ColorRef.h"

#include <QColor>

// How a ColorRef is painted: a plain colour as it is, a system colour
// reference with the nearest role of the application's palette.
namespace SystemColors {

QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor &color);

} // namespace SystemColors

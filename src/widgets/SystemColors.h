#pragma once

#include "base/TColor.h"

#include <QColor>

// How a TColor is painted: a plain colour as it is, a system colour
// reference with the nearest role of the application's palette.
namespace SystemColors {

QColor toQColor(TColor color);
TColor fromQColor(const QColor &color);

} // namespace SystemColors

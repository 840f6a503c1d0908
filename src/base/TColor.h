#pragma once

#include <QtGlobal>

// A colour as the style files and the pickers know it: 0x00BBGGRR for a
// plain colour (red in the low byte), or 0x80000000 plus the index of a
// system colour, which is painted with whatever the desktop gives that index.
using TColor = quint32;

namespace TColors {

constexpr TColor SystemFlag = 0x80000000u;

constexpr TColor fromRgb(quint32 rrggbb)
{
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}
constexpr TColor system(int index)
{
    return SystemFlag + TColor(index);
}
constexpr bool isSystem(TColor color)
{
    return (color & 0xFF000000u) == SystemFlag;
}
constexpr int red(TColor color) { return int(color & 0xFF); }
constexpr int green(TColor color) { return int((color >> 8) & 0xFF); }
constexpr int blue(TColor color) { return int((color >> 16) & 0xFF); }

constexpr TColor Black = 0;
constexpr TColor clBtnFace = system(15);
constexpr TColor clWindow = system(5);

} // namespace TColors

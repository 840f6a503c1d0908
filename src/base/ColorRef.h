#pragma once

#include <QtGlobal>

// A colour as the style files and the pickers know it: 0x00BBGGRR for a
// plain colour (red in the low byte), or 0x80000000 plus the index of a
// system colour, which is painted with whatever the desktop gives that index.
using ColorRef = quint32;

namespace ColorRefs {

constexpr ColorRef SystemFlag = 0x80000000u;
// The system colours the palette offers have the indexes below this.
constexpr int SystemColorCount = 29;

constexpr ColorRef fromRgb(quint32 rrggbb)
{
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}
constexpr ColorRef system(int index)
{
    return SystemFlag + ColorRef(index);
}
constexpr bool isSystem(ColorRef color)
{
    return (color & 0xFF000000u) == SystemFlag;
}
constexpr int red(ColorRef color)
{
    return int(color & 0xFF);
}
constexpr int green(ColorRef color)
{
    return int((color >> 8) & 0xFF);
}
constexpr int blue(ColorRef color)
{
    return int((color >> 16) & 0xFF);
}

constexpr ColorRef Black = 0;
constexpr ColorRef clBtnFace = system(15);
constexpr ColorRef clWindow = system(5);

} // namespace ColorRefs

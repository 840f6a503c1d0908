#pragma once

#include "base/ColorRef.h"

#include <QString>

#include <array>

// The colours offered by the palette window, in one table: the 56 plain
// colours row by row (8 columns, 7 rows), then the 27 system colours with
// their names.
namespace ColorPalette {

struct Entry
{
    ColorRef color;
    const char *hint; // empty for the plain colours
};

constexpr int PlainColumns = 8;
constexpr int PlainCount = 56;
constexpr int SystemColumns = 4;
constexpr int SystemCount = 27;
constexpr int Count = PlainCount + SystemCount;

const std::array<Entry, Count> &entries();

// The first entry whose 32-bit value equals color, -1 when none does (the
// colour then goes to the custom-colour button). A plain colour never
// matches a system entry, whatever the desktop shows for it.
int indexOf(ColorRef color);

} // namespace ColorPalette

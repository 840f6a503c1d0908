#include "widgets/ColorPalette.h"

#include <algorithm>

namespace ColorPalette {

namespace {

using ColorRefs::fromRgb;
using ColorRefs::system;

constexpr std::array<Entry, Count> Table = {{
        // Plain colours, given as RRGGBB.
        {fromRgb(0x000000), ""},
        {fromRgb(0x808080), ""},
        {fromRgb(0x400000), ""},
        {fromRgb(0x404000), ""},
        {fromRgb(0x004000), ""},
        {fromRgb(0x004040), ""},
        {fromRgb(0x000040), ""},
        {fromRgb(0x400040), ""},
        {fromRgb(0x202020), ""},
        {fromRgb(0x909090), ""},
        {fromRgb(0x800000), ""},
        {fromRgb(0x808000), ""},
        {fromRgb(0x008000), ""},
        {fromRgb(0x008080), ""},
        {fromRgb(0x000080), ""},
        {fromRgb(0x800080), ""},
        {fromRgb(0x303030), ""},
        {fromRgb(0xA0A0A0), ""},
        {fromRgb(0xC00000), ""},
        {fromRgb(0xC0C000), ""},
        {fromRgb(0x00C000), ""},
        {fromRgb(0x00C0C0), ""},
        {fromRgb(0x0000C0), ""},
        {fromRgb(0xC000C0), ""},
        {fromRgb(0x404040), ""},
        {fromRgb(0xB0B0B0), ""},
        {fromRgb(0xFF0000), ""},
        {fromRgb(0xFFFF00), ""},
        {fromRgb(0x00FF00), ""},
        {fromRgb(0x00FFFF), ""},
        {fromRgb(0x0000FF), ""},
        {fromRgb(0xFF00FF), ""},
        {fromRgb(0x505050), ""},
        {fromRgb(0xC0C0C0), ""},
        {fromRgb(0xFF4040), ""},
        {fromRgb(0xFFFF40), ""},
        {fromRgb(0x40FF40), ""},
        {fromRgb(0x40FFFF), ""},
        {fromRgb(0x4040FF), ""},
        {fromRgb(0xFF40FF), ""},
        {fromRgb(0x606060), ""},
        {fromRgb(0xD0D0D0), ""},
        {fromRgb(0xFF8080), ""},
        {fromRgb(0xFFFF80), ""},
        {fromRgb(0x80FF80), ""},
        {fromRgb(0x80FFFF), ""},
        {fromRgb(0x8080FF), ""},
        {fromRgb(0xFF80FF), ""},
        {fromRgb(0x707070), ""},
        {fromRgb(0xFFFFFF), ""},
        {fromRgb(0xFFC0C0), ""},
        {fromRgb(0xFFFFC0), ""},
        {fromRgb(0xC0FFC0), ""},
        {fromRgb(0xC0FFFF), ""},
        {fromRgb(0xC0C0FF), ""},
        {fromRgb(0xFFC0FF), ""},
        // System colours, by their index.
        {system(10), "Active Border"},
        {system(2), "Active Caption"},
        {system(12), "Application Workspace"},
        {system(1), "Background"},
        {system(15), "Button Face"},
        {system(20), "Button Highlight"},
        {system(16), "Button Shadow"},
        {system(18), "ButtonText"},
        {system(9), "Caption Text"},
        {system(27), "Gradient active Caption"},
        {system(28), "Gradient inactive Caption"},
        {system(17), "Gray Text"},
        {system(13), "Highlight"},
        {system(14), "Highlight Text"},
        {system(11), "Inactive Border"},
        {system(3), "Inactive Caption"},
        {system(19), "Inactive Caption Text"},
        {system(24), "Info Back"},
        {system(23), "Info Text"},
        {system(4), "Menu"},
        {system(7), "Menu Text"},
        {system(0), "Scroll Bar"},
        {system(21), "3D Shadow"},
        {system(22), "3D Light"},
        {system(5), "Window"},
        {system(6), "Window Frame"},
        {system(8), "Window Text"},
}};

} // namespace

const std::array<Entry, Count> &entries()
{
    return Table;
}

int indexOf(ColorRef color)
{
    const auto it = std::find_if(Table.begin(), Table.end(),
                                 [color](const Entry &e) { return e.color == color; });
    return it == Table.end() ? -1 : int(it - Table.begin());
}

} // namespace ColorPalette

#include "widgets/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace SystemColors {

namespace {

struct Role
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed by the system colour index (0..28); the desktop's scheme maps
// onto these roles.
constexpr Role Roles[] = {
        {QPalette::Active, QPalette::Button},            // 0 scroll bar
        {QPalette::Active, QPalette::Dark},              // 1 background (desktop)
        {QPalette::Active, QPalette::Highlight},         // 2 active caption
        {QPalette::Inactive, QPalette::Highlight},       // 3 inactive caption
        {QPalette::Active, QPalette::Window},            // 4 menu
        {QPalette::Active, QPalette::Base},              // 5 window
        {QPalette::Active, QPalette::Shadow},            // 6 window frame
        {QPalette::Active, QPalette::WindowText},        // 7 menu text
        {QPalette::Active, QPalette::Text},              // 8 window text
        {QPalette::Active, QPalette::HighlightedText},   // 9 caption text
        {QPalette::Active, QPalette::Button},            // 10 active border
        {QPalette::Inactive, QPalette::Button},          // 11 inactive border
        {QPalette::Active, QPalette::Mid},               // 12 application workspace
        {QPalette::Active, QPalette::Highlight},         // 13 highlight
        {QPalette::Active, QPalette::HighlightedText},   // 14 highlight text
        {QPalette::Active, QPalette::Button},            // 15 button face
        {QPalette::Active, QPalette::Dark},              // 16 button shadow
        {QPalette::Disabled, QPalette::Text},            // 17 grey text
        {QPalette::Active, QPalette::ButtonText},        // 18 button text
        {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
        {QPalette::Active, QPalette::Light},             // 20 button highlight
        {QPalette::Active, QPalette::Shadow},            // 21 3D shadow
        {QPalette::Active, QPalette::Midlight},          // 22 3D light
        {QPalette::Active, QPalette::ToolTipText},       // 23 info text
        {QPalette::Active, QPalette::ToolTipBase},       // 24 info back
        {QPalette::Active, QPalette::Link},              // 25 hot light
        {QPalette::Active, QPalette::Highlight},         // 26 unused
        {QPalette::Active, QPalette::Midlight},          // 27 gradient active caption
        {QPalette::Inactive, QPalette::Midlight},        // 28 gradient inactive caption
};

static_assert(std::size(Roles) == ColorRefs::SystemColorCount);

} // namespace

QColor toQColor(ColorRef color)
{
    if (!ColorRefs::isSystem(color))
        return QColor(ColorRefs::red(color), ColorRefs::green(color), ColorRefs::blue(color));
    const ColorRef index = color & 0x00FFFFFFu;
    if (index >= std::size(Roles))
        return Qt::black;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(Roles[index].group, Roles[index].role);
}

ColorRef fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return ColorRef(rgb.red()) | ColorRef(rgb.green()) << 8 | ColorRef(rgb.blue()) << 16;
}

} // namespace SystemColors

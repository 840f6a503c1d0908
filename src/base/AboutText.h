#pragma once

#include <QString>

// The program's name and version as the About box shows them; the command
// line's --version prints the same text.
namespace AboutText {

inline QString title()
{
    return QStringLiteral("Trevix Style Editor");
}

inline QString version()
{
    return QStringLiteral("Version 1.0\n\nfor Trevix");
}

} // namespace AboutText

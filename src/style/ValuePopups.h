#pragma once

#include "base/ColorRef.h"
#include "params/FontStyleValue.h"

#include <QStringList>

class NumberBox;

// The five popup editors as the value editing sees them. Each shows its
// popup modally, started from the state it is handed, and returns true when
// the popup ended with OK; the state then holds what the user chose.
class ValuePopups
{
public:
    virtual ~ValuePopups() = default;

    // selected: index into choices, -1 for none.
    virtual bool execList(const QStringList &choices, int &selected) = 0;
    // fontName: written to the font picker before; read back from it after
    // when the user chose a font in this popup, else empty.
    virtual bool execFont(QString &fontName) = 0;
    virtual bool execSpin(NumberBox &box) = 0;
    virtual bool execColor(ColorRef &color) = 0;
    virtual bool execFontStyle(FontStyleValue &style) = 0;
};

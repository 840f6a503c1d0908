#pragma once

#include "editors/ValuePopup.h"

class TColorPickCombo;

// The popup of "color" parameters: the colour picker.
class TFormColor : public ValuePopup
{
    Q_OBJECT

public:
    explicit TFormColor(QWidget *parent = nullptr);
    TColorPickCombo *ColorPick() const { return m_colorPick; }

private:
    TColorPickCombo *m_colorPick;
};

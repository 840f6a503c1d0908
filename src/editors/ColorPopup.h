#pragma once

#include "editors/ValuePopup.h"

class ColorPickerButton;

// The popup of "color" parameters: the colour picker.
class ColorPopup : public ValuePopup
{
    Q_OBJECT

public:
    explicit ColorPopup(QWidget *parent = nullptr);
    ColorPickerButton *colorPick() const { return m_colorPick; }

private:
    ColorPickerButton *m_colorPick;
};

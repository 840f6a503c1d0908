#pragma once

#include "editors/ValuePopup.h"

class FontComboBox;

// The popup of "font" parameters: the font picker, TrueType fonts only.
class FontPopup : public ValuePopup
{
    Q_OBJECT

public:
    explicit FontPopup(QWidget *parent = nullptr);
    FontComboBox *fontComboBox() const { return m_fontComboBox; }

private:
    FontComboBox *m_fontComboBox;
};

#pragma once

#include "editors/ValuePopup.h"

class TscFontComboBox;

// The popup of "font" parameters: the font picker, TrueType fonts only.
class TFormFont : public ValuePopup
{
    Q_OBJECT

public:
    explicit TFormFont(QWidget *parent = nullptr);
    TscFontComboBox *FontComboBox() const { return m_fontComboBox; }

private:
    TscFontComboBox *m_fontComboBox;
};

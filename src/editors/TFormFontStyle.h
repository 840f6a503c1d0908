#pragma once

#include "editors/ValuePopup.h"

class QCheckBox;

// The popup of "fontstyle" parameters: bold, italic and underline.
class TFormFontStyle : public ValuePopup
{
    Q_OBJECT

public:
    explicit TFormFontStyle(QWidget *parent = nullptr);
    QCheckBox *CheckBoxBold() const { return m_bold; }
    QCheckBox *CheckBoxItalic() const { return m_italic; }
    QCheckBox *CheckBoxUnderline() const { return m_underline; }

private:
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QCheckBox *m_underline;
};

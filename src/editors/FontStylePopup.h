#pragma once

#include "editors/ValuePopup.h"

class QCheckBox;

// The popup of "fontstyle" parameters: bold, italic and underline.
class FontStylePopup : public ValuePopup
{
    Q_OBJECT

public:
    explicit FontStylePopup(QWidget *parent = nullptr);
    QCheckBox *checkBoxBold() const { return m_bold; }
    QCheckBox *checkBoxItalic() const { return m_italic; }
    QCheckBox *checkBoxUnderline() const { return m_underline; }

private:
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QCheckBox *m_underline;
};

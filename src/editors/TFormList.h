#pragma once

#include "editors/ValuePopup.h"

class QComboBox;

// The popup of "list" parameters: a drop-down list of the choices.
class TFormList : public ValuePopup
{
    Q_OBJECT

public:
    explicit TFormList(QWidget *parent = nullptr);
    QComboBox *ComboBox() const { return m_comboBox; }

private:
    QComboBox *m_comboBox;
};

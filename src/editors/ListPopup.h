#pragma once

#include "editors/ValuePopup.h"

class QComboBox;

// The popup of "list" parameters: a drop-down list of the choices.
class ListPopup : public ValuePopup
{
    Q_OBJECT

public:
    explicit ListPopup(QWidget *parent = nullptr);
    QComboBox *comboBox() const { return m_comboBox; }

private:
    QComboBox *m_comboBox;
};

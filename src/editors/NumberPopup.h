#pragma once

#include "editors/ValuePopup.h"

class QSpinBox;

// The popup of "spin" parameters: an integer number box.
class NumberPopup : public ValuePopup
{
    Q_OBJECT

public:
    explicit NumberPopup(QWidget *parent = nullptr);
    QSpinBox *spinEdit() const { return m_spinEdit; }

private:
    QSpinBox *m_spinEdit;
};

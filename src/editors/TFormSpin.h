#pragma once

#include "editors/ValuePopup.h"

class QSpinBox;

// The popup of "spin" parameters: an integer number box.
class TFormSpin : public ValuePopup
{
    Q_OBJECT

public:
    explicit TFormSpin(QWidget *parent = nullptr);
    QSpinBox *SpinEdit() const { return m_spinEdit; }

private:
    QSpinBox *m_spinEdit;
};

#include "editors/TFormSpin.h"

#include <QFrame>
#include <QSpinBox>

TFormSpin::TFormSpin(QWidget *parent) : ValuePopup(QSize(160, 61), QPoint(40, 32), parent)
{
    setObjectName(QStringLiteral("FormSpin"));
    m_spinEdit = new QSpinBox(panel());
    m_spinEdit->setObjectName(QStringLiteral("SpinEdit"));
    m_spinEdit->setGeometry(8, 8, 145, 21);
    setFocusProxy(m_spinEdit);
}

#include "editors/NumberPopup.h"

#include <QFrame>
#include <QSpinBox>

NumberPopup::NumberPopup(QWidget *parent) : ValuePopup(QSize(160, 61), parent)
{
    setObjectName(QStringLiteral("FormSpin"));
    setWindowTitle(tr("Number"));
    m_spinEdit = new QSpinBox(panel());
    m_spinEdit->setObjectName(QStringLiteral("SpinEdit"));
    m_spinEdit->setAccessibleName(tr("Number"));
    m_spinEdit->setMinimumWidth(145);
    addControl(m_spinEdit);
    setFocusProxy(m_spinEdit);
}

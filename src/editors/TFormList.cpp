#include "editors/TFormList.h"

#include <QComboBox>
#include <QFrame>

TFormList::TFormList(QWidget *parent) : ValuePopup(QSize(160, 61), QPoint(40, 32), parent)
{
    setObjectName(QStringLiteral("FormList"));
    m_comboBox = new QComboBox(panel());
    m_comboBox->setObjectName(QStringLiteral("ComboBox"));
    // The choices drop below the box, as a list of their own.
    m_comboBox->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    m_comboBox->setGeometry(8, 8, 145, 21);
    setFocusProxy(m_comboBox);
}

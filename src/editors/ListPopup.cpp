#include "editors/ListPopup.h"

#include <QComboBox>
#include <QFrame>

ListPopup::ListPopup(QWidget *parent) : ValuePopup(QSize(160, 61), parent)
{
    setObjectName(QStringLiteral("FormList"));
    setWindowTitle(tr("Choice"));
    m_comboBox = new QComboBox(panel());
    m_comboBox->setObjectName(QStringLiteral("ComboBox"));
    m_comboBox->setAccessibleName(tr("Choice"));
    // The choices drop below the box, as a list of their own.
    m_comboBox->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    m_comboBox->setMinimumWidth(145);
    // Each list gets the width of its longest choice.
    m_comboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    addControl(m_comboBox);
    setFocusProxy(m_comboBox);
}

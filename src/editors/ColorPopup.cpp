#include "editors/ColorPopup.h"

#include "widgets/ColorPickerButton.h"

#include <QFrame>

ColorPopup::ColorPopup(QWidget *parent) : ValuePopup(QSize(160, 61), parent)
{
    setObjectName(QStringLiteral("FormColor"));
    setWindowTitle(tr("Colour"));
    m_colorPick = new ColorPickerButton(panel());
    m_colorPick->setObjectName(QStringLiteral("ColorPick"));
    m_colorPick->setAccessibleName(tr("Colour"));
    addControl(m_colorPick, Qt::AlignHCenter);
    m_colorPick->setActiveColor(ColorRefs::Black);
    m_colorPick->setDropDnColor(ColorRefs::clBtnFace);
    m_colorPick->setOtherBtnCaption(QStringLiteral("&Other colors..."));
    setFocusProxy(m_colorPick);
}

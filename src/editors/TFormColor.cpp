#include "editors/TFormColor.h"

#include "widgets/TColorPickCombo.h"

#include <QFrame>

TFormColor::TFormColor(QWidget *parent) : ValuePopup(QSize(160, 61), parent)
{
    setObjectName(QStringLiteral("FormColor"));
    m_colorPick = new TColorPickCombo(panel());
    m_colorPick->setObjectName(QStringLiteral("ColorPick"));
    addControl(m_colorPick, Qt::AlignHCenter);
    m_colorPick->setActiveColor(TColors::Black);
    m_colorPick->setDropDnColor(TColors::clBtnFace);
    m_colorPick->setOtherBtnCaption(QStringLiteral("&Other colors..."));
    setFocusProxy(m_colorPick);
}

#include "editors/TFormFont.h"

#include "widgets/TscFontComboBox.h"

#include <QFrame>

TFormFont::TFormFont(QWidget *parent) : ValuePopup(QSize(160, 61), QPoint(40, 32), parent)
{
    setObjectName(QStringLiteral("FormFont"));
    m_fontComboBox = new TscFontComboBox(panel());
    m_fontComboBox->setObjectName(QStringLiteral("FontComboBox"));
    m_fontComboBox->setGeometry(8, 6, 145, 24);
    m_fontComboBox->setItemHeight(18);
    m_fontComboBox->setMaxVisibleItems(12);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    m_fontComboBox->setFont(font);
    m_fontComboBox->setPreviewWidth(240);
    m_fontComboBox->setPreviewHeight(60);
    setFocusProxy(m_fontComboBox);
}

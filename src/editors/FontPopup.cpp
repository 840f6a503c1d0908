#include "editors/FontPopup.h"

#include "widgets/FontComboBox.h"

#include <QFrame>

FontPopup::FontPopup(QWidget *parent) : ValuePopup(QSize(160, 61), parent)
{
    setObjectName(QStringLiteral("FormFont"));
    setWindowTitle(tr("Font"));
    m_fontComboBox = new FontComboBox(panel());
    m_fontComboBox->setObjectName(QStringLiteral("FontComboBox"));
    m_fontComboBox->setAccessibleName(tr("Font"));
    m_fontComboBox->setMinimumSize(145, 24);
    // Room for the longest name a value can hold, whichever fonts are installed.
    m_fontComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontComboBox->setMinimumContentsLength(20);
    m_fontComboBox->setItemHeight(18);
    m_fontComboBox->setMaxVisibleItems(12);
    // The control's own larger font would not fit the popup: the popup's font it is.
    m_fontComboBox->setFont(font());
    m_fontComboBox->setPreviewWidth(240);
    m_fontComboBox->setPreviewHeight(60);
    addControl(m_fontComboBox);
    setFocusProxy(m_fontComboBox);
}

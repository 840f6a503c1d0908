#include "widgets/TFormExampleFont.h"

#include <QLabel>

namespace {
constexpr int NameStripHeight = 15;
}

TFormExampleFont::TFormExampleFont(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("FormExampleFont"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont normal(QStringLiteral("MS Sans Serif"));
    normal.setPixelSize(11);
    setFont(normal);

    m_panelFontName = new QLabel(this);
    m_panelFontName->setObjectName(QStringLiteral("PanelFontName"));
    m_panelFontName->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panelFontName->setAlignment(Qt::AlignCenter);

    m_panelPreview = new QLabel(this);
    m_panelPreview->setObjectName(QStringLiteral("PanelPreview"));
    m_panelPreview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_panelPreview->setAlignment(Qt::AlignCenter);
    m_panelPreview->setAutoFillBackground(true);
    m_panelPreview->setBackgroundRole(QPalette::Base);
    QFont sample = m_panelPreview->font();
    sample.setBold(true);
    sample.setPixelSize(24);
    m_panelPreview->setFont(sample);

    resize(240, 60);
}

void TFormExampleFont::showFace(const QString &face, const QString &sampleText)
{
    m_panelFontName->setText(face);
    QFont sample = m_panelPreview->font();
    sample.setFamilies({face});
    m_panelPreview->setFont(sample);
    m_panelPreview->setText(sampleText);
}

void TFormExampleFont::setNameVisible(bool visible)
{
    m_panelFontName->setVisible(visible);
    resizeEvent(nullptr);
}

void TFormExampleFont::resizeEvent(QResizeEvent *)
{
    const int strip = m_panelFontName->isVisibleTo(this) ? NameStripHeight : 0;
    m_panelFontName->setGeometry(0, 0, width(), NameStripHeight);
    m_panelPreview->setGeometry(0, strip, width(), height() - strip);
}

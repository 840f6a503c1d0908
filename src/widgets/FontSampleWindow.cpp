#include "widgets/FontSampleWindow.h"

#include <QLabel>

#include <algorithm>

FontSampleWindow::FontSampleWindow(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                              | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("FormExampleFont"));
    setAttribute(Qt::WA_ShowWithoutActivating);
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

void FontSampleWindow::showFace(const QString &face, const QString &sampleText)
{
    m_panelFontName->setText(face);
    QFont sample = m_panelPreview->font();
    sample.setFamilies({face});
    m_panelPreview->setFont(sample);
    m_panelPreview->setText(sampleText);
}

void FontSampleWindow::setNameVisible(bool visible)
{
    m_panelFontName->setVisible(visible);
    resizeEvent(nullptr);
}

void FontSampleWindow::resizeEvent(QResizeEvent *)
{
    const int strip = m_panelFontName->isVisibleTo(this) ? nameStripHeight() : 0;
    m_panelFontName->setGeometry(0, 0, width(), nameStripHeight());
    m_panelPreview->setGeometry(0, strip, width(), height() - strip);
}

int FontSampleWindow::nameStripHeight() const
{
    // A line of the window's font inside the bevel, never less than 15 pixels.
    return std::max(15, m_panelFontName->fontMetrics().height() + 2 * m_panelFontName->frameWidth());
}

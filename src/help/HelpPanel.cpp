#include "help/HelpPanel.h"

#include "base/EditorError.h"
#include "settings/WidgetFormWindow.h"
#include "settings/WindowStateStore.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

HelpPanel::HelpPanel(QWidget *owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("Help"));
    // Nothing ever fills the label: it keeps a blank strip, a line of text
    // high, above the picture.
    auto *topLabel = new QLabel(this);
    topLabel->setObjectName(QStringLiteral("TopLabel"));
    topLabel->setMinimumHeight(std::max(13, topLabel->fontMetrics().height()));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image"));
    m_picture->setAccessibleName(tr("Picture of the parameter"));
    m_picture->setMinimumSize(PictureSize);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(5);
    layout->addWidget(topLabel);
    layout->addWidget(m_picture, 1);
    setMinimumSize(layout->totalMinimumSize().expandedTo(MinimumClientSize));
    resize(minimumSize());

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    auto *helpFormStorage = new WindowStateStore(this);
    helpFormStorage->setObjectName(QStringLiteral("HelpFormStorage"));
    helpFormStorage->setSection(QStringLiteral("Melbrin\\TrevixStyleEditor\\HelpWindow"));
    helpFormStorage->setOptions(FormPlacement::Position);
    WidgetFormWindow::attach(*helpFormStorage, this);
    helpFormStorage->setActive(true);
}

void HelpPanel::loadPicture(const QString &fileName)
{
    QImageReader reader(fileName, "gif");
    const QImage picture = reader.read();
    if (picture.isNull())
        throw EditorError(QStringLiteral("%1: %2").arg(fileName, reader.errorString()));
    m_picture->setPixmap(QPixmap::fromImage(picture));
}

void HelpPanel::clearPicture()
{
    m_picture->clear();
}

void HelpPanel::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closedByUser();
}

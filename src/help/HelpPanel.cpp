#include "help/HelpPanel.h"

#include "base/EditorError.h"
#include "settings/WindowStateStore.h"
#include "settings/WidgetFormWindow.h"

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
    topLabel = new QLabel(this);
    topLabel->setObjectName(QStringLiteral("TopLabel"));
    topLabel->setMinimumHeight(std::max(13, topLabel->fontMetrics().height()));

    image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image"));
    image->setMinimumSize(PictureSize);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(5);
    layout->addWidget(topLabel);
    layout->addWidget(image, 1);
    setMinimumSize(layout->totalMinimumSize().expandedTo(MinimumClientSize));
    resize(minimumSize());

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    helpFormStorage = new WindowStateStore(this);
    helpFormStorage->setObjectName(QStringLiteral("HelpFormStorage"));
    helpFormStorage->iniSection = QStringLiteral("Melbrin\\TrevixStyleEditor\\HelpWindow");
    helpFormStorage->options = FormPlacement::fpPosition;
    WidgetFormWindow::attach(*helpFormStorage, this);
    helpFormStorage->active = true;
}

void HelpPanel::loadPicture(const QString &fileName)
{
    QImageReader reader(fileName, "gif");
    const QImage picture = reader.read();
    if (picture.isNull())
        throw EditorError(QStringLiteral("%1: %2").arg(fileName, reader.errorString()));
    image->setPixmap(QPixmap::fromImage(picture));
}

void HelpPanel::clearPicture()
{
    image->clear();
}

void HelpPanel::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closedByUser();
}

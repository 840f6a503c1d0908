#include "help/THelpForm.h"

#include "base/EditorError.h"
#include "settings/TFormStorage.h"
#include "settings/WidgetFormWindow.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

THelpForm::THelpForm(QWidget *owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("Help"));
    // Nothing ever fills the label: it keeps a blank strip, a line of text
    // high, above the picture.
    TopLabel = new QLabel(this);
    TopLabel->setObjectName(QStringLiteral("TopLabel"));
    TopLabel->setMinimumHeight(std::max(13, TopLabel->fontMetrics().height()));

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setMinimumSize(PictureSize);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(5);
    layout->addWidget(TopLabel);
    layout->addWidget(Image, 1);
    setMinimumSize(layout->totalMinimumSize().expandedTo(MinimumClientSize));
    resize(minimumSize());

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    HelpFormStorage = new TFormStorage(this);
    HelpFormStorage->setObjectName(QStringLiteral("HelpFormStorage"));
    HelpFormStorage->IniSection = QStringLiteral("Melbrin\\TrevixStyleEditor\\HelpWindow");
    HelpFormStorage->Options = TFormPlacement::fpPosition;
    WidgetFormWindow::attach(*HelpFormStorage, this);
    HelpFormStorage->Active = true;
}

void THelpForm::LoadPicture(const QString &fileName)
{
    QImageReader reader(fileName, "gif");
    const QImage picture = reader.read();
    if (picture.isNull())
        throw EditorError(QStringLiteral("%1: %2").arg(fileName, reader.errorString()));
    Image->setPixmap(QPixmap::fromImage(picture));
}

void THelpForm::ClearPicture()
{
    Image->clear();
}

void THelpForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closedByUser();
}

#include "help/THelpForm.h"

#include "base/EditorError.h"
#include "settings/TFormStorage.h"
#include "settings/WidgetFormWindow.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

THelpForm::THelpForm(QWidget *owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("Help"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(400, 320);

    // Nothing ever fills the label: it keeps a blank strip above the picture.
    TopLabel = new QLabel(this);
    TopLabel->setObjectName(QStringLiteral("TopLabel"));
    TopLabel->setGeometry(8, 2, 380, 13);

    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(0, 20, 400, 300);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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

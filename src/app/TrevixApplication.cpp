#include "app/TrevixApplication.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"

#include <QIcon>
#include <QMessageBox>

namespace {
QString &applicationTitle()
{
    static QString title = QStringLiteral("Trevix Style Editor");
    return title;
}
} // namespace

TrevixApplication::TrevixApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("TrevixStyleEditor"));
    setOrganizationName(QStringLiteral("Melbrin"));
    setApplicationVersion(QStringLiteral(TREVIX_VERSION));
    // Ties the windows to the installed desktop entry and its icon.
    setDesktopFileName(QStringLiteral("trevix-style-editor"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/trevix-style-editor.svg")));
    ErrorReport::setHandler(&TrevixApplication::showErrorBox);
}

QString TrevixApplication::title()
{
    return applicationTitle();
}

void TrevixApplication::setTitle(const QString &title)
{
    applicationTitle() = title;
}

void TrevixApplication::showErrorBox(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, title(), SystemText::displayed(message), QMessageBox::Ok, activeWindow());
    box.exec();
}

bool TrevixApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    ErrorReport::guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}

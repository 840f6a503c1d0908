#include "app/TrevixApplication.h"

#include "base/AboutText.h"
#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "widgets/ReadableColor.h"

#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>

namespace {
QString &applicationTitle()
{
    static QString title = AboutText::title();
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
    // The desktop's scheme, with any text colour that would hardly show on its
    // background (a selection on a dark scheme, say) made readable.
    ReadableColor::makeApplicationReadable();
    ErrorReport::setHandler(&TrevixApplication::showErrorBox);
    // The first PNG file Qt reads (the style's arrows, at the menu bar) makes
    // it load every image format plugin to ask whether one of them reads PNG.
    // They load on a thread of their own while the window is built.
    m_imagePlugins = std::jthread([] {
        QBuffer nothing;
        QImageReader(&nothing, "png").canRead();
    });
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
    QMessageBox box(QMessageBox::Critical, title(), SystemText::displayed(message), QMessageBox::Ok,
                    activeWindow());
    box.exec();
}

bool TrevixApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    ErrorReport::guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}

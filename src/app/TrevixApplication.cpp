#include "app/TrevixApplication.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"

#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>

namespace {
QString &applicationTitle()
{
    static QString title = QStringLiteral("Trevix Style Editor");
    return title;
}

// Nothing in the editor draws with OpenGL (the preview's page is composed in
// software), yet on X11 the web engine would look for a driver and load it,
// some 40 MB more for the life of the editor. Set before the window system
// starts; a choice the user made stands.
int &withoutOpenGL(int &argc)
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    return argc;
}
} // namespace

TrevixApplication::TrevixApplication(int &argc, char **argv) : QApplication(withoutOpenGL(argc), argv)
{
    setApplicationName(QStringLiteral("TrevixStyleEditor"));
    setOrganizationName(QStringLiteral("Melbrin"));
    setApplicationVersion(QStringLiteral(TREVIX_VERSION));
    // Ties the windows to the installed desktop entry and its icon.
    setDesktopFileName(QStringLiteral("trevix-style-editor"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/trevix-style-editor.svg")));
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
    QMessageBox box(QMessageBox::Critical, title(), SystemText::displayed(message), QMessageBox::Ok, activeWindow());
    box.exec();
}

bool TrevixApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    ErrorReport::guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}

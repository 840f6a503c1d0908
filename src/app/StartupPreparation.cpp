#include "app/StartupPreparation.h"

#include <QByteArray>
#include <QtGlobal>

#include <fontconfig/fontconfig.h>

StartupPreparation::StartupPreparation()
{
    // Nothing in the editor draws with OpenGL (the preview's page is composed
    // in software), yet on X11 the web engine would look for a driver and load
    // it, some 40 MB more for the life of the editor. A choice the user made
    // stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // The first text the window lays out waits for the system's font
    // configuration (some 60 files); reading it needs no window system, so it
    // starts now, while the application connects to the display.
    m_fontConfiguration = std::jthread([] { FcInit(); });
}

#include "preview/PreviewEngineLoader.h"

#include "preview/PreviewEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QtGui/private/qopenglcontext_p.h>

namespace {

PreviewEngine *loadedEngine = nullptr;

// The web engine draws through textures it shares with Qt's own OpenGL
// contexts by way of the global share context, which Qt makes at start-up
// only when asked before the application object exists; making it loads the
// OpenGL driver, which takes long. So it is made here, just before the
// engine's library is loaded (the library checks for it then). A context that
// fails to be made leaves the engine drawing without OpenGL, as Qt's own would.
void makeShareContext()
{
    if (qt_gl_global_share_context())
        return;
    auto *context = new QOpenGLContext;
    context->create();
    qt_gl_set_global_share_context(context);
    // Released with the application, while its window system is still there.
    qAddPostRoutine([] {
        delete qt_gl_global_share_context();
        qt_gl_set_global_share_context(nullptr);
    });
}

} // namespace

QString PreviewEngineLoader::fileName()
{
    return QStringLiteral(TREVIX_PREVIEW_ENGINE_FILE);
}

PreviewEngine *PreviewEngineLoader::engine(const QStringList &folders)
{
    if (loadedEngine)
        return loadedEngine;
    for (const QString &folder : folders) {
        const QString file = QDir(folder).absoluteFilePath(fileName());
        if (!QFileInfo::exists(file))
            continue;
        makeShareContext();
        QPluginLoader loader(file);
        loadedEngine = qobject_cast<PreviewEngine *>(loader.instance());
        if (loadedEngine)
            return loadedEngine; // the plugin stays loaded for the rest of the run
        qWarning("The preview engine %s cannot be loaded: %s", qPrintable(file), qPrintable(loader.errorString()));
        return nullptr;
    }
    qWarning("The preview engine %s is in none of %s", qPrintable(fileName()), qPrintable(folders.join(QStringLiteral(", "))));
    return nullptr;
}

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

// The web engine's library reads Qt's global share context when it is
// loaded and fails without one. Qt makes that context only when asked before
// the application object exists, so it is set here, just before the library
// is loaded. The engine composes the page in software (see WebPreviewEngine),
// so the context is never made: making it would load the OpenGL driver for
// nothing.
void provideShareContext()
{
    if (qt_gl_global_share_context())
        return;
    qt_gl_set_global_share_context(new QOpenGLContext);
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
        provideShareContext();
        QPluginLoader loader(file);
        loadedEngine = qobject_cast<PreviewEngine *>(loader.instance());
        if (loadedEngine)
            return loadedEngine; // the plugin stays loaded for the rest of the run
        qWarning("The preview engine %s cannot be loaded: %s", qPrintable(file),
                 qPrintable(loader.errorString()));
        return nullptr;
    }
    qWarning("The preview engine %s is in none of %s", qPrintable(fileName()),
             qPrintable(folders.join(QStringLiteral(", "))));
    return nullptr;
}

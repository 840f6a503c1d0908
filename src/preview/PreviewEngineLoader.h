#pragma once

#include <QString>
#include <QStringList>

class PreviewEngine;

// Finds and loads the preview engine plugin. The engine, once loaded, serves
// the rest of the run.
class PreviewEngineLoader
{
public:
    // The plugin's file name, as the build puts it beside the executable.
    static QString fileName();

    // The engine from the first of folders that holds the plugin; null, with
    // a warning, when none does or the plugin cannot be loaded.
    static PreviewEngine *engine(const QStringList &folders);
};

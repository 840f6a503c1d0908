#include "help/ShellOpen.h"

#include "help/HelpViewerSet.h"
#include "help/THtmlHelpViewer.h"

#include <QDesktopServices>
#include <QUrl>

HelpViewerSet &shellHelpViewers()
{
    static HelpViewerSet set;
    return set;
}

void ShellOpen(const QString &document)
{
    if (document.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive)) {
        if (THtmlHelpViewer *viewer = shellHelpViewers().open(document))
            viewer->showContents();
        return;
    }
    // A bare "www." address is a web address, as the desktop's shell takes it.
    QDesktopServices::openUrl(QUrl::fromUserInput(document));
}

#include "help/ShellOpen.h"

#include "help/HelpViewer.h"
#include "help/HelpViewerSet.h"

#include <QDesktopServices>
#include <QUrl>

HelpViewerSet &shellHelpViewers()
{
    static HelpViewerSet set;
    return set;
}

void shellOpen(const QString &document)
{
    if (document.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive)) {
        if (HelpViewer *viewer = shellHelpViewers().open(document))
            viewer->showContents();
        return;
    }
    // A bare "www." address is a web address, as the desktop's shell takes it.
    QDesktopServices::openUrl(QUrl::fromUserInput(document));
}

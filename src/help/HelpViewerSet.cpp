#include "help/HelpViewerSet.h"

#include "help/ChmFile.h"
#include "help/THtmlHelpViewer.h"

#include <QFileInfo>

THtmlHelpViewer *HelpViewerSet::open(const QString &chmFile, QWidget *owner)
{
    const QString path = QFileInfo(chmFile).absoluteFilePath();
    for (THtmlHelpViewer *viewer : viewers()) {
        if (QFileInfo(viewer->chm().fileName()).absoluteFilePath() != path)
            continue;
        // Moving to another window hides the viewer until it shows its next topic.
        if (owner && viewer->parentWidget() != owner)
            viewer->setParent(owner, viewer->windowFlags());
        return viewer;
    }
    auto chm = std::make_unique<ChmFile>(path);
    if (!chm->isOpen())
        return nullptr;
    auto *viewer = new THtmlHelpViewer(std::move(chm), owner);
    m_viewers.append(viewer);
    return viewer;
}

void HelpViewerSet::closeAll()
{
    for (THtmlHelpViewer *viewer : viewers())
        viewer->close();
    m_viewers.clear();
}

QList<THtmlHelpViewer *> HelpViewerSet::viewers() const
{
    QList<THtmlHelpViewer *> alive;
    for (const QPointer<THtmlHelpViewer> &viewer : m_viewers) {
        if (viewer)
            alive.append(viewer);
    }
    return alive;
}

#include "help/HelpViewerSet.h"

#include "help/ChmFile.h"
#include "help/HelpViewer.h"

#include <QFileInfo>

HelpViewer *HelpViewerSet::open(const QString &chmFile, QWidget *owner)
{
    const QString path = QFileInfo(chmFile).absoluteFilePath();
    for (HelpViewer *viewer : viewers()) {
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
    auto *viewer = new HelpViewer(std::move(chm), owner);
    m_viewers.append(viewer);
    return viewer;
}

void HelpViewerSet::closeAll()
{
    for (HelpViewer *viewer : viewers())
        viewer->close();
    m_viewers.clear();
}

QList<HelpViewer *> HelpViewerSet::viewers() const
{
    QList<HelpViewer *> alive;
    for (const QPointer<HelpViewer> &viewer : m_viewers) {
        if (viewer)
            alive.append(viewer);
    }
    return alive;
}

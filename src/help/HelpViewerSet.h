#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QWidget;
class HelpViewer;

// The help viewers that one opener has open, one per help file.
class HelpViewerSet
{
public:
    // The viewer of that help file, opened when there is none yet; null when
    // the file cannot be opened as a help file. A viewer with an owner is a
    // window of the owner's: a modal owner lets it take input, and it closes
    // with the owner.
    HelpViewer *open(const QString &chmFile, QWidget *owner = nullptr);
    void closeAll();
    QList<HelpViewer *> viewers() const;

private:
    QList<QPointer<HelpViewer>> m_viewers;
};

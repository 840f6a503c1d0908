#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QWidget;
class THtmlHelpViewer;

// The help viewers that one opener has open, one per help file.
class HelpViewerSet
{
public:
    // The viewer of that help file, opened when there is none yet; null when
    // the file cannot be opened as a help file. A viewer with an owner is a
    // window of the owner's: a modal owner lets it take input, and it closes
    // with the owner.
    THtmlHelpViewer *open(const QString &chmFile, QWidget *owner = nullptr);
    void closeAll();
    QList<THtmlHelpViewer *> viewers() const;

private:
    QList<QPointer<THtmlHelpViewer>> m_viewers;
};

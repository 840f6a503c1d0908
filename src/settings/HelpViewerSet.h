#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class THtmlHelpViewer;

// The help viewers that one opener has open, one per help file.
class HelpViewerSet
{
public:
    // The viewer of that help file, opened when there is none yet; null when
    // the file cannot be opened as a help file.
    THtmlHelpViewer *open(const QString &chmFile);
    void closeAll();
    QList<THtmlHelpViewer *> viewers() const;

private:
    QList<QPointer<THtmlHelpViewer>> m_viewers;
};

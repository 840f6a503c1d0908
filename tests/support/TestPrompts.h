#pragma once

#include "app/DocumentPrompts.h"

#include <QStringList>

// Answers the document commands' questions without any dialog and records
// what was asked.
struct TestPrompts : DocumentPrompts
{
    Answer answer = Cancel;
    QString openName;   // empty: the Open dialog is cancelled
    QString saveName;   // empty: the Save as dialog is cancelled
    QList<int> choices; // answers to choose(), in turn; then the last choice
    QStringList asked;
    int openDialogs = 0;
    int saveDialogs = 0;

    Answer askSaveChanges(const QString &message) override
    {
        asked << message;
        return answer;
    }
    int choose(const QString &message, const QStringList &offered) override
    {
        asked << message;
        return choices.isEmpty() ? int(offered.size()) - 1 : choices.takeFirst();
    }
    QString openFileName() override
    {
        ++openDialogs;
        return openName;
    }
    QString saveFileName() override
    {
        ++saveDialogs;
        return saveName;
    }
};

#pragma once

#include "app/DocumentPrompts.h"

#include <QStringList>

// Answers the document commands' questions without any dialog and records
// what was asked.
struct TestPrompts : DocumentPrompts
{
    Answer answer = Cancel;
    QString openName; // empty: the Open dialog is cancelled
    QString saveName; // empty: the Save as dialog is cancelled
    QStringList asked;
    int openDialogs = 0;
    int saveDialogs = 0;

    Answer askSaveChanges(const QString &message) override
    {
        asked << message;
        return answer;
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

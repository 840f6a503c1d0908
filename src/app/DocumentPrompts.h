#pragma once

#include <QString>
#include <QStringList>

// The questions the document commands ask the user: the unsaved-changes
// prompt, questions with choices of their own, and the Open and Save as
// file dialogs. The main window shows real
// dialogs; tests answer them.
class DocumentPrompts
{
public:
    enum Answer { Yes, No, Cancel };

    virtual ~DocumentPrompts() = default;

    // Yes, No or Cancel to the message; closing the box counts as Cancel.
    virtual Answer askSaveChanges(const QString &message) = 0;
    // The index of the choice the user made; the last choice is the one that
    // loses nothing, given by Enter and by closing the box.
    virtual int choose(const QString &message, const QStringList &choices) = 0;
    // The chosen file; empty when the user cancels.
    virtual QString openFileName() = 0;
    virtual QString saveFileName() = 0;
};

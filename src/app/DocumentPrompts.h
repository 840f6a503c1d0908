#pragma once

#include <QString>

// The questions the document commands ask the user: the unsaved-changes
// prompt and the Open and Save as file dialogs. The main window shows real
// dialogs; tests answer them.
class DocumentPrompts
{
public:
    enum Answer { Yes, No, Cancel };

    virtual ~DocumentPrompts() = default;

    // Yes, No or Cancel to the message; closing the box counts as Cancel.
    virtual Answer askSaveChanges(const QString &message) = 0;
    // The chosen file; empty when the user cancels.
    virtual QString openFileName() = 0;
    virtual QString saveFileName() = 0;
};

#pragma once

#include "app/DocumentPrompts.h"

#include <QPointer>

class QFileDialog;
class QWidget;

// The document commands' questions as the user sees them: message boxes
// captioned with the application title, and the Open and Save as dialogs
// for style files.
class StyleFileDialogs : public DocumentPrompts
{
public:
    explicit StyleFileDialogs(QWidget *parent);
    ~StyleFileDialogs() override;

    Answer askSaveChanges(const QString &message) override;
    int choose(const QString &message, const QStringList &choices) override;
    QString openFileName() override;
    QString saveFileName() override;

private:
    QFileDialog *fileDialog(QPointer<QFileDialog> &dialog, bool save);
    QString chosenFile(QFileDialog *dialog);

    QWidget *m_parent;
    QPointer<QFileDialog> m_openDialog;
    QPointer<QFileDialog> m_saveDialog;
    QString m_directory; // empty until a file has been chosen
};

#include "app/DocumentCommands.h"

#include "app/DocumentPrompts.h"
#include "style/StyleDocument.h"
#include "app/TTBMRUList.h"

#include <QScopeGuard>

DocumentCommands::DocumentCommands(StyleDocument &document, TTBMRUList &recentFiles, DocumentPrompts &prompts,
                                   QObject *parent)
    : QObject(parent), m_document(document), m_recentFiles(recentFiles), m_prompts(&prompts)
{
}

QString DocumentCommands::saveChangesMessage(const QString &fileName)
{
    return QStringLiteral("Do You wand save file \"%1\"")
        .arg(fileName.isEmpty() ? QStringLiteral("Untitled") : fileName);
}

void DocumentCommands::ANewExecute()
{
    if (!QuerySaveChanges())
        return;
    m_document.ClearValues();
    emit movieRequested(m_document.appDir() + QStringLiteral("empty.swf"));
    m_document.setFileName(QString());
    emit updateTitleRequested();
    m_document.setModified(false);
}

void DocumentCommands::AOpenExecute()
{
    if (!QuerySaveChanges())
        return;
    const QString fileName = m_prompts->openFileName();
    if (!fileName.isEmpty())
        OpenStyleFile(fileName);
}

void DocumentCommands::ASaveExecute()
{
    if (m_document.fileName().isEmpty()) {
        ASaveasExecute();
        return;
    }
    m_document.SaveStyleValues(m_document.fileName());
    m_document.setModified(false);
}

void DocumentCommands::ASaveasExecute()
{
    const QString fileName = m_prompts->saveFileName();
    if (fileName.isEmpty())
        return;
    m_document.SaveStyleValues(fileName);
    m_document.setFileName(fileName);
    m_document.setModified(false);
    emit updateTitleRequested();
}

void DocumentCommands::ACompareExecute()
{
    const QString fileName = m_prompts->openFileName();
    if (!fileName.isEmpty())
        emit compareRequested(fileName);
}

void DocumentCommands::OpenStyleFile(const QString &fileName)
{
    m_document.LoadStyleValues(fileName);
    m_document.setFileName(fileName);
    emit updateTitleRequested();
    m_document.SaveStyleValues(m_document.styleTxtPath());
    m_recentFiles.AddFile(fileName);
    m_document.setModified(false);
}

bool DocumentCommands::QuerySaveChanges()
{
    if (!m_document.isModified())
        return true;
    switch (m_prompts->askSaveChanges(saveChangesMessage(m_document.fileName()))) {
    case DocumentPrompts::Yes:
        ASaveExecute();
        return !m_document.isModified();
    case DocumentPrompts::No:
        return true;
    case DocumentPrompts::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::FormCloseQuery(bool &canClose)
{
    if (!m_document.isModified())
        return;
    canClose = false;
    canClose = QuerySaveChanges();
}

void DocumentCommands::FileDropDrop(const QStringList &fileNames)
{
    const auto front = qScopeGuard([this] { emit bringToFrontRequested(); });
    // Dropping a file must not throw away unsaved changes without asking.
    if (!fileNames.isEmpty() && QuerySaveChanges())
        OpenStyleFile(fileNames.first());
}

void DocumentCommands::MRUListClick(const QString &Filename)
{
    // Choosing a recent file must not throw away unsaved changes without asking.
    if (QuerySaveChanges())
        OpenStyleFile(Filename);
}

#include "app/DocumentCommands.h"

#include "app/DocumentPrompts.h"
#include "style/StyleDocument.h"
#include "app/RecentFileList.h"

#include <QScopeGuard>

DocumentCommands::DocumentCommands(StyleDocument &document, RecentFileList &recentFiles, DocumentPrompts &prompts,
                                   QObject *parent)
    : QObject(parent), m_document(document), m_recentFiles(recentFiles), m_prompts(&prompts)
{
}

QString DocumentCommands::saveChangesMessage(const QString &fileName)
{
    return QStringLiteral("Do You wand save file \"%1\"")
        .arg(fileName.isEmpty() ? QStringLiteral("Untitled") : fileName);
}

void DocumentCommands::newDocument()
{
    if (!querySaveChanges())
        return;
    m_document.clearValues();
    emit movieRequested(m_document.appDir() + QStringLiteral("empty.swf"));
    m_document.setFileName(QString());
    emit updateTitleRequested();
    m_document.setModified(false);
}

void DocumentCommands::open()
{
    if (!querySaveChanges())
        return;
    const QString fileName = m_prompts->openFileName();
    if (!fileName.isEmpty())
        openStyleFile(fileName);
}

void DocumentCommands::save()
{
    if (m_document.fileName().isEmpty()) {
        saveAs();
        return;
    }
    m_document.saveStyleValues(m_document.fileName());
    m_document.setModified(false);
}

void DocumentCommands::saveAs()
{
    const QString fileName = m_prompts->saveFileName();
    if (fileName.isEmpty())
        return;
    m_document.saveStyleValues(fileName);
    m_document.setFileName(fileName);
    m_document.setModified(false);
    emit updateTitleRequested();
}

void DocumentCommands::compare()
{
    const QString fileName = m_prompts->openFileName();
    if (!fileName.isEmpty())
        emit compareRequested(fileName);
}

void DocumentCommands::openStyleFile(const QString &fileName)
{
    m_document.loadStyleValues(fileName);
    m_document.setFileName(fileName);
    emit updateTitleRequested();
    m_document.saveStyleValues(m_document.styleTxtPath());
    m_recentFiles.addFile(fileName);
    m_document.setModified(false);
}

bool DocumentCommands::querySaveChanges()
{
    if (!m_document.isModified())
        return true;
    switch (m_prompts->askSaveChanges(saveChangesMessage(m_document.fileName()))) {
    case DocumentPrompts::Yes:
        save();
        return !m_document.isModified();
    case DocumentPrompts::No:
        return true;
    case DocumentPrompts::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::queryClose(bool &canClose)
{
    if (!m_document.isModified())
        return;
    canClose = false;
    canClose = querySaveChanges();
}

void DocumentCommands::openDroppedFiles(const QStringList &fileNames)
{
    const auto front = qScopeGuard([this] { emit bringToFrontRequested(); });
    // Dropping a file must not throw away unsaved changes without asking.
    if (!fileNames.isEmpty() && querySaveChanges())
        openStyleFile(fileNames.first());
}

void DocumentCommands::openRecentFile(const QString &fileName)
{
    // Choosing a recent file must not throw away unsaved changes without asking.
    if (querySaveChanges())
        openStyleFile(fileName);
}

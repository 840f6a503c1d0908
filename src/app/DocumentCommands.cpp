#include "app/DocumentCommands.h"

#include "app/DocumentPrompts.h"
#include "app/RecentFileList.h"
#include "app/ValueHistory.h"
#include "base/LocalFile.h"
#include "base/SystemText.h"
#include "style/SaveReview.h"
#include "style/StyleDocument.h"
#include "style/WatchedFile.h"

#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>

DocumentCommands::DocumentCommands(StyleDocument &document, RecentFileList &recentFiles,
                                   ValueHistory &history, DocumentPrompts &prompts, QObject *parent)
    : QObject(parent), m_document(document), m_recentFiles(recentFiles), m_history(history),
      m_prompts(&prompts), m_file(new WatchedFile(this)),
      m_record(new RecoveryRecord(document, *m_file, this))
{
    connect(m_file, &WatchedFile::noticed, this, &DocumentCommands::outsideChangeNoticed);
}

DocumentCommands::~DocumentCommands()
{
    // The record may write once more as it goes, reading the watched file: it goes first.
    delete m_record;
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
    m_reviewed.clear();
    track(QString(), FileStamp());
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
    if (mayOverwrite() && mayReplace(m_document.fileName()))
        writeFile(m_document.fileName());
}

bool DocumentCommands::mayReplace(const QString &fileName)
{
    if (m_reviewed == fileName)
        return true;
    const QString changes = SaveReview::changes(m_document, fileName);
    if (!changes.isEmpty() && m_prompts->choose(changes, {tr("Save"), tr("Cancel")}) != 0)
        return false;
    m_reviewed = fileName;
    return true;
}

void DocumentCommands::saveAs()
{
    const QString fileName = m_prompts->saveFileName();
    if (fileName.isEmpty())
        return;
    writeFile(fileName);
    emit updateTitleRequested();
}

void DocumentCommands::writeFile(const QString &fileName)
{
    m_document.saveStyleValues(fileName);
    m_document.setFileName(fileName);
    m_reviewed = fileName; // now in Save's own layout
    // What the editor wrote itself is no outside change.
    track(fileName, FileStamp::of(fileName));
    m_document.setModified(false);
}

bool DocumentCommands::mayOverwrite()
{
    if (!m_file->differsOnDisk())
        return true;
    const QString fileName = m_document.fileName();
    const QString message
            = LocalFile::exists(fileName)
                      ? tr("\"%1\" was changed by another program since it was opened or "
                           "saved.\n\nSave replaces that content with the values shown here.")
                                .arg(fileName)
                      : tr("\"%1\" was deleted or moved by another program.\n\nSave writes it "
                           "anew.")
                                .arg(fileName);
    return m_prompts->choose(message, {tr("Save"), tr("Cancel")}) == 0;
}

void DocumentCommands::compare()
{
    const QString fileName = m_prompts->openFileName();
    if (!fileName.isEmpty())
        emit compareRequested(fileName);
}

void DocumentCommands::openStyleFile(const QString &fileName)
{
    if (!readFile(fileName)) {
        m_prompts->choose(
                tr("%1 holds no style lines (\"&name=value\"). Save would replace its content with "
                   "the parameters' values.")
                        .arg(QFileInfo(fileName).fileName()),
                {tr("OK")});
    }
    m_recentFiles.addFile(fileName);
}

bool DocumentCommands::readFile(const QString &fileName)
{
    // Stamped before it is read: a change while it is read shows up as a change afterwards.
    const FileStamp stamp = FileStamp::of(fileName);
    const bool styleLines = m_document.loadStyleValues(fileName);
    m_document.setFileName(fileName);
    m_reviewed.clear();
    track(fileName, stamp);
    emit updateTitleRequested();
    m_document.saveStyleValues(m_document.styleTxtPath());
    m_document.setModified(false);
    return styleLines;
}

void DocumentCommands::track(const QString &fileName, const FileStamp &stamp)
{
    m_file->track(fileName == m_document.styleTxtPath() ? QString() : fileName, stamp);
}

void DocumentCommands::checkOutsideChange()
{
    if (m_checking) {
        m_checkAgain = true;
        return;
    }
    const std::optional<FileStamp> change = m_file->newChange();
    if (!change)
        return;
    const QString fileName = m_document.fileName();
    const QString shownName = QFileInfo(fileName).fileName();
    if (!change->exists()) {
        emit statusMessage(tr("%1 was deleted or moved by another program.").arg(shownName));
        return;
    }
    if (m_document.isModified()) {
        m_checking = true;
        const auto asked = qScopeGuard([this] {
            m_checking = false;
            if (std::exchange(m_checkAgain, false))
                checkOutsideChange();
        });
        const QString question = tr("\"%1\" was changed by another program.\n\nReload it and "
                                    "lose your edits, or keep your edits? Save then asks before "
                                    "it replaces the other program's content.")
                                         .arg(fileName);
        if (m_prompts->choose(question, {tr("Reload"), tr("Keep my edits")}) != 0)
            return;
    }
    reload();
    emit statusMessage(
            tr("%1 was changed by another program and reloaded; Undo brings back the values "
               "before.")
                    .arg(shownName));
}

void DocumentCommands::reload()
{
    const QString fileName = m_document.fileName();
    m_history.recordBulk(tr("Reload \"%1\"")
                                 .arg(SystemText::displayed(QFileInfo(fileName).fileName())),
                         [this, &fileName] { readFile(fileName); });
}

std::optional<QString> DocumentCommands::offerLeftOverEdits()
{
    while (std::optional<RecoveryRecord::LeftOver> leftOver = RecoveryRecord::takeLeftOver()) {
        const RecoveryRecord::Edits &edits = leftOver->edits();
        const QString question
                = tr("The editor ended without saving the changes to \"%1\", last changed on "
                     "%2.\n\nRestore them? Discard throws them away for good.")
                          .arg(edits.fileName.isEmpty() ? QStringLiteral("Untitled")
                                                        : edits.fileName,
                               QLocale().toString(edits.written, QLocale::ShortFormat));
        if (m_prompts->choose(question, {tr("Discard"), tr("Restore")}) == 0) {
            leftOver->remove();
            continue;
        }
        restore(edits);
        // This editor's own record holds the edits now.
        m_record->write();
        leftOver->remove();
        return edits.fileName;
    }
    return std::nullopt;
}

void DocumentCommands::restore(const RecoveryRecord::Edits &edits)
{
    const QString &fileName = edits.fileName;
    if (!fileName.isEmpty() && LocalFile::isFile(fileName)) {
        openStyleFile(fileName);
    } else {
        m_document.clearValues();
        m_document.setFileName(fileName);
        track(fileName, FileStamp::of(fileName));
        emit updateTitleRequested();
    }
    // Save asks first when the file changed after the edits were made on it.
    m_file->setBase(edits.base);
    const ParameterTable &table = m_document.table();
    QList<std::pair<int, QString>> values;
    for (int i = 0; i < table.count(); ++i) {
        const QString value = edits.values.value(table.record(i).name()).value_or(QString());
        if (ParameterRecord::cut(value, ParameterRecord::DefaultWidth) != table.record(i).value())
            values.append({i, value});
    }
    m_history.postValues(values, tr("Restore unsaved changes"));
    m_document.setModified(true);
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
    // Closed without saving: the edits are given up for good.
    if (canClose && m_document.isModified())
        m_record->discard();
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

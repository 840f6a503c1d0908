#pragma once

#include "style/RecoveryRecord.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class DocumentPrompts;
class StyleDocument;
class RecentFileList;
class FileStamp;
class ValueHistory;
class WatchedFile;

// The commands that change the document as a whole: New, Open, Save,
// Save as, opening a recent, dropped or command-line file, and the prompt
// that guards unsaved changes. They watch the open file for other
// programs' changes and never overwrite such a change without asking, and
// keep a recovery record of unsaved edits.
// Failures are EditorErrors that end the command; the caller reports them.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(StyleDocument &document, RecentFileList &recentFiles, ValueHistory &history,
                     DocumentPrompts &prompts, QObject *parent = nullptr);
    ~DocumentCommands() override;

    void setPrompts(DocumentPrompts &prompts) { m_prompts = &prompts; }

    void newDocument();
    void open();
    void save();
    void saveAs();
    // Asks for another style file to compare the document with.
    void compare();
    // Makes the file the current document and adds it to the recent files.
    void openStyleFile(const QString &fileName);
    // True when the current values may be discarded: unchanged, saved or given up.
    bool querySaveChanges();
    // The window is about to close: canClose stays true only when nothing unsaved is lost.
    void queryClose(bool &canClose);
    // Opens the first dropped file; the window comes to the front either way.
    void openDroppedFiles(const QStringList &fileNames);
    // A recent-files entry was chosen (it is already at the top of the list).
    void openRecentFile(const QString &fileName);
    // Looks whether another program changed, replaced or deleted the open
    // file since it was read or saved: an unmodified document reads it
    // anew, a modified one asks first. Each change is looked at once.
    void checkOutsideChange();
    // Offers the edits an editor that ended left unsaved, one record after
    // another until one is restored: the document is the record's file (or
    // a new one) with its values, modified. Declined records go. Returns the
    // restored file (empty for a new document); nothing when none was restored.
    std::optional<QString> offerLeftOverEdits();

    static QString saveChangesMessage(const QString &fileName);

signals:
    void updateTitleRequested();
    // The preview should show this movie.
    void movieRequested(const QString &movie);
    void bringToFrontRequested();
    void compareRequested(const QString &fileName);
    // A note for the status bar.
    void statusMessage(const QString &message);
    // Something happened to the open file or its folder: time for checkOutsideChange().
    void outsideChangeNoticed();

private:
    // Asks before Save replaces a file it would change beyond the values.
    bool mayReplace(const QString &fileName);
    // Reads the file into the document, which then holds its content
    // unmodified; false when the file holds no style line.
    bool readFile(const QString &fileName);
    void writeFile(const QString &fileName);
    // The file whose content the document holds from now on; style.txt, the
    // editor's own working copy, is not watched.
    void track(const QString &fileName, const FileStamp &stamp);
    // False when the open file changed on disk and the user cancels.
    bool mayOverwrite();
    void reload();
    void restore(const RecoveryRecord::Edits &edits);

    StyleDocument &m_document;
    RecentFileList &m_recentFiles;
    ValueHistory &m_history;
    DocumentPrompts *m_prompts;
    QString m_reviewed; // the file whose changes by Save the user accepted
    WatchedFile *m_file;
    RecoveryRecord *m_record;
    bool m_checking = false;   // a question about an outside change is open
    bool m_checkAgain = false; // ... and a notice came meanwhile
};

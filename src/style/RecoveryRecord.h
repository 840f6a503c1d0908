#pragma once

#include "style/FileLock.h"
#include "style/FileStamp.h"
#include "style/StyleFile.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class StyleDocument;
class WatchedFile;

// Unsaved edits kept on disk while the document is modified, so that a
// crash, kill -9 or a power cut loses none of them: which file (none for a
// new document), what that file held when it was read, and every
// parameter's value, written as Save writes a style file. Each running
// editor keeps a record of its own, held by a lock; the record goes when
// the document turns unmodified (saved, reloaded, opened anew, New) or its
// edits are given up. A record whose editor ended without either is left
// over for the next start.
class RecoveryRecord : public QObject
{
    Q_OBJECT

public:
    // What a record kept.
    struct Edits
    {
        QString fileName; // empty for a new document
        FileStamp base;   // the file's content the edits were made on
        StyleFile values;
        QDateTime written;
    };

    // A record whose editor has ended; locked while this lives, so no other
    // editor offers it meanwhile.
    class LeftOver
    {
    public:
        LeftOver(const QString &path, std::unique_ptr<FileLock> lock, Edits edits);
        const Edits &edits() const { return m_edits; }
        // The edits are restored or given up.
        void remove();

    private:
        QString m_path;
        std::unique_ptr<FileLock> m_lock;
        Edits m_edits;
    };

    RecoveryRecord(StyleDocument &document, const WatchedFile &file, QObject *parent = nullptr);
    ~RecoveryRecord() override;

    // The user's records: "recovery" in the application's data folder
    // (~/.local/share/Melbrin/TrevixStyleEditor/recovery), unless set.
    static QString folder();
    // Another folder; empty gives back the usual one.
    static void setFolder(const QString &folder);
    // The first record in the folder whose editor has ended; none when there is none.
    static std::optional<LeftOver> takeLeftOver();

    // Writes the record now. Throws EditorError "Cannot create file %s".
    void write();
    // The edits are given up: the record goes.
    void discard();

private:
    void writeReported();

    StyleDocument &m_document;
    const WatchedFile &m_file;
    QTimer m_writeLater;
    QString m_path;
    std::unique_ptr<FileLock> m_lock;
    bool m_failed = false; // a write failed and was reported; later failures go unsaid
};

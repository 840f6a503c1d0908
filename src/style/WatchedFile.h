#pragma once

#include "style/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <optional>

// The document's file as the editor last read or wrote it, and a watch on it
// for other programs: written in place, replaced by a rename, deleted or
// moved away. Its folder is watched as well, so a file put anew under the
// name is noticed and watched again. A name Qt cannot pass to the system (a
// byte that is not UTF-8, see LocalFile) is looked at every second instead.
// A burst of notices (a program that writes in steps, a checkout) ends in
// one noticed().
class WatchedFile : public QObject
{
    Q_OBJECT

public:
    explicit WatchedFile(QObject *parent = nullptr);

    // Starts over with a file whose content the document holds as stamp
    // says; an empty name watches nothing.
    void track(const QString &fileName, const FileStamp &stamp);
    // ... as the file is now.
    void track(const QString &fileName) { track(fileName, FileStamp::of(fileName)); }
    QString fileName() const { return m_fileName; }

    // The file as it is now, when it differs from what the document holds
    // and from what the last call saw: each change is reported once.
    std::optional<FileStamp> newChange();
    // True when the file's content is no longer what the document holds.
    bool differsOnDisk() const
    {
        return !m_fileName.isEmpty() && FileStamp::of(m_fileName) != m_base;
    }
    // What the document holds; a missing file for a file never read.
    const FileStamp &base() const { return m_base; }
    // The document holds edits made on other content than the file's now
    // (restored after the file changed): Save asks first.
    void setBase(const FileStamp &base) { m_base = base; }

signals:
    void noticed();

private:
    void rewatch();
    void poll();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_poll;
    QByteArray m_polled; // what the last look of the poll found
    QString m_fileName;
    FileStamp m_base; // the content the document was read from or last written as
    FileStamp m_seen; // the content the last look found
};

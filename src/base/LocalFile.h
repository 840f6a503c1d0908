#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QUrl>

// A file of the local file system named as the program holds names (see
// SystemText): a byte of the name that is not UTF-8 reaches the system as
// that byte. Qt's own file classes pass a name through UTF-8 and turn such a
// byte into U+FFFD, which names another file or none; names without such
// bytes go through Qt as everywhere else.
class LocalFile
{
public:
    // Whether the name holds a byte Qt's file classes cannot pass on.
    static bool holdsKeptBytes(const QString &fileName);
    // The name as the system takes it.
    static QByteArray encodedName(const QString &fileName);
    // The name of the local file a file URL names (a dropped file, say):
    // %E9 of a name that is not UTF-8 is that byte.
    static QString nameOf(const QUrl &url);
    // The name as an absolute, clean path from the current folder, whose own
    // name may hold such bytes too (QDir would pass both through UTF-8).
    static QString absoluteName(const QString &fileName);

    // Opens file, which must not be open, by the name, as QFile::open(mode)
    // would (ReadOnly, WriteOnly, ReadWrite, Append, Truncate, ExistingOnly,
    // NewOnly, Unbuffered). False when it cannot; a folder is no file to open.
    static bool open(QFile &file, const QString &fileName, QIODevice::OpenMode mode);
    // Links followed, as QFileInfo does.
    static bool exists(const QString &fileName);
    static bool isFile(const QString &fileName);
    // Which file the name leads to and when it was last written, as text
    // that changes when the file is written, replaced or deleted; empty for
    // a missing file.
    static QByteArray changeMark(const QString &fileName);
};

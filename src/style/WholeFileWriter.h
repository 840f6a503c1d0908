#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's whole content so that the file is never left cut short.
// The new content goes to a temporary file beside it, which takes the file's
// place once it is complete on disk. Where the folder takes no new file but
// the file itself may be written (a shared file in a folder that belongs to
// someone else), the file is written in place: its old content is read first
// and put back when the new content does not fit. A name holding a byte that
// is not UTF-8 (see LocalFile) gets the same steps by its bytes.
class WholeFileWriter
{
public:
    // False when the file could not be written; it then holds what it held.
    static bool write(const QString &fileName, const QByteArray &bytes);

private:
    static bool replaceByName(const QString &fileName, const QByteArray &bytes);
    static bool writeInPlace(const QString &fileName, const QByteArray &bytes);
};

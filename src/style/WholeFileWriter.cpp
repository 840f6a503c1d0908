#include "style/WholeFileWriter.h"

#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace {

// The bytes from the start of the file on, on disk, and nothing after them.
bool overwrite(QFile &file, const QByteArray &bytes)
{
    return file.seek(0) && file.write(bytes) == bytes.size() && file.resize(bytes.size()) && file.flush()
           && ::fsync(file.handle()) == 0;
}

} // namespace

bool WholeFileWriter::write(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return writeInPlace(fileName, bytes);
    // commit() alone can report success after a write that found the disk
    // full, and then replaces the file with a short one: flush first.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    // The content was complete; only putting it in the file's place failed.
    return file.commit() || writeInPlace(fileName, bytes);
}

bool WholeFileWriter::writeInPlace(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    const qint64 oldSize = file.size();
    const QByteArray old = file.readAll();
    if (old.size() != oldSize)
        return false;
    if (overwrite(file, bytes))
        return true;
    // The old content fits where it was: it goes back over whatever part of the new one got in.
    overwrite(file, old);
    return false;
}

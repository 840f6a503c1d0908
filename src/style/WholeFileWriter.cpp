#include "style/WholeFileWriter.h"

#include "base/LocalFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstdlib>
#include <unistd.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {

// The bytes from the start of the file on, on disk, and nothing after them.
bool overwrite(QFile &file, const QByteArray &bytes)
{
    return file.seek(0) && file.write(bytes) == bytes.size() && file.resize(bytes.size())
           && file.flush() && ::fsync(file.handle()) == 0;
}

} // namespace

bool WholeFileWriter::write(const QString &fileName, const QByteArray &bytes)
{
    if (LocalFile::holdsKeptBytes(fileName))
        return replaceByName(fileName, bytes);
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

bool WholeFileWriter::replaceByName(const QString &fileName, const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    // A link is followed, as QSaveFile does: the file it leads to is replaced.
    QByteArray target = LocalFile::encodedName(fileName);
    struct stat old;
    const bool existed = ::stat(target.constData(), &old) == 0;
    if (existed) {
        if (char *resolved = ::realpath(target.constData(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // Created as any new file is (umask applied), then given the old file's permissions.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return writeInPlace(fileName, bytes);
    auto removeTemporary = qScopeGuard([&temporary] { ::unlink(temporary.constData()); });
    {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return false;
        }
        if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(fd) != 0
            || (existed && ::fchmod(fd, old.st_mode & 07777) != 0))
            return false;
    }
    if (::rename(temporary.constData(), target.constData()) != 0)
        return writeInPlace(fileName, bytes);
    removeTemporary.dismiss();
    return true;
#else
    return writeInPlace(fileName, bytes);
#endif
}

bool WholeFileWriter::writeInPlace(const QString &fileName, const QByteArray &bytes)
{
    QFile file;
    if (!LocalFile::open(file, fileName,
                         QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
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

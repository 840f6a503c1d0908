#include "base/LocalFile.h"

#include "base/SystemText.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
int openFlags(QIODevice::OpenMode mode)
{
    const bool reads = mode.testFlag(QIODevice::ReadOnly);
    const bool writes = mode.testFlag(QIODevice::WriteOnly) || mode.testFlag(QIODevice::Append);
    int flags = O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (writes && !mode.testFlag(QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (writes && mode.testFlag(QIODevice::NewOnly))
        flags |= O_EXCL;
    // As QFile: writing alone starts the file anew unless it appends.
    if (mode.testFlag(QIODevice::Truncate)
        || (writes && !reads && !mode.testFlag(QIODevice::Append)))
        flags |= O_TRUNC;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    return flags;
}

bool statusOf(const QString &fileName, struct stat &status)
{
    return ::stat(LocalFile::encodedName(fileName).constData(), &status) == 0;
}
#endif

} // namespace

bool LocalFile::holdsKeptBytes(const QString &fileName)
{
#ifdef Q_OS_UNIX
    return std::any_of(fileName.cbegin(), fileName.cend(),
                       [](QChar c) { return SystemText::keptByte(c) >= 0; });
#else
    Q_UNUSED(fileName);
    return false;
#endif
}

QByteArray LocalFile::encodedName(const QString &fileName)
{
    return holdsKeptBytes(fileName) ? SystemText::encode(fileName) : QFile::encodeName(fileName);
}

QString LocalFile::nameOf(const QUrl &url)
{
#ifdef Q_OS_UNIX
    if (url.host().isEmpty())
        return SystemText::decode(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
    return QDir::toNativeSeparators(url.toLocalFile());
}

QString LocalFile::absoluteName(const QString &fileName)
{
#ifdef Q_OS_UNIX
    if (!QDir::isAbsolutePath(fileName)) {
        if (char *current = ::getcwd(nullptr, 0)) {
            const QString folder = SystemText::decode(current);
            std::free(current);
            return QDir::cleanPath(folder + QLatin1Char('/') + fileName);
        }
    }
#endif
    return QDir::cleanPath(QDir::current().absoluteFilePath(fileName));
}

bool LocalFile::open(QFile &file, const QString &fileName, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    if (holdsKeptBytes(fileName)) {
        const int fd = ::open(encodedName(fileName).constData(), openFlags(mode), 0666);
        if (fd < 0)
            return false;
        struct stat status;
        if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)
            || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return false;
        }
        return true;
    }
#endif
    file.setFileName(fileName);
    return file.open(mode);
}

bool LocalFile::exists(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (holdsKeptBytes(fileName))
        return statusOf(fileName, status);
#endif
    return QFileInfo::exists(fileName);
}

bool LocalFile::isFile(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (holdsKeptBytes(fileName))
        return statusOf(fileName, status) && S_ISREG(status.st_mode);
#endif
    return QFileInfo(fileName).isFile();
}

QByteArray LocalFile::changeMark(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (!statusOf(fileName, status))
        return {};
    return QByteArray::number(quint64(status.st_dev)) + ' '
           + QByteArray::number(quint64(status.st_ino)) + ' '
           + QByteArray::number(qint64(status.st_size)) + ' '
           + QByteArray::number(qint64(status.st_mtim.tv_sec)) + '.'
           + QByteArray::number(qint64(status.st_mtim.tv_nsec)) + ' '
           + QByteArray::number(qint64(status.st_ctim.tv_sec)) + '.'
           + QByteArray::number(qint64(status.st_ctim.tv_nsec));
#else
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    return QByteArray::number(info.size()) + ' '
           + info.lastModified().toString(Qt::ISODateWithMs).toLatin1();
#endif
}

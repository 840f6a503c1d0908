#include "style/FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::unique_ptr<FileLock> FileLock::take(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return nullptr;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<FileLock>(new FileLock(descriptor, name));
}

FileLock::~FileLock()
{
    ::close(m_descriptor);
}

void FileLock::removeFile()
{
    ::unlink(m_path.constData());
}

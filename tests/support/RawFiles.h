#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

// Files named by bytes, made and read with the system's own calls and no Qt
// in between, to see what the editor did under names that are not UTF-8.
namespace RawFiles {

inline bool write(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// The file's bytes; "<missing>" when it cannot be read.
inline QByteArray read(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    QByteArray bytes;
    char chunk[4096];
    ssize_t got;
    while ((got = ::read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, got);
    ::close(fd);
    return bytes;
}

// The names in the folder, sorted, without "." and "..".
inline QList<QByteArray> list(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A temporary folder, removed with all it holds by the system's own calls
// (QTemporaryDir cannot list a name that is not UTF-8, so it would stay).
class Folder
{
public:
    Folder() : m_path(QByteArray("/tmp/trevix-test-XXXXXX"))
    {
        if (!::mkdtemp(m_path.data()))
            qFatal("cannot make a temporary folder");
    }
    ~Folder()
    {
        ::nftw(
                m_path.constData(),
                [](const char *path, const struct stat *, int, FTW *) { return ::remove(path); },
                16, FTW_DEPTH | FTW_PHYS);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    const QByteArray &path() const { return m_path; }
    QByteArray path(const QByteArray &name) const { return m_path + '/' + name; }

private:
    QByteArray m_path;
};

} // namespace RawFiles

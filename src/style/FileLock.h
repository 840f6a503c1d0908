#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// An exclusive lock on a file, held while this lives by an open descriptor,
// so that the system lets it go when its process ends, however it ends
// (kill -9, a crash). Programs the process starts do not inherit it.
class FileLock
{
public:
    // The lock of the file at path (made when missing); none when another
    // holds it or it cannot be made.
    static std::unique_ptr<FileLock> take(const QString &path);
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Removes the lock's file; the lock stays held until this goes.
    void removeFile();

private:
    FileLock(int descriptor, const QByteArray &path) : m_descriptor(descriptor), m_path(path) {}

    int m_descriptor;
    QByteArray m_path;
};

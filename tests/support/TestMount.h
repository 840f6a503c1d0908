#pragma once

#include "base/LocalFile.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <sched.h>
#include <sys/mount.h>

// A small tmpfs of the test's own, for writes that fail for real: a full
// disk, a read-only folder (also for root, who ignores folder permissions).
// The mount lives in a private mount namespace of the calling thread, so it
// is never seen outside the test and vanishes with it. Needs the privilege to
// mount; mounted() says whether it was granted.
class TestMount
{
public:
    TestMount(const QString &dir, qint64 bytes) : m_dir(dir)
    {
        QDir().mkpath(dir);
        static const bool privateNamespace
                = unshare(CLONE_NEWNS) == 0
                  && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        const QByteArray options = "size=" + QByteArray::number(bytes);
        m_mounted = privateNamespace
                    && mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0,
                             options.constData())
                               == 0;
    }
    ~TestMount()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
    }
    TestMount(const TestMount &) = delete;
    TestMount &operator=(const TestMount &) = delete;

    bool mounted() const { return m_mounted; }

    bool makeReadOnly()
    {
        return mount("none", QFile::encodeName(m_dir).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                     nullptr)
               == 0;
    }

    // The folder takes no new file while the file in it stays writable, as
    // a shared file in a folder of someone else's (root ignores the folder's
    // permissions): the file becomes a mount of its own, and the folder's
    // mount turns read-only.
    bool makeReadOnlyExcept(const QString &file)
    {
        const QByteArray path = LocalFile::encodedName(file);
        return mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0
               && mount("none", QFile::encodeName(m_dir).constData(), nullptr,
                        MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr)
                          == 0;
    }

    // Fills the free space with one file, as far as it goes.
    void fill()
    {
        QFile filler(m_dir + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {}
    }

private:
    QString m_dir;
    bool m_mounted = false;
};

#include "style/WatchedFile.h"

#include "base/LocalFile.h"

#include <QFileInfo>

namespace {

// Long enough for a program's writes of one file to end, short enough to go unnoticed.
constexpr int SettleMs = 100;
// As often as Qt's own watch looks where the system gives no notices.
constexpr int PollMs = 1000;

} // namespace

WatchedFile::WatchedFile(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &WatchedFile::noticed);
    const auto notice = [this] {
        rewatch();
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, notice);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, notice);
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &WatchedFile::poll);
}

void WatchedFile::track(const QString &fileName, const FileStamp &stamp)
{
    m_settle.stop();
    m_poll.stop();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_fileName = fileName.isEmpty() ? QString() : LocalFile::absoluteName(fileName);
    m_base = stamp;
    m_seen = stamp;
    if (LocalFile::holdsKeptBytes(m_fileName)) {
        m_polled = LocalFile::changeMark(m_fileName);
        m_poll.start();
        return;
    }
    rewatch();
}

std::optional<FileStamp> WatchedFile::newChange()
{
    if (m_fileName.isEmpty())
        return std::nullopt;
    const FileStamp now = FileStamp::of(m_fileName);
    if (now == m_seen)
        return std::nullopt;
    m_seen = now;
    if (now == m_base)
        return std::nullopt;
    return now;
}

void WatchedFile::rewatch()
{
    if (m_fileName.isEmpty())
        return;
    // A file replaced by a rename is another file: the watch of the old one
    // sees nothing more, so the name is watched anew after every notice.
    if (m_watcher.files().contains(m_fileName))
        m_watcher.removePath(m_fileName);
    if (QFileInfo::exists(m_fileName))
        m_watcher.addPath(m_fileName);
    const QString folder = QFileInfo(m_fileName).absolutePath();
    if (!m_watcher.directories().contains(folder) && QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
}

void WatchedFile::poll()
{
    QByteArray mark = LocalFile::changeMark(m_fileName);
    if (mark == m_polled)
        return;
    m_polled = std::move(mark);
    m_settle.start();
}

#include "style/RecoveryRecord.h"

#include "base/EditorError.h"
#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "style/StyleDocument.h"
#include "style/WatchedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace {

// Before the values: the file's name, percent-encoded so that any name fits
// a line, and the digest of what the file held.
const QString FileKey = QStringLiteral("file");
const QString BaseKey = QStringLiteral("base");
const QString NameFilter = QStringLiteral("edits-*.txt");

QString &folderSet()
{
    static QString folder;
    return folder;
}

// A record's lock: held by its editor while it runs.
std::unique_ptr<FileLock> lockOf(const QString &path)
{
    return FileLock::take(path + QStringLiteral(".lock"));
}

} // namespace

RecoveryRecord::LeftOver::LeftOver(const QString &path, std::unique_ptr<FileLock> lock, Edits edits)
    : m_path(path), m_lock(std::move(lock)), m_edits(std::move(edits))
{}

void RecoveryRecord::LeftOver::remove()
{
    QFile::remove(m_path);
    m_lock->removeFile();
    m_lock.reset();
}

RecoveryRecord::RecoveryRecord(StyleDocument &document, const WatchedFile &file, QObject *parent)
    : QObject(parent), m_document(document), m_file(file)
{
    m_writeLater.setSingleShot(true);
    m_writeLater.setInterval(0);
    connect(&m_writeLater, &QTimer::timeout, this, &RecoveryRecord::writeReported);
    // Every edit writes style.txt; the record follows once the edit is complete.
    const auto follow = [this] {
        if (m_document.isModified())
            m_writeLater.start();
        else
            discard();
    };
    connect(&document, &StyleDocument::valuesSaved, this, follow);
    connect(&document, &StyleDocument::stateChanged, this, follow);
}

RecoveryRecord::~RecoveryRecord()
{
    // Ended with edits neither saved nor given up (by a signal of the
    // system, say): the record stays for the next start, its lock goes.
    if (m_writeLater.isActive())
        writeReported();
}

QString RecoveryRecord::folder()
{
    if (!folderSet().isEmpty())
        return folderSet();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/recovery");
}

void RecoveryRecord::setFolder(const QString &folder)
{
    folderSet() = folder;
}

void RecoveryRecord::write()
{
    m_writeLater.stop();
    if (!m_lock) {
        const QDir dir(folder());
        if (!dir.mkpath(QStringLiteral(".")))
            throw EditorError(QStringLiteral("Cannot create file %1").arg(dir.path()));
        // One editor has one process id at a time; the time tells its records from those of
        // an earlier editor that had the same.
        const QString path = dir.filePath(QStringLiteral("edits-%1-%2.txt")
                                                  .arg(QCoreApplication::applicationPid())
                                                  .arg(QDateTime::currentMSecsSinceEpoch()));
        auto lock = lockOf(path);
        if (!lock)
            throw EditorError(QStringLiteral("Cannot create file %1.lock").arg(path));
        m_path = path;
        m_lock = std::move(lock);
    }
    QStringList lines{FileKey + QLatin1Char('=')
                              + QString::fromLatin1(
                                      SystemText::encode(m_document.fileName()).toPercentEncoding()),
                      BaseKey + QLatin1Char('=') + QString::fromLatin1(m_file.base().digest())};
    const ParameterTable &table = m_document.table();
    for (int i = 0; i < table.count(); ++i)
        lines.append(StyleFile::line(table.record(i).name(), table.record(i).value()));
    StyleFile::save(m_path, lines);
}

void RecoveryRecord::writeReported()
{
    try {
        write();
    } catch (const EditorError &error) {
        // Said once: the record is a safety net, and style.txt still holds every edit.
        if (!std::exchange(m_failed, true))
            ErrorReport::show(error);
    }
}

void RecoveryRecord::discard()
{
    m_writeLater.stop();
    if (!m_lock)
        return;
    QFile::remove(m_path);
    m_lock->removeFile();
    m_lock.reset();
}

std::optional<RecoveryRecord::LeftOver> RecoveryRecord::takeLeftOver()
{
    const QDir dir(folder());
    for (const QString &name : dir.entryList({NameFilter}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        // A running editor holds its record's lock; one that has ended, however, holds nothing.
        auto lock = lockOf(path);
        if (!lock)
            continue;
        if (!QFileInfo::exists(path)) { // removed by its editor meanwhile
            lock->removeFile();
            continue;
        }
        Edits edits;
        bool isRecord = false;
        try {
            StyleFile::readLines(path, [&](const StyleFile::Line &line) {
                if (line.number == 1 && line.key == FileKey && line.value) {
                    isRecord = true;
                    edits.fileName = SystemText::decode(
                            QByteArray::fromPercentEncoding(line.value->toLatin1()));
                } else if (line.number == 2 && line.key == BaseKey && line.value) {
                    edits.base = FileStamp::fromDigest(line.value->toLatin1());
                }
            });
            edits.values = StyleFile::load(path);
        } catch (const EditorError &) {
            continue;
        }
        if (!isRecord)
            continue;
        edits.written = QFileInfo(path).lastModified();
        return LeftOver(path, std::move(lock), std::move(edits));
    }
    return std::nullopt;
}

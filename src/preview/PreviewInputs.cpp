#include "preview/PreviewInputs.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

// A file's bytes, or a mark no file's bytes can be: a missing file differs from an empty one.
void addFile(QDataStream &out, const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        out << true << file.readAll();
    else
        out << false;
}

} // namespace

QByteArray PreviewInputs::digest() const
{
    QByteArray all;
    QDataStream out(&all, QIODevice::WriteOnly);
    // Each part goes in with its length, so parts cannot run into one another.
    addFile(out, movie);
    out << qint32(sideFiles.size());
    for (const QString &file : sideFiles) {
        out << file;
        addFile(out, file);
    }
    out << parameters << size << double(pixelRatio) << playerConfig;
    // The player is megabytes: a new version is told by its files' sizes and times.
    const QFileInfoList player = QDir(playerFolder).entryInfoList(QDir::Files, QDir::Name);
    out << qint32(player.size());
    for (const QFileInfo &file : player)
        out << file.fileName() << file.size() << file.lastModified().toMSecsSinceEpoch();
    return QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex();
}

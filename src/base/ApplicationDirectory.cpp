#include "base/ApplicationDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString WorkingCopy = QStringLiteral("style.txt");

bool linksInto(const QFileInfo &link, const QDir &dir)
{
    return link.isSymLink() && QFileInfo(link.symLinkTarget()).absolutePath() == dir.absolutePath();
}

} // namespace

QString ApplicationDirectory::resolve(const QString &installDir, const QString &userDir)
{
    if (QFileInfo(installDir).isWritable() || !mirror(installDir, userDir))
        return installDir;
    return userDir;
}

bool ApplicationDirectory::mirror(const QString &installDir, const QString &userDir)
{
    const QDir installed(installDir);
    QDir user(userDir);
    if (!user.mkpath(QStringLiteral(".")))
        return false;

    const auto entries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    for (const QFileInfo &link : user.entryInfoList(entries)) {
        if (linksInto(link, installed) && !link.exists())
            QFile::remove(link.absoluteFilePath());
    }

    for (const QString &name : installed.entryList(entries)) {
        const QString source = installed.absoluteFilePath(name);
        const QString target = user.absoluteFilePath(name);
        const QFileInfo existing(target);
        if (name == WorkingCopy) {
            if (!existing.exists() && QFile::copy(source, target))
                QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
            continue;
        }
        if (existing.isSymLink() && !existing.exists())
            QFile::remove(target); // left over from an installation elsewhere
        else if (existing.exists())
            continue;
        QFile::link(source, target);
    }
    return true;
}

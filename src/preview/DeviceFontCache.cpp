#include "preview/DeviceFontCache.h"

#include "preview/DeviceFontFiles.h"
#include "preview/FontNameTable.h"

#include <QFile>
#include <QFileInfo>

DeviceFontCache::DeviceFontCache()
    : m_sansFamily(DeviceFontFiles::defaultFamily(QStringLiteral("sans-serif")))
{}

QStringList DeviceFontCache::filesFor(const QStringList &families)
{
    QStringList files;
    for (const QString &name : families + QStringList{m_sansFamily}) {
        const QString family = name.trimmed();
        if (family.isEmpty())
            continue;
        auto prepared = m_files.constFind(family.toLower());
        if (prepared == m_files.cend())
            prepared = m_files.insert(family.toLower(), prepare(family));
        files += *prepared;
    }
    files.removeDuplicates();
    return files;
}

QStringList DeviceFontCache::prepare(const QString &family)
{
    QStringList files;
    for (const DeviceFontFace &face : DeviceFontFiles::facesOf(family)) {
        QFile source(face.file);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QByteArray font = FontNameTable::renamed(source.readAll(), family, face.bold,
                                                       face.italic);
        const QString name = QStringLiteral("%1-%2.%3")
                                     .arg(m_files.size())
                                     .arg(files.size())
                                     .arg(QFileInfo(face.file).suffix());
        QFile target(m_folder.filePath(name));
        if (font.isEmpty() || !target.open(QIODevice::WriteOnly)
            || target.write(font) != font.size())
            continue;
        files.append(target.fileName());
    }
    return files;
}

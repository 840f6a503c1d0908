#include "preview/PreviewUrlPolicy.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The absolute path with "." and ".." removed and the symbolic links of its
// longest existing part followed; the part that does not exist yet is kept.
QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/")) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        rest.prepend(existing.mid(slash));
        existing.truncate(qMax<qsizetype>(slash, 1));
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical == QLatin1String("/") && !rest.isEmpty())
        canonical.clear();
    return canonical + rest;
}

} // namespace

void PreviewUrlPolicy::allowFolder(const QString &folder)
{
    QString path = resolvedPath(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    m_folders.append(path);
}

bool PreviewUrlPolicy::allows(const QUrl &url) const
{
    // A data URL carries its content in itself: it reads nothing and goes nowhere.
    if (url.scheme() == QLatin1String("data"))
        return true;
    if (!url.isLocalFile() || !url.host().isEmpty())
        return false;
    const QString path = resolvedPath(url.toLocalFile());
    for (const QString &folder : m_folders) {
        if (path.startsWith(folder) || path + QLatin1Char('/') == folder)
            return true;
    }
    return false;
}

#pragma once

#include <QStringList>
#include <QUrl>

// Which URLs the preview page may load: local files inside the allowed
// folders, and data URLs (the page itself). Paths are compared after resolving
// "..", and symbolic links where the target exists, so no spelling of a path
// leads out of the allowed places.
class PreviewUrlPolicy
{
public:
    void allowFolder(const QString &folder);

    bool allows(const QUrl &url) const;

private:
    QStringList m_folders; // resolved, each ending with '/'
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a help file's table of contents or index: its caption, the
// topic it opens (empty for a plain heading) and the entries nested below it.
struct ChmSitemapEntry
{
    QString name;
    QString local;
    QList<ChmSitemapEntry> children;
};

// Reads the sitemap files of a help file, the table of contents (".hhc") and
// the index (".hhk"): nested lists whose items are sitemap objects carrying
// "Name" and "Local" parameters.
namespace ChmSitemap {

QList<ChmSitemapEntry> parse(const QByteArray &sitemap);

} // namespace ChmSitemap

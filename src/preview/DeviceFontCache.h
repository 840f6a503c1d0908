#pragma once

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

// The device fonts handed to a movie, prepared once a session: each
// family's faces renamed to the family, so that a movie's bold or italic
// text in that family finds its face, and written to a folder of their own
// that goes with the cache. The system's sans-serif family is always among
// them, for text in fonts the movie was not given.
class DeviceFontCache
{
public:
    DeviceFontCache();

    DeviceFontCache(const DeviceFontCache &) = delete;
    DeviceFontCache &operator=(const DeviceFontCache &) = delete;

    QString folder() const { return m_folder.path(); }
    const QString &sansFamily() const { return m_sansFamily; }

    // The files of the families and of the sans-serif family; a family is
    // prepared the first time it is asked for.
    QStringList filesFor(const QStringList &families);

private:
    QStringList prepare(const QString &family);

    QTemporaryDir m_folder;
    QHash<QString, QStringList> m_files; // by family in lower case
    QString m_sansFamily;
};

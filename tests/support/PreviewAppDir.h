#pragma once

#include "preview/PreviewEngineLoader.h"
#include "style/RecoveryRecord.h"

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

// A throw-away application directory for a player that plays for real: the
// built profile, data file and movies, a style file of the caller's, links
// to the built Ruffle folder and preview engine, and a recovery folder of
// its own. TREVIX_BUILD_APP_DIR is the build's bin/.
class PreviewAppDir
{
public:
    explicit PreviewAppDir(const QByteArray &style = QByteArray())
    {
        const QDir built(QStringLiteral(TREVIX_BUILD_APP_DIR));
        for (const char *name : {"Style.xml", "data.txt", "trevix.swf", "empty.swf"})
            QFile::copy(built.filePath(QLatin1String(name)), m_dir.filePath(QLatin1String(name)));
        for (const QString &name : {QStringLiteral("ruffle"), PreviewEngineLoader::fileName()})
            QFile::link(built.filePath(name), m_dir.filePath(name));
        writeStyle(style);
        // A window's unsaved edits leave their record here, not where the user's go.
        RecoveryRecord::setFolder(m_dir.filePath(QStringLiteral("recovery")));
    }
    ~PreviewAppDir() { RecoveryRecord::setFolder(QString()); }

    QString path() const { return m_dir.path() + QLatin1Char('/'); }

    void writeStyle(const QByteArray &lines)
    {
        QFile file(m_dir.filePath(QStringLiteral("style.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(lines);
    }

private:
    QTemporaryDir m_dir;
};

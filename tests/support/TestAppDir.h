#pragma once

#include "settings/SettingsBackingStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// An application directory with the sample profile and style.txt, and a
// settings file of its own, so a main window can start without touching
// the real ones.
class TestAppDir
{
public:
    TestAppDir()
    {
        for (const char *name : {"Style.xml", "style.txt"})
            QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name), path(QLatin1String(name)));
        SettingsBackingStore::setUserFilePath(settingsPath());
    }
    ~TestAppDir() { SettingsBackingStore::setUserFilePath(QString()); }

    QString dir() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("config/Melbrin/TrevixStyleEditor.conf")); }

    // Writes a file of the given bytes into the folder; returns its path.
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

private:
    QTemporaryDir m_dir;
};

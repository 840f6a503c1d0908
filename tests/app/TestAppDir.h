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

private:
    QTemporaryDir m_dir;
};

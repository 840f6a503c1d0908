#pragma once

#include "settings/SettingsBackingStore.h"
#include "style/RecoveryRecord.h"
#include "support/TestFolder.h"

#include <QFile>

// An application directory with the sample profile, style.txt and data
// file, writable, and a settings file and recovery folder of its own, so a
// main window can start without touching the real ones.
class TestAppDir : public TestFolder
{
public:
    TestAppDir()
    {
        for (const char *name : {"Style.xml", "style.txt", "data.txt"}) {
            const QString copy = path(QLatin1String(name));
            if (!QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name), copy))
                qFatal("cannot copy %s", name);
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        }
        SettingsBackingStore::setUserFilePath(settingsPath());
        RecoveryRecord::setFolder(path(QStringLiteral("recovery")));
    }
    ~TestAppDir()
    {
        SettingsBackingStore::setUserFilePath(QString());
        RecoveryRecord::setFolder(QString());
    }

    QString settingsPath() const
    {
        return path(QStringLiteral("config/Melbrin/TrevixStyleEditor.conf"));
    }
};

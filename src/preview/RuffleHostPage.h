#pragma once

#include "preview/FlashSettings.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The web page that hosts Ruffle in the preview: one player element filling
// the page, configured from the player's settings. The page offers two
// functions to the host: trevixLoad(url, parameters, base, fontSources),
// which drops the current movie and loads the file afresh, and trevixClear(),
// which leaves the area empty.
class RuffleHostPage
{
public:
    // ruffleFolder holds ruffle.js and its core files.
    RuffleHostPage(const QString &ruffleFolder, const FlashSettings &settings);

    QJsonObject config() const;
    QString html() const;

    // Script that loads movieFile with the FlashVars text; its relative
    // loads resolve in baseFolder, its device fonts come from fontFiles.
    static QString loadScript(const QString &movieFile, const QString &flashVars, const QString &baseFolder,
                              const QStringList &fontFiles);
    static QString clearScript();

private:
    QString m_ruffleFolder;
    FlashSettings m_settings;
};

#pragma once

#include "preview/FlashSettings.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The web page that hosts Ruffle in the preview: a player element filling
// the page, configured from the player's settings. The page offers two
// functions to the host: trevixLoad(url, parameters, base, fontSources,
// picking, load), which loads the file afresh in a new player that takes the place
// of the current one once it has drawn its first frame, and trevixClear(),
// which leaves the area empty. Its content security policy lets no script
// run in it but its own and Ruffle's. A movie loaded for picking may report
// what was clicked (see PickReport). The page reports to the host, as console
// messages at the information level, ShownReport when a movie has taken the
// place of the one before, and UnplayableReport when Ruffle could not play
// the file (the area is left empty then), and SettledReport followed by the
// number of the load on show when its movie's picture has settled (stayed the
// same for a second; the player then rests). A movie's file dialogs open
// nothing: asked for a file to open, it learns that the user cancelled.
class RuffleHostPage
{
public:
    static constexpr char ShownReport[] = "trevix-shown";
    static constexpr char UnplayableReport[] = "trevix-unplayable";
    static constexpr char SettledReport[] = "trevix-settled:";

    // ruffleFolder holds ruffle.js and its core files; text in a font Ruffle
    // does not have is drawn in the device font sansFamily, when given.
    RuffleHostPage(const QString &ruffleFolder, const FlashSettings &settings,
                   const QString &sansFamily = QString());

    QJsonObject config() const;
    QString html() const;

    // Script that loads movieFile with the flashVars text; its relative
    // loads resolve in baseFolder, its device fonts come from fontFiles.
    // With picking, the movie also gets the variable pick=1 and its reports
    // are passed on. The page reports the load's number when its picture has settled.
    static QString loadScript(const QString &movieFile, const QString &flashVars,
                              const QString &baseFolder, const QStringList &fontFiles,
                              bool picking = false, int load = 0);
    // The variables a movie is handed: flashVars, and pick=1 while picking.
    static QString movieParameters(const QString &flashVars, bool picking);
    static QString clearScript();

private:
    QString m_ruffleFolder;
    FlashSettings m_settings;
    QString m_sansFamily;
};

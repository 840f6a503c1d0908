#pragma once

#include <QString>

// The player's settings as the main window's design stores them. The player
// hands the ones Ruffle knows to it with every load; the rest (Loop,
// seamlessTabbing, deviceFont, embedMovie, Profile, profilePort, swRemote,
// movieData) have no counterpart there and are kept for completeness of the
// stored design only, as is allowScriptAccess: the movie never runs script
// in the page that hosts it.
struct FlashSettings
{
    QString base;       // folder for the movie's relative loads; empty: the movie's own folder
    QString stageAlign; // empty: centred
    QString bgColor;    // empty: the movie's own background
    QString swRemote;
    QString movieData;
    bool playing = true;
    bool loop = true;
    bool menu = true;
    bool seamlessTabbing = true;
    bool deviceFont = false;
    bool embedMovie = false;
    bool Profile = false;
    int profilePort = 0;
    QString quality2 = QStringLiteral("High");
    QString scale = QStringLiteral("ShowAll");
    QString windowMode = QStringLiteral("Window");
    QString allowScriptAccess = QStringLiteral("always");
    QString allowNetworking = QStringLiteral("all");
    QString allowFullScreen = QStringLiteral("false");
};

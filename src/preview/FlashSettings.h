#pragma once

#include <QString>

// The player's settings as the main window's design stores them. The player
// hands the ones Ruffle knows to it with every load; the rest (Loop,
// SeamlessTabbing, DeviceFont, EmbedMovie, Profile, ProfilePort, SWRemote,
// MovieData) have no counterpart there and are kept for completeness of the
// stored design only, as is AllowScriptAccess: the movie never runs script
// in the page that hosts it.
struct FlashSettings
{
    QString Base;      // folder for the movie's relative loads; empty: the movie's own folder
    QString SAlign;    // empty: centred
    QString BGColor;   // empty: the movie's own background
    QString SWRemote;
    QString MovieData;
    bool Playing = true;
    bool Loop = true;
    bool Menu = true;
    bool SeamlessTabbing = true;
    bool DeviceFont = false;
    bool EmbedMovie = false;
    bool Profile = false;
    int ProfilePort = 0;
    QString Quality2 = QStringLiteral("High");
    QString Scale = QStringLiteral("ShowAll");
    QString WMode = QStringLiteral("Window");
    QString AllowScriptAccess = QStringLiteral("always");
    QString AllowNetworking = QStringLiteral("all");
    QString AllowFullScreen = QStringLiteral("false");
};

#pragma once

#include <QPoint>
#include <QtGlobal>

class HelpViewerSet;

// The program's HTML Help layer: one entry point shaped like the HTML Help
// API, served by the in-app help viewer. Window handles are the addresses of
// the windows; 0 means none.
namespace HtmlHelp {

enum Command : unsigned {
    HH_DISPLAY_TOPIC = 0,
    HH_DISPLAY_TOC = 1,
    HH_DISPLAY_INDEX = 2,
    HH_DISPLAY_TEXT_POPUP = 14,
    HH_HELP_CONTEXT = 15,
    HH_CLOSE_ALL = 18,
};

// The parameters of a text popup; -1 asks for the default colour or margin.
struct HH_POPUP
{
    quint32 idString = 0;          // number of the topic in the popup topics file
    const char *pszText = nullptr; // the text itself, used when idString is 0
    QPoint pt;                     // top centre of the popup, in screen coordinates
    qint32 clrForeground = -1;
    qint32 clrBackground = -1;
    qint32 rcMargins[4] = {-1, -1, -1, -1};
    const char *pszFont = nullptr; // "face, points"
};

// file is a help file, optionally followed by "::/" and a topic inside it.
//  HH_DISPLAY_TOPIC: shows the topic (or the file's default topic);
//  HH_DISPLAY_TOC, HH_DISPLAY_INDEX: shows the contents or the index, data
//    the keyword for the index (a const char *, or 0);
//  HH_HELP_CONTEXT: shows the topic mapped to the context number data;
//  HH_DISPLAY_TEXT_POPUP: data is an HH_POPUP, the topic part of file names
//    the popup topics file;
//  HH_CLOSE_ALL: closes every viewer opened here; file may be null.
// A viewer opened while a modal dialog is up is a window of that dialog's, so
// it can be used while the dialog stays open, and it closes with the dialog.
// Returns the window that shows the request, 0 when nothing was shown.
quintptr htmlHelpA(quintptr caller, const char *file, unsigned command, quintptr data);

// The viewers opened through htmlHelpA.
HelpViewerSet &viewers();

} // namespace HtmlHelp

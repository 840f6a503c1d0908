#pragma once

#include <QString>

class HelpViewerSet;

// Opens a document the way the desktop would: a help file (".chm") in the
// help viewer, anything else (a web address, a "mailto:" address) through
// the desktop's own handler. Failures are not reported: there is no result.
void shellOpen(const QString &document);

// The help viewers opened by shellOpen; HTML Help requests do not close them.
HelpViewerSet &shellHelpViewers();

#pragma once

#include <QString>

#include <functional>

// The application's help handling: every help request of the program goes to
// one replaceable handler, which a help router takes over while it exists.
class ApplicationHelp
{
public:
    // Request commands.
    enum : quint16 {
        HELP_CONTEXT = 1,
        HELP_QUIT = 2,
        HELP_CONTENTS = 3,
        HELP_CONTEXTPOPUP = 8,
        HELP_FINDER = 11,
        HELP_SETPOPUP_POS = 13,
        HELP_FORCEFILE = 15,
        HELP_KEY = 257,
        HELP_PARTIALKEY = 261,
    };

    // Handles one request. data is a number or the address of the request's
    // text, so it is pointer-sized. Clearing callHelp tells the caller the
    // request was served; the result is the handler's own success.
    using Handler = std::function<bool(quint16 command, qintptr data, bool &callHelp)>;

    // Installs a handler (an empty one for none) and returns the one it replaces.
    static Handler setHandler(Handler handler);
    static const Handler &handler();

    // The application's own help file; this program sets none.
    static QString helpFile();
    static void setHelpFile(const QString &fileName);

    // Hands a request to the installed handler; false when there is none.
    static bool helpCommand(quint16 command, qintptr data);
};

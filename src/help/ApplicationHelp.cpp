#include "help/ApplicationHelp.h"

namespace {

ApplicationHelp::Handler &installedHandler()
{
    static ApplicationHelp::Handler handler;
    return handler;
}

QString &applicationHelpFile()
{
    static QString fileName;
    return fileName;
}

} // namespace

ApplicationHelp::Handler ApplicationHelp::setHandler(Handler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

const ApplicationHelp::Handler &ApplicationHelp::handler()
{
    return installedHandler();
}

QString ApplicationHelp::helpFile()
{
    return applicationHelpFile();
}

void ApplicationHelp::setHelpFile(const QString &fileName)
{
    applicationHelpFile() = fileName;
}

bool ApplicationHelp::helpCommand(quint16 command, qintptr data)
{
    // A copy: the handler may replace itself while it runs.
    const Handler handler = installedHandler();
    bool callHelp = true;
    return handler ? handler(command, data, callHelp) : false;
}

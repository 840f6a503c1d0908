#include "base/ErrorReport.h"

#include <QtGlobal>

namespace {

ErrorReport::Handler &currentHandler()
{
    static ErrorReport::Handler handler = [](const QString &message) {
        qWarning("%s", qPrintable(message));
    };
    return handler;
}

} // namespace

void ErrorReport::show(const QString &message)
{
    currentHandler()(withPeriod(message));
}

void ErrorReport::show(const EditorError &error)
{
    show(error.message());
}

ErrorReport::Handler ErrorReport::setHandler(Handler handler)
{
    return std::exchange(currentHandler(), std::move(handler));
}

QString ErrorReport::withPeriod(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

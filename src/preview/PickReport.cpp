#include "preview/PickReport.h"

#include <QRegularExpression>

QStringList PickReport::keys(const QString &message)
{
    static const QRegularExpression shape(
            QRegularExpression::anchoredPattern(QLatin1String(Pattern)));
    const QLatin1String prefix(Prefix);
    if (!message.startsWith(prefix))
        return {};
    const QString keys = message.mid(prefix.size());
    if (!shape.match(keys).hasMatch())
        return {};
    return keys.split(QLatin1Char(','));
}

#include "help/PopupTopics.h"

#include <QStringList>

QString PopupTopics::text(const QByteArray &topicsFile, quint32 id)
{
    const QStringList lines = QString::fromUtf8(topicsFile).split(QLatin1Char('\n'));
    QStringList found;
    bool inTopic = false;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String(".topic"), Qt::CaseInsensitive)) {
            if (inTopic)
                break;
            bool ok = false;
            inTopic = line.mid(6).trimmed().toUInt(&ok) == id && ok;
            continue;
        }
        if (inTopic)
            found.append(line);
    }
    while (!found.isEmpty() && found.last().trimmed().isEmpty())
        found.removeLast();
    return found.join(QLatin1Char('\n'));
}

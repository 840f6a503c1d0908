#include "settings/WindowPlacement.h"

#include <QRegularExpression>

namespace {

QString fourNumbers(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

} // namespace

QString WindowPlacement::minMaxPosText() const
{
    return fourNumbers(minPosition.x(), minPosition.y(), maxPosition.x(), maxPosition.y());
}

QString WindowPlacement::normPosText() const
{
    return fourNumbers(left, top, right, bottom);
}

QList<int> WindowPlacement::words(const QString &text, const QList<int> &fallbacks)
{
    static const QRegularExpression separators(QStringLiteral("[ ,]"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    QList<int> numbers = fallbacks;
    for (qsizetype i = 0; i < numbers.size() && i < parts.size(); ++i) {
        bool ok = false;
        const int n = parts[i].toInt(&ok, 10);
        if (ok)
            numbers[i] = n;
    }
    return numbers;
}

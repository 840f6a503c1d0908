#include "params/ListChoices.h"

#include "base/SplitString.h"

namespace {
// Stands for an escaped comma while the choices are split at the plain ones.
const QString Placeholder = QStringLiteral("\f");
const QString EscapedComma = QStringLiteral("\\,");
} // namespace

QStringList ListChoices::split(const QString &choices, const QString &comma)
{
    QString text = choices;
    text.replace(EscapedComma, Placeholder);
    QStringList pieces = splitString(text, QStringLiteral(","));
    for (QString &piece : pieces)
        piece.replace(Placeholder, comma);
    return pieces;
}

QStringList ListChoices::parse(const QString &values, const ParamValue &paramValue)
{
    if (!values.contains(QLatin1Char(':')))
        return split(values, QStringLiteral(","));

    const QStringList entries = splitString(values, QStringLiteral(";"));
    // The controlling key is the first "="-delimited word of the first entry.
    const QString &first = entries.front();
    qsizetype start = 0;
    while (start < first.size() && first.at(start) == QLatin1Char('='))
        ++start;
    qsizetype end = first.indexOf(QLatin1Char('='), start);
    if (end < 0)
        end = first.size();
    const QString key = first.mid(start, end - start);
    const QString prefix = key + QLatin1Char('=') + paramValue(key);

    const QString *chosen = nullptr;
    for (const QString &entry : entries) {
        if (entry.startsWith(prefix))
            chosen = &entry;
    }
    if (chosen) {
        const QStringList parts = splitString(*chosen, QStringLiteral(":"));
        if (parts.size() == 2)
            return split(parts.at(1), EscapedComma);
    }
    return {QString()};
}

int ListChoices::preselect(const QStringList &choices, const QString &value)
{
    for (int i = 0; i < choices.size(); ++i) {
        if (choices.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return i;
    }
    if (value.isEmpty())
        return -1;
    for (int i = int(choices.size()) - 1; i >= 0; --i) {
        if (choices.at(i).startsWith(value))
            return i;
    }
    return -1;
}

QString ListChoices::valueOf(const QString &choice)
{
    const qsizetype hyphen = choice.indexOf(QLatin1Char('-'));
    return hyphen < 0 ? choice : choice.left(hyphen);
}

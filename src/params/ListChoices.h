#pragma once

#include <QStringList>

#include <functional>

// The choices of a "list" parameter and how a choice becomes a value.
//
// A plain list is "a,b,c" where "\," stands for a comma inside a choice. A
// list with a ":" anywhere is conditional: "key=value:choices;..." offers the
// choices of the last entry that begins with key=<current value of key>;
// there a "\," stays as it is written.
class ListChoices
{
public:
    using ParamValue = std::function<QString(const QString &name)>;

    // Never empty: a list without usable choices offers one empty choice.
    static QStringList parse(const QString &values, const ParamValue &paramValue);

    // The first choice equal to value ignoring case, else the last choice
    // that begins with value (case-sensitive, never for an empty value); -1 for none.
    static int preselect(const QStringList &choices, const QString &value);

    // The value a chosen text stands for: the text before its first "-".
    static QString valueOf(const QString &choice);

private:
    static QStringList split(const QString &choices, const QString &comma);
};

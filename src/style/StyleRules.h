#pragma once

#include "style/StyleFile.h"

#include <QHash>
#include <QList>
#include <QString>

class ParameterTable;

// The rules a style file's lines are held to: a key the profile does not
// know, an "&" line without "=", any other text, a value longer than the
// editor keeps, a number that is not whole or lies outside its range (as the
// number popup limits it), a list value that starts none of its choices and
// a colour that is neither 0x and six hex digits nor one of the palette's
// system colours. Conditional lists are resolved with the table's current
// values.
class StyleRules
{
public:
    struct Problem
    {
        int line = 0; // from 1; 0 for a value that comes from no line
        QString key;  // as the line writes it, "&" included
        QString message;
        int record = -1; // the parameter the line sets, -1 for none

        bool operator==(const Problem &) const = default;
    };

    // The table's parameters must not change while the rules are used; their
    // values may.
    explicit StyleRules(const ParameterTable &table);

    // The parameter a line's key names (ignoring letter case), -1 for none.
    int recordOf(const StyleFile::Line &line) const;

    // Appends the problems of one line, in the order they are found.
    void check(const StyleFile::Line &line, QList<Problem> &problems) const;

    const ParameterTable &table() const { return m_table; }

private:
    QString valueProblem(int record, const QString &value) const;
    QString valueOf(const QString &name) const;

    const ParameterTable &m_table;
    QHash<QString, int> m_keys;  // case-folded "&" + key -> first record with it
    QHash<QString, int> m_names; // exact key -> first record with it
};

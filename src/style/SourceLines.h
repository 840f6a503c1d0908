#pragma once

#include "style/StyleRules.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>

// A style file's lines as Save sees them. The first line of each key the
// profile knows is kept: Save writes its parameter back. Every other line
// that is not empty is dropped, and its problem says so. A file without any
// "&name=" line holds no style lines.
class SourceLines
{
    Q_DECLARE_TR_FUNCTIONS(SourceLines)

public:
    // Dropped lines beyond this many are counted, not kept.
    static constexpr int DroppedLineLimit = 1000;

    struct Entry
    {
        StyleFile::Line line;
        int record = -1;   // the parameter the line's key names
        int firstLine = 0; // for a repeated key: the line Save keeps
        bool kept() const { return record >= 0 && firstLine == 0; }
    };

    // Throws EditorError "Cannot open file %s".
    void read(const QString &fileName, const StyleRules &rules);
    void clear();

    // The kept lines and the first dropped ones, in line order.
    const QList<Entry> &entries() const { return m_entries; }
    int droppedCount() const { return m_dropped; }
    bool holdsStyleLines() const { return m_styleLines > 0; }
    // The kept lines whose value Save cuts.
    QList<Entry> cutLines() const;

    // The problems of the file, in line order after the file's own; a kept
    // line is checked with its parameter's value in the table when that was
    // changed since.
    void check(const StyleRules &rules, QList<StyleRules::Problem> &problems) const;

    static QString droppedNote();

private:
    void add(const StyleFile::Line &line, const StyleRules &rules);

    QList<Entry> m_entries;
    QHash<int, int> m_firstLines; // record -> the line that sets it
    int m_dropped = 0;
    int m_styleLines = 0;
};

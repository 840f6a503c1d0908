#include "style/SourceLines.h"

#include "params/ParameterTable.h"

void SourceLines::read(const QString &fileName, const StyleRules &rules)
{
    clear();
    StyleFile::readLines(fileName,
                         [this, &rules](const StyleFile::Line &line) { add(line, rules); });
}

void SourceLines::clear()
{
    m_entries.clear();
    m_firstLines.clear();
    m_dropped = 0;
    m_styleLines = 0;
}

QString SourceLines::droppedNote()
{
    return tr("Save will not keep this line");
}

void SourceLines::add(const StyleFile::Line &line, const StyleRules &rules)
{
    if (StyleFile::isStyleLine(line))
        ++m_styleLines;
    Entry entry{line, rules.recordOf(line), 0};
    if (entry.record >= 0) {
        const auto first = m_firstLines.constFind(entry.record);
        if (first == m_firstLines.cend())
            m_firstLines.insert(entry.record, line.number);
        else
            entry.firstLine = *first;
    }
    if (!entry.kept()) {
        if (!line.value && line.key.isEmpty())
            return; // an empty line: nothing to lose
        if (++m_dropped > DroppedLineLimit)
            return;
    }
    m_entries.append(entry);
}

QList<SourceLines::Entry> SourceLines::cutLines() const
{
    QList<Entry> cut;
    for (const Entry &entry : m_entries) {
        if (entry.kept()
            && ParameterRecord::cut(*entry.line.value, ParameterRecord::DefaultWidth)
                       != *entry.line.value)
            cut.append(entry);
    }
    return cut;
}

void SourceLines::check(const StyleRules &rules, QList<StyleRules::Problem> &problems) const
{
    if (!holdsStyleLines())
        problems.append({0, QString(), tr("holds no style lines (\"&name=value\")"), -1});
    const ParameterTable &table = rules.table();
    for (const Entry &entry : m_entries) {
        const QString note = QStringLiteral(" (%1)").arg(droppedNote());
        if (entry.firstLine > 0) {
            problems.append(
                    {entry.line.number, entry.line.key,
                     tr("key \"%1\" repeats line %2").arg(entry.line.key).arg(entry.firstLine)
                             + note,
                     entry.record});
            continue;
        }
        StyleFile::Line line = entry.line;
        // A value changed since the file was read is checked as it is now, on its line.
        if (entry.kept()) {
            const QString &value = table.record(entry.record).value();
            if (ParameterRecord::cut(*line.value, ParameterRecord::DefaultWidth) != value)
                line.value = value;
        }
        const qsizetype before = problems.size();
        rules.check(line, problems);
        if (!entry.kept()) {
            for (qsizetype i = before; i < problems.size(); ++i)
                problems[i].message += note;
        }
    }
    if (m_dropped > DroppedLineLimit) {
        problems.append({0, QString(),
                         tr("%n more lines that Save will not keep are not checked", nullptr,
                            m_dropped - DroppedLineLimit),
                         -1});
    }
}

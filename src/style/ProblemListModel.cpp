#include "style/ProblemListModel.h"

#include "base/EditorError.h"
#include "style/StyleDocument.h"

#include <QSet>

ProblemListModel::ProblemListModel(StyleDocument *document, QObject *parent)
    : RowListModel(parent), m_document(document)
{
    ParameterTable &table = document->table();
    // Bulk work (loading, New, Reset all) ends with one of the document's own signals.
    connect(&table, &ParameterTable::valueChanged, this, [this] {
        if (m_document->isTableReady())
            update();
    });
    connect(document, &StyleDocument::valuesLoaded, this, &ProblemListModel::readSource);
    connect(document, &StyleDocument::valuesCleared, this, [this] {
        m_source.clear();
        m_unlisted = 0;
        update();
    });
    connect(document, &StyleDocument::valuesSaved, this, [this](const QString &fileName) {
        // The working copy is no document of the user's; a saved document holds what Save kept.
        if (fileName == m_document->styleTxtPath())
            update();
        else
            readSource(fileName);
    });
}

QString ProblemListModel::droppedNote()
{
    return tr("Save will not keep this line");
}

const StyleRules &ProblemListModel::rules()
{
    const ParameterTable &table = m_document->table();
    if (!m_rules || m_rulesCount != table.count()) {
        m_rules.emplace(table);
        m_rulesCount = table.count();
    }
    return *m_rules;
}

void ProblemListModel::readSource(const QString &fileName)
{
    m_source.clear();
    m_unlisted = 0;
    const StyleRules &rules = this->rules();
    QSet<int> seen;
    try {
        StyleFile::readLines(fileName, [&](const StyleFile::Line &line) {
            const int record = rules.recordOf(line);
            const bool kept = record >= 0 && !seen.contains(record);
            if (kept) {
                seen.insert(record);
            } else if (!line.value && !line.key.startsWith(QLatin1Char('&'))) {
                return; // neither a value nor meant as one: no rule applies
            } else if (m_source.size() - seen.size() >= DroppedLineLimit) {
                ++m_unlisted;
                return;
            }
            m_source.append({line, kept});
        });
    } catch (const EditorError &) {
        // The values were read a moment ago; a file gone since has no lines to show.
        m_source.clear();
        m_unlisted = 0;
    }
    update();
}

void ProblemListModel::update()
{
    const ParameterTable &table = m_document->table();
    const StyleRules &rules = this->rules();
    QList<StyleRules::Problem> problems;
    QList<bool> fromLine(table.count(), false);
    for (const SourceLine &source : std::as_const(m_source)) {
        if (!source.kept) {
            const qsizetype before = problems.size();
            rules.check(source.line, problems);
            for (qsizetype i = before; i < problems.size(); ++i)
                problems[i].message += QStringLiteral(" (%1)").arg(droppedNote());
            continue;
        }
        const int record = rules.recordOf(source.line);
        fromLine[record] = true;
        // A value changed since the file was read is checked as it is now, on its line.
        StyleFile::Line line = source.line;
        const QString &value = table.record(record).value();
        if (ParameterRecord::cut(*line.value, ParameterRecord::DefaultWidth) != value)
            line.value = value;
        rules.check(line, problems);
    }
    for (int record = 0; record < table.count(); ++record) {
        const QString &value = table.record(record).value();
        if (fromLine[record] || !StyleFile::hasValue(value))
            continue;
        StyleFile::Line line;
        line.key = QLatin1Char('&') + table.record(record).name();
        line.value = value;
        rules.check(line, problems);
    }
    if (m_unlisted > 0)
        problems.append({0, QString(), tr("%n more lines that Save will not keep are not checked", nullptr, m_unlisted), -1});
    setRows(problems);
}

int ProblemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const StyleRules::Problem &problem = rows().at(index.row());
    if (role == RecordIndexRole)
        return problem.record;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case LineColumn: return problem.line > 0 ? QVariant(problem.line) : QVariant();
    case KeyColumn: return problem.key;
    case MessageColumn: return problem.message;
    default: return {};
    }
}

QVariant ProblemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn: return tr("Line");
    case KeyColumn: return tr("Key");
    case MessageColumn: return tr("Problem");
    default: return {};
    }
}

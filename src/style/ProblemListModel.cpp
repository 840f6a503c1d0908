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
        m_sourceRead = false;
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
    try {
        m_source.read(fileName, rules());
        m_sourceRead = true;
    } catch (const EditorError &) {
        // The values were read a moment ago; a file gone since has no lines to show.
        m_source.clear();
        m_sourceRead = false;
    }
    update();
}

void ProblemListModel::update()
{
    const ParameterTable &table = m_document->table();
    const StyleRules &rules = this->rules();
    QList<StyleRules::Problem> problems;
    QList<bool> fromLine(table.count(), false);
    if (m_sourceRead) {
        m_source.check(rules, problems);
        for (const SourceLines::Entry &entry : m_source.entries()) {
            if (entry.kept())
                fromLine[entry.record] = true;
        }
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
    case LineColumn:
        return problem.line > 0 ? QVariant(problem.line) : QVariant();
    case KeyColumn:
        return problem.key;
    case MessageColumn:
        return problem.message;
    default:
        return {};
    }
}

QVariant ProblemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn:
        return tr("Line");
    case KeyColumn:
        return tr("Key");
    case MessageColumn:
        return tr("Problem");
    default:
        return {};
    }
}

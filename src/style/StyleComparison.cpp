#include "style/StyleComparison.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "params/ProfileGridModel.h"
#include "style/StyleDocument.h"

#include <QFileInfo>

StyleComparison::StyleComparison(StyleDocument *document, QObject *parent)
    : RowListModel(parent), m_document(document)
{
    // Bulk work (loading, New, Take all) ends with one of the document's own signals.
    connect(&document->table(), &ParameterTable::valueChanged, this, [this] {
        if (m_document->isTableReady())
            update();
    });
    connect(document, &StyleDocument::valuesLoaded, this, &StyleComparison::update);
    connect(document, &StyleDocument::valuesCleared, this, &StyleComparison::update);
    connect(document, &StyleDocument::valuesSaved, this, &StyleComparison::update);
}

void StyleComparison::compareWith(const QString &fileName)
{
    m_theirs = StyleFile::load(fileName);
    m_fileName = fileName;
    emit headerDataChanged(Qt::Horizontal, ThatColumn, ThatColumn);
    update();
}

void StyleComparison::update()
{
    QList<ValueDifference> differences;
    if (!m_fileName.isEmpty()) {
        const ParameterTable &table = m_document->table();
        for (int record = 0; record < table.count(); ++record) {
            const ParameterRecord &parameter = table.record(record);
            const QString theirs
                    = ParameterRecord::cut(m_theirs.value(parameter.name()).value_or(QString()),
                                           ParameterRecord::DefaultWidth);
            const QString &mine = parameter.value();
            // Two values that Save leaves out alike are no difference.
            if (mine != theirs && (StyleFile::hasValue(mine) || StyleFile::hasValue(theirs)))
                differences.append({record, parameter.caption(), parameter.name(), parameter.type(),
                                    mine, theirs});
        }
    }
    setRows(differences);
}

void StyleComparison::take(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const ValueDifference difference = rows().at(row);
    ParameterTable &table = m_document->table();
    // A failure after the post (style.txt not written) leaves the value taken.
    ErrorReport::guard([&] { table.setValue(difference.record, difference.theirs); });
}

QList<std::pair<int, QString>> StyleComparison::theirValues() const
{
    QList<std::pair<int, QString>> values;
    for (const ValueDifference &difference : rows())
        values.append({difference.record, difference.theirs});
    return values;
}

int StyleComparison::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StyleComparison::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ValueDifference &difference = rows().at(index.row());
    switch (role) {
    case RecordIndexRole:
        return difference.record;
    case ProfileGridModel::TypeRole:
        return difference.type;
    case Qt::ToolTipRole:
        return tr("Key: %1").arg(difference.key);
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case ParameterColumn:
            return difference.caption;
        case ThisColumn:
            return difference.mine;
        case ThatColumn:
            return difference.theirs;
        default:
            return {};
        }
    default:
        return {};
    }
}

QVariant StyleComparison::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ParameterColumn:
        return tr("Parameter");
    case ThisColumn:
        return tr("This document");
    case ThatColumn:
        return shownName();
    default:
        return {};
    }
}

QString StyleComparison::shownName() const
{
    return SystemText::displayed(QFileInfo(m_fileName).fileName());
}

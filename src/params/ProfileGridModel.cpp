#include "params/ProfileGridModel.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "params/FontStyleValue.h"
#include "params/ParameterTable.h"

#include <algorithm>
#include <utility>

struct ProfileGridModel::Group
{
    QString section;
    int row = 0;
    std::vector<int> records;
};

ProfileGridModel::ProfileGridModel(ParameterTable *table, QObject *parent)
    : QAbstractItemModel(parent), m_table(table)
{
    for (int i = 0; i < table->count(); ++i)
        appendRecord(i);
    connect(table, &ParameterTable::recordAppended, this, &ProfileGridModel::appendRecord);
    connect(table, &ParameterTable::valueChanged, this, &ProfileGridModel::refreshValue);
    connect(table, &ParameterTable::controlsEnabled, this, &ProfileGridModel::refreshAllValues);
}

ProfileGridModel::~ProfileGridModel() = default;

void ProfileGridModel::appendRecord(int recordIndex)
{
    const QString &section = m_table->record(recordIndex).group();
    auto pos = std::lower_bound(m_groups.begin(), m_groups.end(), section,
                                [this](const std::unique_ptr<Group> &g, const QString &s) {
                                    return m_collator.compare(g->section, s) < 0;
                                });
    // Sections that the collator ranks equal stay apart when their texts differ.
    while (pos != m_groups.end() && m_collator.compare((*pos)->section, section) == 0
           && (*pos)->section != section)
        ++pos;
    if (pos == m_groups.end() || (*pos)->section != section) {
        const int row = int(pos - m_groups.begin());
        beginInsertRows({}, row, row);
        auto group = std::make_unique<Group>();
        group->section = section;
        pos = m_groups.insert(pos, std::move(group));
        for (size_t i = size_t(row); i < m_groups.size(); ++i)
            m_groups[i]->row = int(i);
        endInsertRows();
    }
    Group *group = pos->get();
    const int row = int(group->records.size());
    beginInsertRows(createIndex(group->row, 0, nullptr), row, row);
    group->records.push_back(recordIndex);
    if (m_placeOfRecord.size() <= size_t(recordIndex))
        m_placeOfRecord.resize(size_t(recordIndex) + 1);
    m_placeOfRecord[size_t(recordIndex)] = {group, row};
    endInsertRows();
}

void ProfileGridModel::refreshValue(int recordIndex)
{
    const QModelIndex value = indexOfRecord(recordIndex, ValueColumn);
    emit dataChanged(value, value);
}

void ProfileGridModel::refreshAllValues()
{
    for (const auto &group : m_groups) {
        if (group->records.empty())
            continue;
        emit dataChanged(createIndex(0, ValueColumn, group.get()),
                         createIndex(int(group->records.size()) - 1, ValueColumn, group.get()));
    }
}

void ProfileGridModel::setHighlighted(const QList<int> &recordIndexes)
{
    // Only the highlight changes: views need not measure the rows again.
    const QList<int> before = std::exchange(m_highlighted, recordIndexes);
    for (int record : before + recordIndexes)
        emit dataChanged(indexOfRecord(record, ParameterColumn),
                         indexOfRecord(record, SectionColumn), {HighlightRole});
}

ProfileGridModel::Group *ProfileGridModel::groupOf(const QModelIndex &index) const
{
    return static_cast<Group *>(index.internalPointer());
}

bool ProfileGridModel::isGroup(const QModelIndex &index) const
{
    return index.isValid() && !groupOf(index);
}

int ProfileGridModel::recordIndex(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    const Group *group = groupOf(index);
    return group ? group->records[size_t(index.row())] : -1;
}

QModelIndex ProfileGridModel::indexOfRecord(int recordIndex, int column) const
{
    if (recordIndex < 0 || size_t(recordIndex) >= m_placeOfRecord.size())
        return {};
    const auto [group, row] = m_placeOfRecord[size_t(recordIndex)];
    return createIndex(row, column, group);
}

QModelIndex ProfileGridModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return {};
    if (!parent.isValid())
        return size_t(row) < m_groups.size() ? createIndex(row, column, nullptr) : QModelIndex();
    if (!isGroup(parent) || parent.column() != 0)
        return {};
    Group *group = m_groups[size_t(parent.row())].get();
    return size_t(row) < group->records.size() ? createIndex(row, column, group) : QModelIndex();
}

QModelIndex ProfileGridModel::parent(const QModelIndex &child) const
{
    const Group *group = child.isValid() ? groupOf(child) : nullptr;
    return group ? createIndex(group->row, 0, nullptr) : QModelIndex();
}

int ProfileGridModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    if (isGroup(parent) && parent.column() == 0)
        return int(m_groups[size_t(parent.row())]->records.size());
    return 0;
}

int ProfileGridModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QString ProfileGridModel::spokenValue(const ParameterRecord &record)
{
    if (record.value().trimmed().isEmpty())
        return tr("empty");
    if (record.type() == QLatin1String("fontstyle"))
        return FontStyleValue::describe(record.value());
    return SystemText::displayed(record.value());
}

QString ProfileGridModel::spokenText(const ParameterRecord &record, int column, int role)
{
    const QString caption = SystemText::displayed(record.caption());
    const QString section = SystemText::displayed(record.group());
    if (role == Qt::AccessibleTextRole) {
        switch (column) {
        case ParameterColumn:
            return caption;
        case ValueColumn:
            return spokenValue(record);
        default:
            return section;
        }
    }
    // The other cells of the row, so that one cell tells the whole row.
    if (column == ValueColumn)
        return tr("Value of %1, section %2").arg(caption, section);
    return tr("Value %1, section %2").arg(spokenValue(record), section);
}

QVariant ProfileGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (isGroup(index)) {
        const Group &group = *m_groups[size_t(index.row())];
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && index.column() != ValueColumn)
            return group.section;
        if (role == Qt::AccessibleTextRole && index.column() != ValueColumn)
            return SystemText::displayed(group.section);
        if (role == Qt::AccessibleDescriptionRole && index.column() != ValueColumn)
            return tr("Section of %n parameters", nullptr, int(group.records.size()));
        return {};
    }
    const int record = recordIndex(index);
    if (role == RecordIndexRole)
        return record;
    const ParameterRecord &r = m_table->record(record);
    if (role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole)
        return spokenText(r, index.column(), role);
    if (role == Qt::ToolTipRole) {
        const QString key = SystemText::displayed(r.name());
        return r.type().isEmpty()
                       ? tr("Key: %1").arg(key)
                       : tr("Key: %1, type: %2").arg(key, SystemText::displayed(r.type()));
    }
    if (role == DiffersFromProfileRole)
        return m_table->differsFromProfile(record);
    if (role == TypeRole)
        return r.type();
    if (role == HighlightRole)
        return m_highlighted.contains(record);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case ParameterColumn:
        return r.caption();
    case ValueColumn:
        return r.value();
    case SectionColumn:
        return r.group();
    default:
        return {};
    }
}

bool ProfileGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int record = recordIndex(index);
    if (record < 0 || index.column() != ValueColumn || role != Qt::EditRole)
        return false;
    // The grid posts the row it edits, as any other editor does. A failure
    // after the post (style.txt not written) leaves the value in the table.
    // An editor closed without a change posts nothing, so the document
    // stays as it was.
    if (value.toString() == m_table->record(record).value())
        return true;
    ErrorReport::guard([&] { m_table->setValue(record, value.toString()); });
    return true;
}

Qt::ItemFlags ProfileGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isGroup(index))
        return f;
    f |= Qt::ItemNeverHasChildren;
    if (index.column() == ValueColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ProfileGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ParameterColumn:
        return tr("Parameter");
    case ValueColumn:
        return tr("Value");
    case SectionColumn:
        return tr("Section");
    default:
        return {};
    }
}

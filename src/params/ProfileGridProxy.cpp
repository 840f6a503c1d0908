#include "params/ProfileGridProxy.h"

#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"

ProfileGridProxy::ProfileGridProxy(QObject *parent) : QSortFilterProxyModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
    setRecursiveFilteringEnabled(true);
}

void ProfileGridProxy::setSourceModel(QAbstractItemModel *model)
{
    m_grid = qobject_cast<ProfileGridModel *>(model);
    QSortFilterProxyModel::setSourceModel(model);
}

void ProfileGridProxy::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    invalidateRowsFilter();
}

void ProfileGridProxy::setModifiedOnly(bool on)
{
    if (on == m_modifiedOnly)
        return;
    m_modifiedOnly = on;
    invalidateRowsFilter();
}

bool ProfileGridProxy::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!m_grid)
        return true;
    if (!sourceParent.isValid()) {
        // Section rows pass only through their parameters, unless nothing is filtered.
        return m_filterText.isEmpty() && !m_modifiedOnly;
    }
    const int index = m_grid->recordIndex(m_grid->index(sourceRow, 0, sourceParent));
    const ParameterTable *table = m_grid->table();
    if (m_modifiedOnly && !table->differsFromProfile(index))
        return false;
    if (m_filterText.isEmpty())
        return true;
    const ParameterRecord &record = table->record(index);
    return record.caption().contains(m_filterText, Qt::CaseInsensitive)
           || record.name().contains(m_filterText, Qt::CaseInsensitive)
           || record.value().contains(m_filterText, Qt::CaseInsensitive);
}

bool ProfileGridProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!left.parent().isValid()) {
        // Section rows stay in the source's order whichever way the parameters are sorted.
        return sortOrder() == Qt::AscendingOrder ? left.row() < right.row()
                                                 : left.row() > right.row();
    }
    return m_collator.compare(left.data(sortRole()).toString(), right.data(sortRole()).toString())
           < 0;
}

#include "params/ProfileGridProxy.h"

ProfileGridProxy::ProfileGridProxy(QObject *parent) : QSortFilterProxyModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

bool ProfileGridProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!left.parent().isValid()) {
        // Section rows stay in the source's order whichever way the parameters are sorted.
        return sortOrder() == Qt::AscendingOrder ? left.row() < right.row() : left.row() > right.row();
    }
    return m_collator.compare(left.data(sortRole()).toString(), right.data(sortRole()).toString()) < 0;
}

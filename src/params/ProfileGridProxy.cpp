#include "params/ProfileGridProxy.h"

#include "params/ProfileGridModel.h"

#include <QCollator>

ProfileGridProxy::ProfileGridProxy(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortLocaleAware(true);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

bool ProfileGridProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!left.parent().isValid()) {
        // Section rows: always ascending, whichever way the parameters are sorted.
        const QCollator collator;
        const int order = collator.compare(left.siblingAtColumn(0).data().toString(),
                                           right.siblingAtColumn(0).data().toString());
        return sortOrder() == Qt::AscendingOrder ? order < 0 : order > 0;
    }
    return QSortFilterProxyModel::lessThan(left, right);
}

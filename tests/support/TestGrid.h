#pragma once

#include "app/MainWindow.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

// The grid's value cell of the parameter with the given key, as the view shows it.
inline QModelIndex valueIndexOf(MainWindow &form, const QString &key)
{
    const ParameterTable &table = form.document().table();
    for (int i = 0; i < table.count(); ++i) {
        if (table.record(i).name() == key) {
            ProfileGrid *grid = form.profileGrid();
            return grid->proxy()->mapFromSource(
                    grid->gridModel()->indexOfRecord(i, ProfileGridModel::ValueColumn));
        }
    }
    return {};
}

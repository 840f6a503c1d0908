#include "editors/ProfileGridAccessible.h"

#include "editors/ProfileGrid.h"
#include "editors/ProfileGridCellAccessible.h"

#include <algorithm>

ProfileGridAccessible::ProfileGridAccessible(ProfileGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Tree)
{}

ProfileGridAccessible::~ProfileGridAccessible()
{
    for (const Cell &made : m_cells)
        QAccessible::deleteAccessibleInterface(made.id);
}

QAccessibleInterface *ProfileGridAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ProfileGrid"))
        if (auto *grid = qobject_cast<ProfileGrid *>(object))
            return new ProfileGridAccessible(grid);
    return nullptr;
}

ProfileGrid *ProfileGridAccessible::grid() const
{
    return static_cast<ProfileGrid *>(widget());
}

int ProfileGridAccessible::columnCount() const
{
    return grid()->model()->columnCount();
}

QModelIndexList ProfileGridAccessible::shownRows() const
{
    QModelIndexList rows;
    for (QModelIndex row = grid()->model()->index(0, 0); row.isValid();
         row = grid()->indexBelow(row))
        rows << row;
    return rows;
}

QAccessibleInterface *ProfileGridAccessible::cell(const QModelIndex &row, int column) const
{
    const bool header = !row.isValid();
    // Cells of rows that went are dropped.
    const auto gone = std::remove_if(m_cells.begin(), m_cells.end(), [](const Cell &made) {
        if (made.header || made.row.isValid())
            return false;
        QAccessible::deleteAccessibleInterface(made.id);
        return true;
    });
    m_cells.erase(gone, m_cells.end());
    for (const Cell &made : m_cells) {
        if (made.header == header && made.column == column && (header || made.row == row))
            return QAccessible::accessibleInterface(made.id);
    }
    auto *made = new ProfileGridCellAccessible(grid(), row, column);
    m_cells.push_back({header, row, column, QAccessible::registerAccessibleInterface(made)});
    return made;
}

int ProfileGridAccessible::childCount() const
{
    return (int(shownRows().size()) + 1) * columnCount();
}

QAccessibleInterface *ProfileGridAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    const int row = index / columns - 1;
    if (row < 0)
        return cell({}, index % columns);
    const QModelIndexList rows = shownRows();
    return row < rows.size() ? cell(rows[row], index % columns) : nullptr;
}

int ProfileGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
    for (const Cell &made : m_cells) {
        if (made.id != id)
            continue;
        if (made.header)
            return made.column;
        const int row = int(shownRows().indexOf(made.row));
        return row < 0 ? -1 : (row + 1) * columnCount() + made.column;
    }
    return -1;
}

QAccessibleInterface *ProfileGridAccessible::childAt(int x, int y) const
{
    const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? cell(index.siblingAtColumn(0), index.column()) : nullptr;
}

QAccessibleInterface *ProfileGridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    if (!grid()->hasFocus() || !current.isValid())
        return nullptr;
    return cell(current.siblingAtColumn(0), current.column());
}

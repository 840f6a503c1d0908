#include "editors/ProfileGridCellAccessible.h"

#include "editors/ProfileGrid.h"
#include "editors/ProfileGridDelegate.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

#include <QHeaderView>

ProfileGridCellAccessible::ProfileGridCellAccessible(ProfileGrid *grid, const QModelIndex &row,
                                                     int column)
    : m_grid(grid), m_header(!row.isValid()), m_row(row), m_column(column)
{}

bool ProfileGridCellAccessible::isValid() const
{
    return m_grid && (m_header || m_row.isValid());
}

QWindow *ProfileGridCellAccessible::window() const
{
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface *ProfileGridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

bool ProfileGridCellAccessible::isSection() const
{
    return !m_header && !m_row.parent().isValid();
}

bool ProfileGridCellAccessible::hasValueButton() const
{
    return !m_header
           && ProfileGridDelegate::hasButton(
                   m_row.sibling(m_row.row(), ProfileGridModel::ValueColumn));
}

QString ProfileGridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    if (m_header)
        return t == QAccessible::Name
                       ? m_grid->model()->headerData(m_column, Qt::Horizontal).toString()
                       : QString();
    switch (t) {
    case QAccessible::Name:
        return index().data(Qt::AccessibleTextRole).toString();
    case QAccessible::Description:
        return index().data(Qt::AccessibleDescriptionRole).toString();
    case QAccessible::Value:
        return m_column == ProfileGridModel::ValueColumn
                       ? index().data(Qt::AccessibleTextRole).toString()
                       : QString();
    default:
        return {};
    }
}

QRect ProfileGridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    if (m_header) {
        const QHeaderView *header = m_grid->header();
        if (header->isHidden())
            return {};
        return QRect(header->mapToGlobal(QPoint(header->sectionViewportPosition(m_column), 0)),
                     QSize(header->sectionSize(m_column), header->height()));
    }
    const QRect cell = m_grid->visualRect(index());
    return cell.isValid() ? QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size())
                          : QRect();
}

QAccessible::Role ProfileGridCellAccessible::role() const
{
    if (m_header)
        return QAccessible::ColumnHeader;
    return m_column == 0 ? QAccessible::TreeItem : QAccessible::Cell;
}

QAccessible::State ProfileGridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const QRect shown = rect();
    state.invisible = shown.isEmpty() || m_grid->isColumnHidden(m_column);
    state.offscreen = !shown.isEmpty()
                      && !QRect(m_grid->viewport()->mapToGlobal(QPoint(0, 0)),
                                m_grid->viewport()->size())
                                  .intersects(shown);
    if (m_header)
        return state;
    state.focusable = true;
    state.selectable = true;
    const QModelIndex current = m_grid->currentIndex();
    state.selected = m_grid->selectionModel()->isRowSelected(m_row.row(), m_row.parent());
    state.focused = m_grid->hasFocus() && current.isValid()
                    && current.siblingAtColumn(m_column) == index();
    if (isSection()) {
        state.expandable = true;
        state.expanded = m_grid->isExpanded(m_row);
        state.collapsed = !state.expanded;
    }
    state.editable = m_column == ProfileGridModel::ValueColumn && hasValueButton();
    return state;
}

void *ProfileGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                : nullptr;
}

QStringList ProfileGridCellAccessible::actionNames() const
{
    if (!isValid() || m_header)
        return {};
    if (isSection())
        return {toggleAction(), setFocusAction()};
    if (hasValueButton())
        return {pressAction(), setFocusAction()};
    return {setFocusAction()};
}

QString ProfileGridCellAccessible::localizedActionName(const QString &name) const
{
    if (name == pressAction())
        return ProfileGrid::tr("Edit value");
    if (name == toggleAction() && isValid())
        return m_grid->isExpanded(m_row) ? ProfileGrid::tr("Collapse") : ProfileGrid::tr("Expand");
    return QAccessibleActionInterface::localizedActionName(name);
}

QString ProfileGridCellAccessible::localizedActionDescription(const QString &name) const
{
    if (name == pressAction())
        return ProfileGrid::tr("Opens the value's editor, as the button at the value's right does");
    if (name == toggleAction())
        return ProfileGrid::tr("Shows or hides the section's parameters");
    return QAccessibleActionInterface::localizedActionDescription(name);
}

QStringList ProfileGridCellAccessible::keyBindingsForAction(const QString &name) const
{
    if (name == pressAction())
        return {QStringLiteral("Ctrl+Return"), QStringLiteral("Alt+Down")};
    return {};
}

void ProfileGridCellAccessible::doAction(const QString &name)
{
    if (!isValid() || m_header)
        return;
    ProfileGrid *grid = m_grid;
    const QPersistentModelIndex row = m_row;
    if (name == setFocusAction()) {
        grid->setFocus(Qt::OtherFocusReason);
        grid->setCurrentIndex(row);
    } else if (name == toggleAction() && isSection()) {
        grid->setExpanded(row, !grid->isExpanded(row));
    } else if (name == pressAction() && hasValueButton()) {
        // The editor is modal: it opens once the request has been answered.
        QMetaObject::invokeMethod(
                grid,
                [grid, row] {
                    if (row.isValid())
                        grid->pressValueButton(
                                grid->gridModel()->recordIndex(grid->proxy()->mapToSource(row)));
                },
                Qt::QueuedConnection);
    }
}

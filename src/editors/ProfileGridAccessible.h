#pragma once

#include <QAccessibleWidget>
#include <QPersistentModelIndex>

#include <vector>

class ProfileGrid;

// What an assistive technology sees of the parameter grid: a tree whose
// children are the cells of its rows, numbered as Qt's tree views number
// them in their accessibility events (a header row first, then each shown
// row, each with every column of the model). A cell tells its text and the
// rest of its row (the model's Qt::AccessibleTextRole and
// Qt::AccessibleDescriptionRole); a parameter's cells offer the value
// button as their press action, a section's expand and collapse it.
class ProfileGridAccessible : public QAccessibleWidget
{
public:
    explicit ProfileGridAccessible(ProfileGrid *grid);
    ~ProfileGridAccessible() override;

    // Installed once for every grid of the application.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    ProfileGrid *grid() const;
    int columnCount() const;
    // The rows the grid shows, top to bottom, sections and parameters alike.
    QModelIndexList shownRows() const;
    // row: the row's first cell, invalid for the header row.
    QAccessibleInterface *cell(const QModelIndex &row, int column) const;

    // The cells made so far, each registered with QAccessible.
    struct Cell
    {
        bool header;
        QPersistentModelIndex row;
        int column;
        QAccessible::Id id;
    };
    mutable std::vector<Cell> m_cells;
};

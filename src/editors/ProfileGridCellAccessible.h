#pragma once

#include <QAccessibleInterface>
#include <QPersistentModelIndex>
#include <QPointer>

class ProfileGrid;

// One cell of the parameter grid, or of its header row.
class ProfileGridCellAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    // row: the row's first cell; an invalid index for the header row.
    ProfileGridCellAccessible(ProfileGrid *grid, const QModelIndex &row, int column);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    QString localizedActionName(const QString &name) const override;
    QString localizedActionDescription(const QString &name) const override;
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &name) const override;

private:
    QModelIndex index() const { return m_row.sibling(m_row.row(), m_column); }
    bool isSection() const;
    bool hasValueButton() const;

    QPointer<ProfileGrid> m_grid;
    const bool m_header;
    const QPersistentModelIndex m_row;
    const int m_column;
};

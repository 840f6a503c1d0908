#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

class ProfileGridModel;

// Sorts the parameters of each section by the clicked column, in the
// locale's order ignoring case, while the section rows keep their order.
// Filters the parameters by a text found in their caption, key or value
// and, on request, to those whose value differs from the profile's; a
// section row stays while it holds a parameter that passes.
class ProfileGridProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ProfileGridProxy(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *model) override;

    QString filterText() const { return m_filterText; }
    void setFilterText(const QString &text);
    bool modifiedOnly() const { return m_modifiedOnly; }
    void setModifiedOnly(bool on);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QCollator m_collator;
    ProfileGridModel *m_grid = nullptr;
    QString m_filterText;
    bool m_modifiedOnly = false;
};

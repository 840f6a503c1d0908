#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

// Sorts the parameters of each section by the clicked column, in the
// locale's order ignoring case, while the section rows keep their order.
class ProfileGridProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ProfileGridProxy(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QCollator m_collator;
};

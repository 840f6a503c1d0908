#pragma once

#include <QSortFilterProxyModel>

// Sorts the parameters of each section by the clicked column while the
// section rows themselves stay in ascending order of their text.
class ProfileGridProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ProfileGridProxy(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

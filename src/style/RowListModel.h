#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <algorithm>

// A flat table model over a list of rows that is recomputed as a whole.
// Setting a new list tells the views only what changed between the rows both
// lists share at their start and end, so a view keeps its current row and
// the widgets it shows beside the rows that stayed.
template<typename Row>
class RowListModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    const QList<Row> &rows() const { return m_rows; }

protected:
    void setRows(const QList<Row> &rows)
    {
        const qsizetype oldCount = m_rows.size();
        const qsizetype newCount = rows.size();
        const qsizetype shorter = std::min(oldCount, newCount);
        qsizetype head = 0;
        while (head < shorter && m_rows[head] == rows[head])
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head && m_rows[oldCount - 1 - tail] == rows[newCount - 1 - tail])
            ++tail;
        const int oldMiddle = int(oldCount - head - tail);
        const int newMiddle = int(newCount - head - tail);
        const int first = int(head);
        if (oldMiddle > newMiddle) {
            beginRemoveRows({}, first + newMiddle, first + oldMiddle - 1);
            m_rows.remove(first + newMiddle, oldMiddle - newMiddle);
            endRemoveRows();
        } else if (newMiddle > oldMiddle) {
            beginInsertRows({}, first + oldMiddle, first + newMiddle - 1);
            m_rows.insert(first + oldMiddle, newMiddle - oldMiddle, Row());
            std::copy(rows.begin() + first + oldMiddle, rows.begin() + first + newMiddle,
                      m_rows.begin() + first + oldMiddle);
            endInsertRows();
        }
        const int changed = std::min(oldMiddle, newMiddle);
        if (changed > 0) {
            std::copy(rows.begin() + first, rows.begin() + first + changed, m_rows.begin() + first);
            emit dataChanged(index(first, 0), index(first + changed - 1, columnCount() - 1));
        }
    }

private:
    QList<Row> m_rows;
};

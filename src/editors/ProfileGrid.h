#pragma once

#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QTreeView>

#include <optional>
#include <set>

class ProfileGridDelegate;
class ProfileGridModel;
class ProfileGridProxy;

// The parameter grid: sections as expandable group rows, the caption and
// value columns stretched in the proportion 242:85 as far as the values
// keep room to show in full, values edited in place.
class ProfileGrid : public QTreeView
{
    Q_OBJECT

public:
    explicit ProfileGrid(ProfileGridModel *model, QWidget *parent = nullptr);

    ProfileGridModel *gridModel() const { return m_model; }
    ProfileGridProxy *proxy() const { return m_proxy; }
    ProfileGridDelegate *delegate() const { return m_delegate; }

    // The table index of the focused parameter row, -1 on a group row or none.
    int currentRecord() const;
    void setCurrentRecord(int recordIndex);

    // The width the value column needs to show each value in full.
    int valueContentWidth() const;

    // The widths of the caption and value columns. The two keep their
    // proportion when the grid is resized, except that the value column
    // never gets narrower than its values need while the captions, cut
    // short, keep some room; setting them sets the proportion.
    QList<int> columnWidths() const;
    void setColumnWidths(const QList<int> &widths);
    QStringList collapsedSections() const;
    void setCollapsedSections(const QStringList &sections);

signals:
    // The focused row changed; recordIndex is -1 for a group row.
    void currentRecordChanged(int recordIndex);
    void valueButtonClicked(int recordIndex);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;

private:
    // The value cell whose button lies under pos, else an invalid index.
    QModelIndex valueButtonAt(const QPoint &pos) const;
    // Posts what is being typed in place and closes the cell's editor, so
    // that a popup starts from the value the user typed.
    void commitValueEditor();
    void stretchColumns();
    void keepProportion(int logicalIndex);
    // Rows came or went: every value is measured again before the next layout.
    void rowsChanged();
    // Values changed: only theirs are measured again.
    void valuesChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);
    void restretchSoon();
    // Measures the width a shown value needs, in place of what it needed before.
    void measureValue(const QModelIndex &value) const;

    ProfileGridModel *m_model;
    ProfileGridProxy *m_proxy;
    ProfileGridDelegate *m_delegate;
    double m_parameterShare;
    bool m_stretching = false;
    // The width each shown value needs, by record, and all of them sorted:
    // an edit measures its own value and the widest is at hand.
    mutable std::optional<QHash<int, int>> m_valueWidths; // none: to be measured
    mutable std::multiset<int> m_sortedValueWidths;
    bool m_restretchDue = false;
    QList<QPersistentModelIndex> m_unspannedSections;
    QPersistentModelIndex m_pressedButton;
};

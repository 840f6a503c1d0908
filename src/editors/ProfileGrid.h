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

    // As a click on the record's value button: the record's row becomes
    // the current one and valueButtonClicked follows.
    void pressValueButton(int recordIndex);

    // The width the value column needs to show each value in full.
    int valueContentWidth() const;
    // As narrow as the grid can get with every value in full beside captions
    // that can still be read: the preview beside it stops there.
    QSize minimumSizeHint() const override;

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
    using QTreeView::edit;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;

private:
    // Tells when the parameter under the current index changed, also when a
    // filter or a model change took the current row away.
    void followCurrentRecord();
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
    void valuesChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                       const QList<int> &roles);
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
    int m_currentRecord = -1;
    // The model is taking rows away or rearranging them: the view moves the
    // current index by itself meanwhile, which is no request to edit.
    bool m_modelChanging = false;
};

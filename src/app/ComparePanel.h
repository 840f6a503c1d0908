#pragma once

#include <QDockWidget>

class QLabel;
class QPushButton;
class QToolButton;
class QTreeView;
class StyleComparison;
class ValueHistory;

// The dock that lists how the document differs from another style file,
// drawn as the grid draws values, with a Take button per parameter and
// Take all. Every take is a change of the document's values like any edit.
class ComparePanel : public QDockWidget
{
    Q_OBJECT

public:
    ComparePanel(StyleComparison *comparison, ValueHistory *history, QWidget *parent = nullptr);

    QTreeView *view() const { return m_view; }
    QPushButton *takeAllButton() const { return m_takeAll; }
    QToolButton *takeButton(int row) const;

    void takeAll();

private:
    void addTakeButtons(int first, int last);
    void updateSummary();

    StyleComparison *m_comparison;
    ValueHistory *m_history;
    QTreeView *m_view;
    QLabel *m_summary;
    QPushButton *m_takeAll;
};

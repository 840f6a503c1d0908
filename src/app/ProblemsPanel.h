#pragma once

#include <QDockWidget>

class ProblemListModel;
class QTreeView;

// The dock that lists the open document's problems. Double-click or Enter
// on a problem asks for its parameter.
class ProblemsPanel : public QDockWidget
{
    Q_OBJECT

public:
    ProblemsPanel(ProblemListModel *model, QWidget *parent = nullptr);

    QTreeView *view() const { return m_view; }

signals:
    // The problem's line sets this parameter (a table index).
    void parameterChosen(int recordIndex);

private:
    QTreeView *m_view;
};

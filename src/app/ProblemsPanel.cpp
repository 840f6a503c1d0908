#include "app/ProblemsPanel.h"

#include "style/ProblemListModel.h"

#include <QHeaderView>
#include <QTreeView>

ProblemsPanel::ProblemsPanel(ProblemListModel *model, QWidget *parent)
    : QDockWidget(tr("Problems"), parent), m_view(new QTreeView)
{
    setObjectName(QStringLiteral("ProblemsPanel"));
    m_view->setObjectName(QStringLiteral("ProblemsView"));
    m_view->setAccessibleName(windowTitle());
    m_view->setModel(model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setStretchLastSection(true);
    m_view->header()->resizeSection(ProblemListModel::LineColumn, 50);
    m_view->header()->resizeSection(ProblemListModel::KeyColumn, 120);
    setWidget(m_view);
    // Activation is a double-click or Enter.
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        const int record = index.data(ProblemListModel::RecordIndexRole).toInt();
        if (record >= 0)
            emit parameterChosen(record);
    });
}

#include "app/ComparePanel.h"

#include "app/ValueHistory.h"
#include "base/ErrorReport.h"
#include "editors/ProfileGridDelegate.h"
#include "style/StyleComparison.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

ComparePanel::ComparePanel(StyleComparison *comparison, ValueHistory *history, QWidget *parent)
    : QDockWidget(tr("Compare"), parent), m_comparison(comparison), m_history(history),
      m_view(new QTreeView), m_summary(new QLabel), m_takeAll(new QPushButton(tr("Take all")))
{
    setObjectName(QStringLiteral("ComparePanel"));
    m_view->setObjectName(QStringLiteral("CompareView"));
    m_view->setAccessibleName(tr("Differences"));
    m_view->setModel(comparison);
    // Values look as they do in the grid: swatches, font faces, styles in words.
    auto *delegate = new ProfileGridDelegate(m_view);
    delegate->setValueColumns({StyleComparison::ThisColumn, StyleComparison::ThatColumn});
    m_view->setItemDelegate(delegate);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(StyleComparison::ParameterColumn, QHeaderView::Stretch);
    m_view->header()->resizeSection(StyleComparison::ThisColumn, 110);
    m_view->header()->resizeSection(StyleComparison::ThatColumn, 110);
    m_view->header()->setSectionResizeMode(StyleComparison::TakeColumn,
                                           QHeaderView::ResizeToContents);

    m_takeAll->setObjectName(QStringLiteral("TakeAll"));
    m_takeAll->setToolTip(tr("Give this document every value of the compared file"));
    connect(m_takeAll, &QPushButton::clicked, this, &ComparePanel::takeAll);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_takeAll);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    setWidget(content);

    connect(comparison, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { addTakeButtons(first, last); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(comparison, signal, this, &ComparePanel::updateSummary);
    connect(comparison, &QAbstractItemModel::headerDataChanged, this, &ComparePanel::updateSummary);
    addTakeButtons(0, comparison->rowCount() - 1);
    updateSummary();
}

void ComparePanel::addTakeButtons(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        auto *button = new QToolButton;
        button->setText(tr("Take"));
        button->setToolTip(tr("Give this document the compared file's value"));
        button->setAutoRaise(false);
        // The row moves as others come and go: the button asks where it is now.
        const QPersistentModelIndex at = m_comparison->index(row, StyleComparison::TakeColumn);
        button->setAccessibleName(tr("Take %1").arg(
                m_comparison->index(row, StyleComparison::ParameterColumn).data().toString()));
        connect(button, &QToolButton::clicked, this, [this, at] {
            if (at.isValid())
                m_comparison->take(at.row());
        });
        m_view->setIndexWidget(at, button);
    }
}

QToolButton *ComparePanel::takeButton(int row) const
{
    return qobject_cast<QToolButton *>(
            m_view->indexWidget(m_comparison->index(row, StyleComparison::TakeColumn)));
}

void ComparePanel::takeAll()
{
    ErrorReport::guard([this] {
        m_history->postValues(m_comparison->theirValues(),
                              tr("Take all values of %1").arg(m_comparison->shownName()));
    });
}

void ComparePanel::updateSummary()
{
    const QString name = m_comparison->shownName();
    setWindowTitle(tr("Compare with %1").arg(name));
    const int count = m_comparison->rowCount();
    m_summary->setText(count == 0 ? tr("No parameter differs from %1.").arg(name)
                                  : tr("%n parameters differ from %1.", nullptr, count).arg(name));
    m_takeAll->setEnabled(count > 0);
}

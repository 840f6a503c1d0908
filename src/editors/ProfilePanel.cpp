#include "editors/ProfilePanel.h"

#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

ProfilePanel::ProfilePanel(ProfileGridModel *model, QWidget *parent)
    : QWidget(parent), m_filter(new QLineEdit), m_grid(new ProfileGrid(model))
{
    m_filter->setObjectName(QStringLiteral("FilterBox"));
    m_filter->setPlaceholderText(tr("Filter parameters (Ctrl+F)"));
    m_filter->setAccessibleName(tr("Filter parameters"));
    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, &ProfilePanel::applyFilter);
    // The clear button shows only while there is text. Its icon is looked up
    // in the icon theme, which takes long, so the button comes with the first
    // text rather than with the window.
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            m_filter->setClearButtonEnabled(true);
    });

    m_find = new QAction(tr("Find parameter"), this);
    m_find->setShortcut(QKeySequence::Find);
    connect(m_find, &QAction::triggered, this, [this] {
        m_filter->setFocus(Qt::ShortcutFocusReason);
        m_filter->selectAll();
    });

    m_showModified = new QAction(QIcon(QStringLiteral(":/icons/modified.svg")),
                                 tr("Show only modified"), this);
    m_showModified->setCheckable(true);
    m_showModified->setToolTip(
            tr("Show only the parameters whose value differs from the profile's default"));
    m_showModified->setStatusTip(m_showModified->toolTip());
    connect(m_showModified, &QAction::toggled, this, &ProfilePanel::applyFilter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_filter);
    layout->addWidget(m_grid, 1);
}

void ProfilePanel::applyFilter()
{
    m_grid->proxy()->setFilterText(m_filter->text());
    m_grid->proxy()->setModifiedOnly(m_showModified->isChecked());
    m_grid->expandAll();
}

void ProfilePanel::showRecord(int recordIndex, QAbstractItemView::ScrollHint hint)
{
    const QModelIndex source = m_grid->gridModel()->indexOfRecord(recordIndex);
    if (!source.isValid())
        return;
    if (!m_grid->proxy()->mapFromSource(source).isValid()) {
        m_filter->clear();
        m_showModified->setChecked(false);
    }
    const QModelIndex shown = m_grid->proxy()->mapFromSource(source);
    m_grid->setCurrentIndex(shown);
    m_grid->scrollTo(shown, hint); // opens a collapsed section too
}

bool ProfilePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_filter && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && !m_filter->text().isEmpty()) {
        m_filter->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

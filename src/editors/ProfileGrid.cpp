#include "editors/ProfileGrid.h"

#include "editors/ProfileGridAccessible.h"
#include "editors/ProfileGridDelegate.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>
#include <utility>

namespace {
constexpr int ParameterWidth = 242;
constexpr int ValueWidth = 85;
// The caption column keeps at least this much when the values need the rest.
constexpr int LeastParameterWidth = 48;
// The characters of a caption that stay readable however wide the preview.
constexpr int ReadableCaptionCharacters = 16;
} // namespace

ProfileGrid::ProfileGrid(ProfileGridModel *model, QWidget *parent)
    : QTreeView(parent), m_model(model), m_proxy(new ProfileGridProxy(this)),
      m_delegate(new ProfileGridDelegate(this)),
      m_parameterShare(double(ParameterWidth) / (ParameterWidth + ValueWidth))
{
    QAccessible::installFactory(&ProfileGridAccessible::create);
    setAccessibleName(tr("Parameters"));
    m_proxy->setSourceModel(model);
    // Connected before the view and its selection model connect theirs, so
    // that the flag is up before either of them moves the current index.
    const auto changing = [this] { m_modelChanging = true; };
    const auto changed = [this] {
        m_modelChanging = false;
        followCurrentRecord();
    };
    connect(m_proxy, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(m_proxy, &QAbstractItemModel::layoutAboutToBeChanged, this, changing);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, changed);
    connect(m_proxy, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, changed);
    setModel(m_proxy);
    setItemDelegate(m_delegate);
    setColumnHidden(ProfileGridModel::SectionColumn, true);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    connect(header(), &QHeaderView::sectionResized, this, &ProfileGrid::keepProportion);
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, &ProfileGrid::valuesChanged);
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, &ProfileGrid::rowsChanged);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, &ProfileGrid::rowsChanged);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &ProfileGrid::rowsChanged);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &ProfileGrid::rowsChanged);

    // Sections open expanded, also those that appear while the profile loads.
    // Their rows span the grid from the next layout on (see updateGeometries).
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &parent, int first, int last) {
                if (!parent.isValid()) {
                    for (int row = first; row <= last; ++row) {
                        m_unspannedSections.append(m_proxy->index(row, 0));
                        expand(m_proxy->index(row, 0));
                    }
                }
            });
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        m_unspannedSections.append(m_proxy->index(row, 0));
    expandAll();

    // The keys that press the value cell's button, also while its text is being edited.
    for (const QKeySequence key :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
          QKeySequence(Qt::ALT | Qt::Key_Down)}) {
        auto *shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (currentRecord() >= 0)
                pressValueButton(currentRecord());
        });
    }
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ProfileGrid::followCurrentRecord);
}

void ProfileGrid::followCurrentRecord()
{
    const int record = currentRecord();
    if (record != std::exchange(m_currentRecord, record))
        emit currentRecordChanged(record);
}

bool ProfileGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Only the user's own moves open the value's editor: a cell that became
    // current because a filter hid the row or the rows were rearranged would
    // take the keys typed elsewhere, the filter's among them, as its value.
    if (trigger == CurrentChanged && m_modelChanging)
        return false;
    return QTreeView::edit(index, trigger, event);
}

void ProfileGrid::updateGeometries()
{
    // Spanning a row lays out the whole tree first if a layout is due, which
    // for each section of a loading profile made the load take time growing
    // with the square of its size. The sections that came since the last
    // layout span here instead, at the end of the layout that shows them.
    for (const QPersistentModelIndex &section : std::exchange(m_unspannedSections, {})) {
        if (section.isValid())
            setFirstColumnSpanned(section.row(), {}, true);
    }
    QTreeView::updateGeometries();
}

int ProfileGrid::currentRecord() const
{
    return m_model->recordIndex(m_proxy->mapToSource(currentIndex()));
}

void ProfileGrid::setCurrentRecord(int recordIndex)
{
    setCurrentIndex(m_proxy->mapFromSource(m_model->indexOfRecord(recordIndex)));
}

void ProfileGrid::keyPressEvent(QKeyEvent *event)
{
    // Enter opens the value's editor at once.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != EditingState && currentRecord() >= 0) {
        edit(currentIndex().siblingAtColumn(ProfileGridModel::ValueColumn));
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ProfileGrid::pressValueButton(int recordIndex)
{
    const QModelIndex value = m_proxy->mapFromSource(
            m_model->indexOfRecord(recordIndex, ProfileGridModel::ValueColumn));
    if (!ProfileGridDelegate::hasButton(value))
        return;
    commitValueEditor();
    // The caption cell takes the focus: the value cell would open its editor.
    setCurrentIndex(value.siblingAtColumn(ProfileGridModel::ParameterColumn));
    emit valueButtonClicked(recordIndex);
}

QModelIndex ProfileGrid::valueButtonAt(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!ProfileGridDelegate::hasButton(index)
        || !ProfileGridDelegate::buttonRect(visualRect(index)).contains(pos))
        return {};
    return index;
}

void ProfileGrid::commitValueEditor()
{
    if (state() != EditingState)
        return;
    if (QWidget *editor = indexWidget(
                currentIndex().siblingAtColumn(ProfileGridModel::ValueColumn))) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// The value buttons are handled here rather than by the view: a press that
// takes the focus from the cell's editor would otherwise only close it, and
// a second click would be needed for the popup.
void ProfileGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex button = event->button() == Qt::LeftButton
                                       ? valueButtonAt(event->position().toPoint())
                                       : QModelIndex();
    if (!button.isValid()) {
        m_pressedButton = QPersistentModelIndex();
        QTreeView::mousePressEvent(event);
        return;
    }
    commitValueEditor();
    setCurrentIndex(button.siblingAtColumn(ProfileGridModel::ParameterColumn));
    m_pressedButton = button;
    event->accept();
}

void ProfileGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedButton.isValid())
        event->accept();
    else
        QTreeView::mouseMoveEvent(event);
}

void ProfileGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressedButton.isValid()) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    const QModelIndex pressed = std::exchange(m_pressedButton, QPersistentModelIndex());
    event->accept();
    if (event->button() == Qt::LeftButton && valueButtonAt(event->position().toPoint()) == pressed)
        emit valueButtonClicked(m_model->recordIndex(m_proxy->mapToSource(pressed)));
}

void ProfileGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click on a button is one more press of it.
    if (event->button() == Qt::LeftButton && valueButtonAt(event->position().toPoint()).isValid())
        mousePressEvent(event);
    else
        QTreeView::mouseDoubleClickEvent(event);
}

void ProfileGrid::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    stretchColumns();
}

QSize ProfileGrid::minimumSizeHint() const
{
    const int captions = indentation()
                         + fontMetrics().averageCharWidth() * ReadableCaptionCharacters;
    const int chrome = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    QSize hint = QTreeView::minimumSizeHint();
    hint.setWidth(std::max(hint.width(), captions + valueContentWidth() + chrome));
    return hint;
}

int ProfileGrid::valueContentWidth() const
{
    if (!m_valueWidths) {
        m_valueWidths.emplace();
        m_sortedValueWidths.clear();
        for (int section = 0; section < m_proxy->rowCount(); ++section) {
            const QModelIndex group = m_proxy->index(section, 0);
            for (int row = 0; row < m_proxy->rowCount(group); ++row)
                measureValue(m_proxy->index(row, ProfileGridModel::ValueColumn, group));
        }
    }
    return m_sortedValueWidths.empty() ? 0 : *m_sortedValueWidths.rbegin();
}

void ProfileGrid::measureValue(const QModelIndex &value) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int record = m_model->recordIndex(m_proxy->mapToSource(value));
    const int width = m_delegate->sizeHint(option, value).width();
    const auto measured = m_valueWidths->constFind(record);
    if (measured != m_valueWidths->cend())
        m_sortedValueWidths.erase(m_sortedValueWidths.find(*measured));
    m_valueWidths->insert(record, width);
    m_sortedValueWidths.insert(width);
}

void ProfileGrid::rowsChanged()
{
    m_valueWidths.reset();
    restretchSoon();
}

void ProfileGrid::valuesChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                const QList<int> &roles)
{
    if (roles == QList<int>{ProfileGridModel::HighlightRole})
        return; // drawn differently, as wide as before
    if (m_valueWidths && topLeft.parent().isValid()
        && topLeft.column() <= ProfileGridModel::ValueColumn
        && bottomRight.column() >= ProfileGridModel::ValueColumn) {
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
            measureValue(topLeft.siblingAtRow(row).siblingAtColumn(ProfileGridModel::ValueColumn));
    }
    restretchSoon();
}

void ProfileGrid::restretchSoon()
{
    // One layout for a whole walk of the table, not one per value posted.
    if (std::exchange(m_restretchDue, true))
        return;
    QMetaObject::invokeMethod(
            this,
            [this] {
                m_restretchDue = false;
                updateGeometry(); // the values' width is part of the grid's smallest width
                stretchColumns();
            },
            Qt::QueuedConnection);
}

void ProfileGrid::stretchColumns()
{
    m_stretching = true;
    const int width = viewport()->width();
    // The values show in full; the captions give way and are cut short.
    const int least = std::min(LeastParameterWidth, width / 2);
    const int wanted = std::max(qRound(width * m_parameterShare), least);
    const int parameter = std::clamp(width - valueContentWidth(), least, wanted);
    header()->resizeSection(ProfileGridModel::ParameterColumn, parameter);
    header()->resizeSection(ProfileGridModel::ValueColumn, width - parameter);
    m_stretching = false;
}

void ProfileGrid::keepProportion(int logicalIndex)
{
    // The user dragged the caption column's edge: the value column takes the rest.
    if (m_stretching || logicalIndex != ProfileGridModel::ParameterColumn)
        return;
    const int width = viewport()->width();
    if (width <= 0)
        return;
    m_parameterShare
            = qBound(0.05, double(header()->sectionSize(ProfileGridModel::ParameterColumn)) / width,
                     0.95);
    stretchColumns();
}

QList<int> ProfileGrid::columnWidths() const
{
    return {header()->sectionSize(ProfileGridModel::ParameterColumn),
            header()->sectionSize(ProfileGridModel::ValueColumn)};
}

void ProfileGrid::setColumnWidths(const QList<int> &widths)
{
    if (widths.size() != 2 || widths[0] <= 0 || widths[1] <= 0)
        return;
    m_parameterShare = qBound(0.05, double(widths[0]) / (double(widths[0]) + widths[1]), 0.95);
    stretchColumns();
}

QStringList ProfileGrid::collapsedSections() const
{
    QStringList sections;
    for (int row = 0; row < m_proxy->rowCount(); ++row) {
        const QModelIndex section = m_proxy->index(row, 0);
        if (!isExpanded(section))
            sections << section.data().toString();
    }
    return sections;
}

void ProfileGrid::setCollapsedSections(const QStringList &sections)
{
    for (int row = 0; row < m_proxy->rowCount(); ++row) {
        const QModelIndex section = m_proxy->index(row, 0);
        setExpanded(section, !sections.contains(section.data().toString()));
    }
}

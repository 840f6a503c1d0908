#include "app/ValueHistory.h"

#include "app/SetValueCommand.h"
#include "base/ErrorReport.h"
#include "editors/ProfileGrid.h"
#include "style/StyleDocument.h"

#include <QAction>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScopedValueRollback>

ValueHistory::ValueHistory(StyleDocument *document, ProfileGrid *grid, QObject *parent)
    : QObject(parent), m_document(document), m_grid(grid)
{
    m_undo = new QAction(QIcon(QStringLiteral(":/icons/undo.svg")), tr("Undo"), this);
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = new QAction(QIcon(QStringLiteral(":/icons/redo.svg")), tr("Redo"), this);
    m_redo->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_reset = new QAction(tr("Reset to default"), this);
    m_reset->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    m_reset->setStatusTip(tr("Give the selected parameter the profile's default value"));
    m_resetAll = new QAction(tr("Reset all to defaults..."), this);
    m_resetAll->setStatusTip(tr("Give every parameter the profile's default value"));

    connect(m_undo, &QAction::triggered, this, &ValueHistory::undo);
    connect(m_redo, &QAction::triggered, this, &ValueHistory::redo);
    connect(m_reset, &QAction::triggered, this, &ValueHistory::resetCurrent);
    connect(m_resetAll, &QAction::triggered, this, &ValueHistory::resetAll);
    connect(&m_stack, &QUndoStack::indexChanged, this, &ValueHistory::updateActions);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &ValueHistory::updateActions);
    updateActions();

    connect(&document->table(), &ParameterTable::valuePosted, this, &ValueHistory::record);
    connect(document, &StyleDocument::stateChanged, this, [this] {
        if (!m_document->isModified() && !m_inBulk)
            m_stack.clear();
    });

    confirmResetAll = [this] {
        return QMessageBox::question(m_grid->window(), m_grid->window()->windowTitle(),
                                     tr("Give every parameter the profile's default value?"))
               == QMessageBox::Yes;
    };
}

void ValueHistory::record(int recordIndex, const QString &oldValue)
{
    // Bulk work (loading, New) is not a user's change; undo and redo replay history.
    if (!m_document->isTableReady() || m_replaying)
        return;
    const QString newValue = m_document->table().record(recordIndex).value();
    if (newValue != oldValue)
        m_stack.push(new SetValueCommand(&m_document->table(), recordIndex, oldValue, newValue));
}

void ValueHistory::replay(void (QUndoStack::*step)())
{
    const ScopedFlag replaying(m_replaying, true);
    (m_stack.*step)();
}

void ValueHistory::undo()
{
    replay(&QUndoStack::undo);
}

void ValueHistory::redo()
{
    replay(&QUndoStack::redo);
}

void ValueHistory::resetCurrent()
{
    const int index = m_grid->currentRecord();
    if (index < 0)
        return;
    ParameterTable &table = m_document->table();
    table.setValue(index, table.profileDefault(index));
}

void ValueHistory::resetAll()
{
    const ParameterTable &table = m_document->table();
    QList<std::pair<int, QString>> defaults;
    for (int i = 0; i < table.count(); ++i) {
        if (table.differsFromProfile(i))
            defaults.append({i, table.profileDefault(i)});
    }
    if (defaults.isEmpty() || !confirmResetAll())
        return;
    postValues(defaults, tr("Reset all values"));
}

void ValueHistory::postValues(const QList<std::pair<int, QString>> &values, const QString &text)
{
    if (values.isEmpty())
        return;
    ParameterTable &table = m_document->table();
    {
        const ScopedFlag filling = m_document->fillingTable();
        m_stack.beginMacro(text);
        const auto macro = qScopeGuard([this] { m_stack.endMacro(); });
        for (const auto &[index, value] : values) {
            const QString oldValue = table.record(index).value();
            table.setValue(index, value);
            m_stack.push(new SetValueCommand(&table, index, oldValue, table.record(index).value()));
        }
    }
    m_document->saveStyleValues(m_document->styleTxtPath());
}

void ValueHistory::recordBulk(const QString &text, const std::function<void()> &work)
{
    ParameterTable &table = m_document->table();
    QStringList before;
    for (int i = 0; i < table.count(); ++i)
        before.append(table.record(i).value());
    {
        // The work turns the document unmodified, but the steps before it stay.
        const QScopedValueRollback inBulk(m_inBulk, true);
        work();
    }
    QList<int> changed;
    for (int i = 0; i < table.count(); ++i) {
        if (table.record(i).value() != before[i])
            changed.append(i);
    }
    if (changed.isEmpty())
        return;
    m_stack.beginMacro(text);
    for (int i : changed)
        m_stack.push(new SetValueCommand(&table, i, before[i], table.record(i).value()));
    m_stack.endMacro();
}

void ValueHistory::updateActions()
{
    m_undo->setEnabled(m_stack.canUndo());
    m_undo->setToolTip(m_stack.canUndo() ? tr("Undo %1").arg(m_stack.undoText()) : tr("Undo"));
    m_redo->setEnabled(m_stack.canRedo());
    m_redo->setToolTip(m_stack.canRedo() ? tr("Redo %1").arg(m_stack.redoText()) : tr("Redo"));
}

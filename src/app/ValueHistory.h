#pragma once

#include <QList>
#include <QObject>
#include <QUndoStack>

#include <functional>
#include <utility>

class QAction;
class ProfileGrid;
class StyleDocument;

// The undo history of the parameter values and the commands that work on
// it: Undo, Redo, Reset to default (current row) and Reset all. Every value
// posted while the table is ready is recorded, whoever posted it; opening,
// New and saving (the document turning unmodified) clear the history, reading
// the document's file anew after another program changed it does not.
class ValueHistory : public QObject
{
    Q_OBJECT

public:
    ValueHistory(StyleDocument *document, ProfileGrid *grid, QObject *parent = nullptr);

    QUndoStack *stack() { return &m_stack; }

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    QAction *resetAction() const { return m_reset; }
    QAction *resetAllAction() const { return m_resetAll; }

    // Asks before Reset all; replaceable so that tests need no message box.
    std::function<bool()> confirmResetAll;

    void undo();
    void redo();
    void resetCurrent();
    void resetAll();
    // Gives several parameters (table indexes) new values as one step in the
    // history, with one write of style.txt.
    void postValues(const QList<std::pair<int, QString>> &values, const QString &text);
    // Runs work that replaces the values in bulk (reading the document's
    // file anew) and records what it changed as one step, which Undo takes back.
    void recordBulk(const QString &text, const std::function<void()> &work);

private:
    void record(int recordIndex, const QString &oldValue);
    void replay(void (QUndoStack::*step)());
    void updateActions();

    StyleDocument *m_document;
    ProfileGrid *m_grid;
    QUndoStack m_stack;
    bool m_replaying = false;
    bool m_inBulk = false; // recordBulk's work runs
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_reset;
    QAction *m_resetAll;
};

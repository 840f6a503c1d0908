#pragma once

#include <QUndoCommand>

class ParameterTable;

// One change of a parameter's value on the undo stack. It is recorded after
// the value was posted; undo and redo post the old or new value again, with
// all the effects of any other post.
class SetValueCommand : public QUndoCommand
{
public:
    SetValueCommand(ParameterTable *table, int recordIndex, const QString &oldValue,
                    const QString &newValue, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    void post(const QString &value);

    ParameterTable *m_table;
    int m_recordIndex;
    QString m_oldValue;
    QString m_newValue;
    bool m_posted = true; // the first redo, on push, finds the value already posted
};

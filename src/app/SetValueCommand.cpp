#include "app/SetValueCommand.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "params/ParameterTable.h"

#include <QCoreApplication>

SetValueCommand::SetValueCommand(ParameterTable *table, int recordIndex, const QString &oldValue,
                                 const QString &newValue, QUndoCommand *parent)
    : QUndoCommand(parent), m_table(table), m_recordIndex(recordIndex), m_oldValue(oldValue),
      m_newValue(newValue)
{
    setText(QCoreApplication::translate("SetValueCommand", "Set %1 to \"%2\"")
                    .arg(SystemText::displayed(table->record(recordIndex).caption()),
                         SystemText::displayed(newValue)));
}

void SetValueCommand::undo()
{
    post(m_oldValue);
}

void SetValueCommand::redo()
{
    if (std::exchange(m_posted, false))
        return;
    post(m_newValue);
}

void SetValueCommand::post(const QString &value)
{
    // A failed style.txt write is reported; the value is posted all the same.
    ErrorReport::guard([&] { m_table->setValue(m_recordIndex, value); });
}

#include "params/ParameterTable.h"

void ParameterTable::append(const ParameterRecord &record)
{
    m_records.append(record);
    m_profileDefaults.append(record.value());
    const int index = count() - 1;
    emit recordAppended(index);
    emit afterPost();
}

void ParameterTable::setValue(int index, const QString &value)
{
    ParameterRecord &record = m_records[index];
    const QString before = record.value();
    record.setValue(value);
    if (record.value() != before && !controlsDisabled())
        emit valueChanged(index);
    emit valuePosted(index, before);
    emit afterPost();
}

void ParameterTable::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    m_current = index;
    emit currentChanged(index);
}

void ParameterTable::enableControls()
{
    if (m_disabled > 0 && --m_disabled == 0)
        emit controlsEnabled();
}

int ParameterTable::indexOfKey(const QString &key) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_records[i].name() == key)
            return i;
    }
    return -1;
}

QList<int> ParameterTable::recordsOfKeys(const QStringList &keys) const
{
    QList<int> found;
    for (const QString &key : keys) {
        for (int i = 0; i < count(); ++i) {
            if (m_records[i].name().compare(key, Qt::CaseInsensitive) == 0) {
                if (!found.contains(i))
                    found.append(i);
                break;
            }
        }
    }
    return found;
}

#include "params/ParameterTable.h"

void ParameterTable::append(const ParameterRecord &record)
{
    m_records.append(record);
    m_profileDefaults.append(record.value());
    m_current = int(m_records.size()) - 1;
    m_eof = false;
    emit recordAppended(m_current);
    emit afterPost();
}

void ParameterTable::moveTo(int index)
{
    m_current = index;
    m_eof = false;
    emit afterScroll();
}

void ParameterTable::setRecNo(int recNo)
{
    if (recNo >= 1 && recNo <= count())
        moveTo(recNo - 1);
}

void ParameterTable::first()
{
    if (m_records.isEmpty()) {
        m_eof = true;
        return;
    }
    moveTo(0);
}

void ParameterTable::next()
{
    if (m_current + 1 >= count()) {
        m_eof = true;
        return;
    }
    moveTo(m_current + 1);
}

void ParameterTable::postValue(const QString &value)
{
    ParameterRecord &record = m_records[m_current];
    const QString before = record.value();
    record.setValue(value);
    if (record.value() != before && !controlsDisabled())
        emit valueChanged(m_current);
    emit valuePosted(m_current, before);
    emit afterPost();
}

void ParameterTable::enableControls()
{
    if (m_disabled > 0 && --m_disabled == 0)
        emit controlsEnabled();
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

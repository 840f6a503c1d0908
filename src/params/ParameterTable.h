#pragma once

#include "params/ParameterRecord.h"

#include <QObject>
#include <QVector>

// The in-memory table of parameter records, in profile order, with a current
// row. Records are only appended while the profile loads; afterwards only
// their values change, one post at a time.
class ParameterTable : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    int count() const { return int(m_records.size()); }
    const ParameterRecord &record(int index) const { return m_records[index]; }
    // The value the profile gave the record when it was appended.
    const QString &profileDefault(int index) const { return m_profileDefaults[index]; }
    bool differsFromProfile(int index) const { return m_records[index].value() != m_profileDefaults[index]; }
    // The records of these keys, in the keys' order, each once; keys match
    // in any letter case, as style files name them, and unknown ones are left out.
    QList<int> recordsOfKeys(const QStringList &keys) const;

    // Appends a record, makes it the current row and posts it.
    void append(const ParameterRecord &record);

    // The current row, 1-based; 0 when the table is empty.
    int recNo() const { return m_records.isEmpty() ? 0 : m_current + 1; }
    // Moves to a 1-based row; a position outside the table is ignored.
    void setRecNo(int recNo);
    int currentIndex() const { return m_records.isEmpty() ? -1 : m_current; }
    const ParameterRecord &current() const { return m_records[m_current]; }

    void first();
    void next();
    bool eof() const { return m_eof; }

    // Puts the current row into edit mode, assigns its value and posts it.
    void postValue(const QString &value);

    // While disabled, views are not told about value changes; they catch up
    // when the last enable comes.
    void disableControls() { ++m_disabled; }
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    void recordAppended(int index);
    void valueChanged(int index);
    // Every post of a value, changed or not, before the after-post notification.
    void valuePosted(int index, const QString &oldValue);
    void controlsEnabled();
    void afterPost();
    void afterScroll();

private:
    void moveTo(int index);

    QVector<ParameterRecord> m_records;
    QVector<QString> m_profileDefaults;
    int m_current = 0;
    bool m_eof = true;
    int m_disabled = 0;
};

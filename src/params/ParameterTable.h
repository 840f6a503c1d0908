#pragma once

#include "params/ParameterRecord.h"

#include <QObject>
#include <QVector>

// The in-memory table of parameter records, in profile order. Records are
// only appended while the profile loads; afterwards only their values change,
// one post at a time. The table also keeps the row the grid shows as current,
// for those that follow it (status bar, help panel, value popups); only the
// grid moves it.
class ParameterTable : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    int count() const { return int(m_records.size()); }
    const ParameterRecord &record(int index) const { return m_records[index]; }
    // The value the profile gave the record when it was appended.
    const QString &profileDefault(int index) const { return m_profileDefaults[index]; }
    bool differsFromProfile(int index) const
    {
        return m_records[index].value() != m_profileDefaults[index];
    }
    // The first record whose key equals key exactly; -1 when there is none.
    int indexOfKey(const QString &key) const;
    // The records of these keys, in the keys' order, each once; keys match
    // in any letter case, as style files name them, and unknown ones are left out.
    QList<int> recordsOfKeys(const QStringList &keys) const;

    // Appends a record and posts it; the first record becomes the current row.
    void append(const ParameterRecord &record);
    // Assigns a record's value and posts it; a post of the same value is still a post.
    void setValue(int index, const QString &value);

    // The current row; -1 when the table is empty.
    int currentIndex() const { return m_records.isEmpty() ? -1 : m_current; }
    // Moves the current row; an index outside the table is ignored.
    void setCurrentIndex(int index);
    const ParameterRecord &current() const { return m_records[m_current]; }

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
    void currentChanged(int index);

private:
    QVector<ParameterRecord> m_records;
    QVector<QString> m_profileDefaults;
    int m_current = 0;
    int m_disabled = 0;
};

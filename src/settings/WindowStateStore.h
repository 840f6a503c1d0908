#pragma once

#include "settings/FormPlacement.h"
#include "settings/StoredValue.h"

#include <QList>
#include <QStringList>
#include <QVariant>

// A window's settings store: the placement of FormPlacement plus stored
// properties of the window's components and named stored values.
class WindowStateStore : public FormPlacement
{
    Q_OBJECT

public:
    using FormPlacement::FormPlacement;

    // "Component.Property" entries: a property of a child object of the
    // window, stored under "Component_Property". Booleans are "True"/"False".
    const QStringList &storedProperties() const { return m_storedProperties; }
    void setStoredProperties(const QStringList &entries) { m_storedProperties = entries; }
    // After a restore every value holds text.
    const QList<StoredValue> &storedValues() const { return m_storedValues; }
    void setStoredValues(const QList<StoredValue> &values) { m_storedValues = values; }
    void addStoredValue(const StoredValue &value) { m_storedValues.append(value); }

    // The Value of the item named name (any letter case); null when there is none.
    QVariant readStoredValue(const QString &name) const;
    // Sets the item's Value in memory, adding an item without key string when
    // there is none; the settings receive it at the next save.
    void writeStoredValue(const QString &name, const QVariant &value);

protected:
    void restoreStored(SettingsBackingStore &store) override;
    void saveStored(SettingsBackingStore &store) override;

private:
    qsizetype indexOf(const QString &name) const;
    void restoreProperties(SettingsBackingStore &store);
    void saveProperties(SettingsBackingStore &store);

    QStringList m_storedProperties;
    QList<StoredValue> m_storedValues;
};

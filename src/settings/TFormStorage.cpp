#include "settings/TFormStorage.h"

#include "base/EditorError.h"
#include "settings/SettingsBackingStore.h"
#include "settings/StoredValueScrambler.h"

#include <QMetaObject>

#include <optional>

namespace {

// One resolved "Component.Property" entry.
struct StoredProperty
{
    QObject *component = nullptr;
    QMetaProperty property;
    QString valueName;
};

std::optional<StoredProperty> resolve(QObject *form, const QString &entry)
{
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return std::nullopt;
    const QString componentName = entry.left(dot).trimmed();
    const QString propertyName = entry.mid(dot + 1).trimmed();
    if (componentName.isEmpty() || propertyName.isEmpty())
        return std::nullopt;
    QObject *component = form->findChild<QObject *>(componentName);
    if (!component)
        return std::nullopt;
    const QMetaObject *meta = component->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(propertyName, Qt::CaseInsensitive) == 0)
            return StoredProperty{component, property, componentName + QLatin1Char('_') + propertyName};
    }
    return std::nullopt;
}

bool isBoolean(const QMetaProperty &property)
{
    return property.metaType().id() == QMetaType::Bool;
}

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString storedText(const TStoredValue &item)
{
    const QString text = item.text();
    return item.KeyString.isEmpty() ? text : StoredValueScrambler::scramble(text, item.KeyString);
}

} // namespace

QVariant TFormStorage::ReadStoredValue(const QString &name) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? QVariant() : StoredValues[i].Value;
}

void TFormStorage::WriteStoredValue(const QString &name, const QVariant &value)
{
    if (const qsizetype i = indexOf(name); i >= 0)
        StoredValues[i].Value = value;
    else
        StoredValues.append(TStoredValue(name, value));
}

int TFormStorage::ReadStoredInteger(const QString &name) const
{
    const qsizetype i = indexOf(name);
    if (i < 0)
        return 0;
    bool ok = false;
    const int value = StoredValues[i].text().toInt(&ok, 10);
    return ok ? value : StoredValues[i].DesignValue.toInt();
}

qsizetype TFormStorage::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < StoredValues.size(); ++i) {
        if (StoredValues[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TFormStorage::restoreStored(SettingsBackingStore &store)
{
    restoreProperties(store);
    for (TStoredValue &item : StoredValues) {
        QString text = store.ReadText(IniSection, item.Name, storedText(item));
        if (!item.KeyString.isEmpty())
            text = StoredValueScrambler::unscramble(text, item.KeyString);
        item.Value = text;
    }
}

void TFormStorage::saveStored(SettingsBackingStore &store)
{
    saveProperties(store);
    for (const TStoredValue &item : StoredValues)
        store.WriteText(IniSection, item.Name, storedText(item));
}

void TFormStorage::restoreProperties(SettingsBackingStore &store)
{
    for (const QString &entry : StoredProps) {
        const std::optional<StoredProperty> stored = resolve(window()->form(), entry);
        if (!stored)
            continue;
        // A value that cannot be read or applied leaves the property as it is.
        try {
            const QVariant current = window()->readProperty(stored->component, stored->property);
            if (isBoolean(stored->property)) {
                const QString text = store.ReadText(IniSection, stored->valueName, booleanText(current.toBool())).trimmed();
                if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                    stored->property.write(stored->component, true);
                else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                    stored->property.write(stored->component, false);
            } else {
                const QString text = store.ReadText(IniSection, stored->valueName, current.toString()).trimmed();
                stored->property.write(stored->component, text);
            }
        } catch (const EditorError &) {
        }
    }
}

void TFormStorage::saveProperties(SettingsBackingStore &store)
{
    for (const QString &entry : StoredProps) {
        const std::optional<StoredProperty> stored = resolve(window()->form(), entry);
        if (!stored)
            continue;
        const QVariant value = window()->readProperty(stored->component, stored->property);
        store.WriteText(IniSection, stored->valueName,
                        isBoolean(stored->property) ? booleanText(value.toBool()) : value.toString().trimmed());
    }
}

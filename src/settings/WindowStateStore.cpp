#include "settings/WindowStateStore.h"

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
            return StoredProperty{component, property,
                                  componentName + QLatin1Char('_') + propertyName};
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

QString storedText(const StoredValue &item)
{
    const QString text = item.text();
    return item.keyString.isEmpty() ? text : StoredValueScrambler::scramble(text, item.keyString);
}

} // namespace

QVariant WindowStateStore::readStoredValue(const QString &name) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? QVariant() : m_storedValues[i].value;
}

void WindowStateStore::writeStoredValue(const QString &name, const QVariant &value)
{
    if (const qsizetype i = indexOf(name); i >= 0)
        m_storedValues[i].value = value;
    else
        m_storedValues.append(StoredValue(name, value));
}

qsizetype WindowStateStore::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_storedValues.size(); ++i) {
        if (m_storedValues[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void WindowStateStore::restoreStored(SettingsBackingStore &store)
{
    restoreProperties(store);
    for (StoredValue &item : m_storedValues) {
        QString text = store.readText(section(), item.name, storedText(item));
        if (!item.keyString.isEmpty())
            text = StoredValueScrambler::unscramble(text, item.keyString);
        item.value = text;
    }
}

void WindowStateStore::saveStored(SettingsBackingStore &store)
{
    saveProperties(store);
    for (const StoredValue &item : m_storedValues)
        store.writeText(section(), item.name, storedText(item));
}

void WindowStateStore::restoreProperties(SettingsBackingStore &store)
{
    for (const QString &entry : m_storedProperties) {
        const std::optional<StoredProperty> stored = resolve(window()->form(), entry);
        if (!stored)
            continue;
        // A value that cannot be read or applied leaves the property as it is.
        try {
            const QVariant current = window()->readProperty(stored->component, stored->property);
            if (isBoolean(stored->property)) {
                const QString text = store.readText(section(), stored->valueName,
                                                    booleanText(current.toBool()))
                                             .trimmed();
                if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                    stored->property.write(stored->component, true);
                else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                    stored->property.write(stored->component, false);
            } else {
                const QString text
                        = store.readText(section(), stored->valueName, current.toString()).trimmed();
                stored->property.write(stored->component, text);
            }
        } catch (const EditorError &) {}
    }
}

void WindowStateStore::saveProperties(SettingsBackingStore &store)
{
    for (const QString &entry : m_storedProperties) {
        const std::optional<StoredProperty> stored = resolve(window()->form(), entry);
        if (!stored)
            continue;
        const QVariant value = window()->readProperty(stored->component, stored->property);
        store.writeText(section(), stored->valueName,
                        isBoolean(stored->property) ? booleanText(value.toBool())
                                                    : value.toString().trimmed());
    }
}

#pragma once

#include <QString>
#include <QVariant>

// One named value of a settings store. Value is what the program reads and
// writes; after a restore it holds the stored text. designValue keeps the
// value the item was created with.
struct StoredValue
{
    StoredValue(const QString &name, const QVariant &value, const QString &keyString = QString())
        : name(name), value(value), keyString(keyString), designValue(value)
    {
    }

    QString name;      // unique in its store, compared without regard to letter case
    QVariant value;    // empty, integer, floating-point number or text
    QString keyString; // when not empty, the value is scrambled with it in the store
    QVariant designValue;

    // Value as text: whole numbers without a fraction, empty for no value.
    QString text() const;
};

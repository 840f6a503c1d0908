#pragma once

#include <QString>
#include <QVariant>

// One named value of a settings store. Value is what the program reads and
// writes; after a restore it holds the stored text. DesignValue keeps the
// value the item was created with.
struct TStoredValue
{
    TStoredValue(const QString &name, const QVariant &value, const QString &keyString = QString())
        : Name(name), Value(value), KeyString(keyString), DesignValue(value)
    {
    }

    QString Name;      // unique in its store, compared without regard to letter case
    QVariant Value;    // empty, integer, floating-point number or text
    QString KeyString; // when not empty, the value is scrambled with it in the store
    QVariant DesignValue;

    // Value as text: whole numbers without a fraction, empty for no value.
    QString text() const;
};

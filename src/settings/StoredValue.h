#pragma once

#include <QString>
#include <QVariant>

// One named value of a settings store. Value is what the program reads and
// writes; after a restore it holds the stored text.
struct StoredValue
{
    StoredValue(const QString &name, const QVariant &value, const QString &keyString = QString())
        : name(name), value(value), keyString(keyString)
    {}

    QString name;      // unique in its store, compared without regard to letter case
    QVariant value;    // empty, integer, floating-point number or text
    QString keyString; // when not empty, the value is scrambled with it in the store

    // Value as text: whole numbers without a fraction, empty for no value.
    QString text() const;
};

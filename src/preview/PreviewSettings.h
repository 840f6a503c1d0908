#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QVariant>

#include <functional>

// The four preview settings the Options dialog edits and the main window's
// settings keep: the chart movie, the size of the movie area and the data
// file handed to the movie. Sizes are whole pixels within the range Options
// allows, however they were stored.
class PreviewSettings
{
public:
    static constexpr int MinimumSize = 10;
    static constexpr int MaximumSize = 3000;

    enum class Item { MovieFile, Width, Height, DataFile };
    static const QList<Item> &items();
    // The item's value name in the settings.
    static QString storedName(Item item);
    // The key string the item is scrambled with in the settings. It never
    // changes: a value scrambled with one key reads back as other text with another.
    static QString scrambleKey(Item item);

    // A stored value by its name: text after a restore, a number after Options.
    using StoredValueReader = std::function<QVariant(const QString &name)>;
    // The settings as stored. A size that is no decimal number takes its
    // default; any other is rounded and brought into the range.
    static PreviewSettings read(const StoredValueReader &storedValue);

    // The defaults: trevix.swf, 400 x 300 and data.txt.
    PreviewSettings() = default;
    // The size brought into the range.
    PreviewSettings(const QString &movieFile, QSize size, const QString &dataFile);

    QString movieFile() const { return m_movieFile; }
    QSize size() const { return m_size; }
    QString dataFile() const { return m_dataFile; }
    // The value to store for the item: a text, or a whole number for a size.
    QVariant storedValue(Item item) const;

    friend bool operator==(const PreviewSettings &, const PreviewSettings &) = default;

private:
    QString m_movieFile = QStringLiteral("trevix.swf");
    QSize m_size{400, 300};
    QString m_dataFile = QStringLiteral("data.txt");
};

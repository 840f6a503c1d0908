#pragma once

#include <QObject>
#include <QStringList>

class SettingsBackingStore;

// The recent-files list: the last opened file names, most recent first. The
// menus show one command per entry (TTBMRUListItem) captioned "&1 name",
// "&2 name", ...; choosing one moves it to the top and raises OnClick.
class TTBMRUList : public QObject
{
    Q_OBJECT

public:
    explicit TTBMRUList(QObject *parent = nullptr);

    QStringList Items() const { return m_items; }
    int MaxItems = 5;
    QString Prefix = QStringLiteral("MRU"); // value names in the store: Prefix + position from 1

    // Puts a file name, as passed, at the top. An entry equal to it without
    // regard to letter case moves up and takes the name as passed.
    void AddFile(const QString &Filename);
    // Deletes every entry, from the last.
    void Clear();
    // Chooses the command at position (from 0): moves it to the top and raises OnClick.
    void Click(int position);
    // The caption of the command at position: "&1 name" to "&9 name", "&A name" to "&Z name", then the name alone.
    QString caption(int position) const;

    // Replaces the entries by the values Prefix + 1 .. Prefix + MaxItems of the section.
    void LoadFromStore(SettingsBackingStore &store, const QString &section);
    // Writes the entries as those values and removes the ones beyond the last entry.
    void SaveToStore(SettingsBackingStore &store, const QString &section) const;

signals:
    void OnClick(const QString &Filename);
    // After every change of Items; trimming to MaxItems is a change of its own.
    void OnChange();

private:
    void insert(qsizetype position, const QString &name);
    void remove(qsizetype position);
    void changed();

    QStringList m_items;
};

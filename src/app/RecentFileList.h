#pragma once

#include <QObject>
#include <QStringList>

class SettingsBackingStore;

// The recent-files list: the last opened file names, most recent first. The
// menus show one command per entry (RecentFilesMenu) captioned "&1 name",
// "&2 name", ...; choosing one moves it to the top and raises clicked.
class RecentFileList : public QObject
{
    Q_OBJECT

public:
    explicit RecentFileList(QObject *parent = nullptr);

    QStringList items() const { return m_items; }
    // The list keeps this many entries, the oldest going first.
    int maxItems() const { return m_maxItems; }
    void setMaxItems(int maxItems);

    // Puts a file name, as passed, at the top. An entry that names the same
    // file as the file system compares names (letter case counts except on
    // Windows and macOS) moves up and takes the name as passed.
    void addFile(const QString &fileName);
    // Deletes every entry, from the last.
    void clear();
    // Chooses the command at position (from 0): moves it to the top and raises clicked.
    void click(int position);
    // The caption of the command at position: "&1 name" to "&9 name", "&A name"
    // to "&Z name", then the name alone; an "&" of the name shows as itself.
    QString caption(int position) const;

    // Replaces the entries by the values MRU1 .. MRU<maxItems> of the section.
    void loadFromStore(SettingsBackingStore &store, const QString &section);
    // Writes the entries as those values and removes the ones beyond the last entry.
    void saveToStore(SettingsBackingStore &store, const QString &section) const;

signals:
    void clicked(const QString &fileName);
    // After every change of the entries; trimming to maxItems is a change of its own.
    void changed();

private:
    void insert(qsizetype position, const QString &name);
    void remove(qsizetype position);
    void notifyChanged();

    QStringList m_items;
    int m_maxItems = 5;
};

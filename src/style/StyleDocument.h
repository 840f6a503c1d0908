#pragma once

#include "base/ScopedFlag.h"
#include "params/ParameterTable.h"
#include "xml/ProfileXmlReader.h"

#include <QObject>
#include <QString>

#include <functional>

class QIODevice;

// The editor's document without any window: the profile reader, the
// parameter table with its values, the style file it came from and the
// state flags that coordinate bulk work on the table.
class StyleDocument : public QObject
{
    Q_OBJECT

public:
    explicit StyleDocument(QObject *parent = nullptr);

    // Reads a profile and appends one record per parameter, numbered from 1,
    // then makes the first record current and the table ready. Meant for the
    // empty table of a new document. A profile that cannot be read throws
    // and leaves the table not ready.
    void loadProfile(const QString &fileName);
    void loadProfile(QIODevice *stream);

    ParameterTable &table() { return m_table; }
    const ParameterTable &table() const { return m_table; }
    // The tree of the last profile read.
    const ProfileXmlReader &profileReader() const { return m_reader; }
    // The id the next record would get: one above the last one given.
    qint32 nextId() const { return m_nextId; }

    // False while the table is rewritten in bulk: its posts then neither
    // write style.txt nor count as the user's edits.
    bool isTableReady() const { return m_tableReady; }
    // The table is rewritten in bulk for as long as the result lives.
    [[nodiscard]] ScopedFlag fillingTable() { return ScopedFlag(m_tableReady, false); }
    // True while a popup writes its result into the table.
    bool isInValueEditor() const { return m_inValueEditor; }
    // A popup writes into the table for as long as the result lives.
    [[nodiscard]] ScopedFlag writingFromPopup() { return ScopedFlag(m_inValueEditor, true); }

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);
    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // The application directory, ending with a separator.
    QString appDir() const { return m_appDir; }
    void setAppDir(const QString &appDir) { m_appDir = appDir; }
    QString styleTxtPath() const { return m_appDir + QStringLiteral("style.txt"); }

    // The value of the first parameter whose key equals name (case-sensitive);
    // empty when no parameter has that key.
    QString paramValue(const QString &name) const;
    void clearValues();

    // Replaces every value by the file's; a parameter the file does not name
    // becomes empty. Throws "Cannot open file %s" before touching the table.
    // False when the file holds no "&name=value" line at all.
    bool loadStyleValues(const QString &fileName);
    // Writes every parameter that has a value, then asks for a preview refresh.
    void saveStyleValues(const QString &fileName);
    // The lines Save writes: one per parameter whose value (as valueOf gives
    // it) has a value, in the profile's order.
    QStringList styleLines(const std::function<QString(const ParameterRecord &)> &valueOf) const;
    void valuePosted();

signals:
    // A style file was written: the preview should reload.
    void refreshRequested();
    // m_modified or m_fileName changed.
    void stateChanged();
    // Every value was replaced by a style file's, or emptied.
    void valuesLoaded(const QString &fileName);
    void valuesCleared();
    // The values were written to a style file.
    void valuesSaved(const QString &fileName);

private:
    // Appends one record per element below item whose parent's text is
    // neither empty nor "root", depth first, an element before its children.
    void loadProfileItem(XmlItem *item, const QString &group);
    // The table filled from the tree just read.
    void fillTable();
    // Gives every record the value valueOf returns for it, as one bulk change.
    void setAllValues(const std::function<QString(const ParameterRecord &)> &valueOf);

    ProfileXmlReader m_reader;
    ParameterTable m_table;

    qint32 m_nextId = 0;
    bool m_tableReady = false;
    bool m_inValueEditor = false;
    QString m_fileName;
    bool m_modified = false;
    QString m_appDir;
};

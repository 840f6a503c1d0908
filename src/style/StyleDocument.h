#pragma once

#include "params/ParameterTable.h"
#include "xml/TECXMLParser.h"

#include <QObject>
#include <QString>

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

    ParameterTable &table() { return XMLMemoryData; }
    const ParameterTable &table() const { return XMLMemoryData; }
    // The tree of the last profile read.
    const TECXMLParser &profileReader() const { return XML; }
    // The id the next record would get: one above the last one given.
    qint32 nextId() const { return FNextId; }

    // False while the table is rewritten in bulk: its posts then neither
    // write style.txt nor move the views that follow the current record.
    bool isTableReady() const { return FTableReady; }
    void setTableReady(bool ready) { FTableReady = ready; }
    // True while a popup writes its result into the table.
    bool isInValueEditor() const { return FInValueEditor; }
    void setInValueEditor(bool inEditor) { FInValueEditor = inEditor; }

    QString fileName() const { return FFileName; }
    void setFileName(const QString &fileName);
    bool isModified() const { return FModified; }
    void setModified(bool modified);

    // The application directory, ending with a separator.
    QString appDir() const { return FAppDir; }
    void setAppDir(const QString &appDir) { FAppDir = appDir; }
    QString styleTxtPath() const { return FAppDir + QStringLiteral("style.txt"); }

    // The value of the first parameter whose key equals name (case-sensitive);
    // empty when no parameter has that key.
    QString GetParamValue(const QString &name);
    void ClearValues();

    // Replaces every value by the file's; a parameter the file does not name
    // becomes empty. Throws "Cannot open file %s" before touching the table.
    void LoadStyleValues(const QString &fileName);
    // Writes every parameter that has a value, then asks for a preview refresh.
    void SaveStyleValues(const QString &fileName);
    void XMLMemoryDataAfterPost();

signals:
    // A style file was written: the preview should reload.
    void refreshRequested();
    // FModified or FFileName changed.
    void stateChanged();
    // Every value was replaced by a style file's, or emptied.
    void valuesLoaded(const QString &fileName);
    void valuesCleared();
    // The values were written to a style file.
    void valuesSaved(const QString &fileName);

private:
    // Appends one record per element below item whose parent's text is
    // neither empty nor "root", depth first, an element before its children.
    void LoadProfileItem(TXMLItem *item, const QString &group);
    // The table filled from the tree just read.
    void fillTable();

    TECXMLParser XML;
    ParameterTable XMLMemoryData;

    qint32 FNextId = 0;
    bool FTableReady = false;
    bool FInValueEditor = false;
    QString FFileName;
    bool FModified = false;
    QString FAppDir;
};

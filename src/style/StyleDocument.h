#pragma once

#include "params/ParameterTable.h"
#include "xml/TECXMLParser.h"

#include <QObject>
#include <QString>

// The editor's document without any window: the profile reader, the
// parameter table with its values, the style file it came from and the
// state flags that coordinate bulk work on the table.
class StyleDocument : public QObject
{
    Q_OBJECT

public:
    explicit StyleDocument(QObject *parent = nullptr);

    TECXMLParser XML;
    ParameterTable XMLMemoryData;

    qint32 FNextId = 0;
    bool FTableReady = false;
    bool FInValueEditor = false;
    QString FFileName;
    bool FModified = false;
    QString FAppDir; // the application directory, ending with a separator

    // Appends one record per element below item whose parent's text is
    // neither empty nor "root", depth first, an element before its children.
    void LoadProfileItem(TXMLItem *item, const QString &group);
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

    QString styleTxtPath() const { return FAppDir + QStringLiteral("style.txt"); }

    void setFileName(const QString &fileName);
    void setModified(bool modified);

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
};

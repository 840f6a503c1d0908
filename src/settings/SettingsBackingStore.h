#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The per-user store below HKEY_CURRENT_USER: the registry on Windows, one
// INI file per user elsewhere ($XDG_CONFIG_HOME/Melbrin/TrevixStyleEditor.conf),
// whose groups are the registry's key paths (see IniTextFormat). Every value
// is text.
//
// A store object is one open handle on the key iniFileName (for example
// "SOFTWARE"); sections are key paths below it such as
// "Melbrin\TrevixStyleEditor\ReopenList". Writes reach the disk when the
// handle is closed (close() or destruction).
class SettingsBackingStore
{
public:
    enum Access { ReadOnly, ReadWrite };

    explicit SettingsBackingStore(const QString &iniFileName, Access access = ReadOnly);
    ~SettingsBackingStore();

    SettingsBackingStore(const SettingsBackingStore &) = delete;
    SettingsBackingStore &operator=(const SettingsBackingStore &) = delete;

    // The value's text; defaultText when the section or the value is missing.
    // Throws "Invalid data type for '%s'" when the value is not plain text.
    QString readText(const QString &section, const QString &name, const QString &defaultText) const;
    // Throws "Failed to create key %s" when the store cannot be created and
    // "Failed to set data for '%s'" when it exists but cannot be written.
    void writeText(const QString &section, const QString &name, const QString &text);
    // Does nothing when the section or the value does not exist.
    void removeValue(const QString &section, const QString &name);

    // A decimal integer value; defaultValue when the value is missing or its
    // text is not a decimal integer.
    int readInteger(const QString &section, const QString &name, int defaultValue) const;

    // Writes pending changes; throws "Failed to set data for '%s'" naming the
    // last value written when the store cannot be written.
    void close();

    // The file that stands for HKEY_CURRENT_USER where there is no registry.
    static QString userFilePath();
    // Points every store at another file (tests); an empty path restores the default.
    static void setUserFilePath(const QString &path);

private:
    QString keyOf(const QString &section, const QString &name) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_root;
    Access m_access;
    QString m_lastWritten;
};

#pragma once

#include <QSettings>

class QIODevice;

// The settings file's INI layout, read and written by the program itself so
// that every value stays text. Files are compatible both ways with Qt's own
// INI format for text values (same sections, key escapes and string escapes),
// but values in Qt's typed notations ("@Variant(...)", "@ByteArray(...)",
// "@Rect(...)" ...) and comma lists are never decoded: they are kept as their
// raw bytes (a QByteArray, so readers see a value that is not text) and are
// written back unchanged. Decoding them would let a settings file of a few
// bytes make Qt allocate gigabytes.
class IniTextFormat
{
public:
    // The format, registered with QSettings on first use.
    static QSettings::Format format();

    static bool read(QIODevice &device, QSettings::SettingsMap &map);
    static bool write(QIODevice &device, const QSettings::SettingsMap &map);
};

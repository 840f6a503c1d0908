#pragma once

#include <QSettings>

class QIODevice;

// The settings file's INI layout, read and written by the program itself so
// that every value stays text. Files are compatible both ways with Qt's own
// INI format for text values (same sections, key escapes and string escapes),
// except that an unquoted comma or semicolon is part of the text rather than
// a list separator or a comment, and bytes that are not UTF-8 are kept as
// SystemText keeps them. Values in Qt's typed notations ("@Variant(...)",
// "@ByteArray(...)", "@Rect(...)" ...) are never decoded: they are kept as
// their raw bytes (a QByteArray, so readers see a value that is not text).
// Decoding them would let a settings file of a few bytes make Qt allocate
// gigabytes. A key or value longer than any path (4096 bytes) is not read.
//
// The file is a text users and scripts edit: writing keeps every line of the
// file being replaced (comments, blank lines, lines that are not read, values
// as they were spelt) except those of the values the program changed or
// removed.
class IniTextFormat
{
public:
    // The format, registered with QSettings on first use.
    static QSettings::Format format();

    static bool read(QIODevice &device, QSettings::SettingsMap &map);
    static bool write(QIODevice &device, const QSettings::SettingsMap &map);
};

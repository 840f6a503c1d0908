#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A style file: "&" key "=" value lines. Reading accepts CR LF, lone CR and
// lone LF line ends and stops at a NUL; writing ends every line with CR LF.
class StyleFile
{
public:
    // Reads the whole file. Throws EditorError "Cannot open file %s".
    static StyleFile load(const QString &fileName);
    static StyleFile fromText(const QString &text);

    // The value of the first line whose key is "&" + name, ignoring letter
    // case and without trimming; nothing when no line matches.
    std::optional<QString> value(const QString &name) const;

    // A parameter has a value when some character of it is above the space.
    static bool hasValue(const QString &value);
    static QString line(const QString &name, const QString &value);

    // Writes the lines, each followed by CR LF, replacing the file only when
    // the whole content is on disk. Throws EditorError "Cannot create file %s".
    static void save(const QString &fileName, const QStringList &lines);

private:
    QHash<QString, QString> m_values; // case-folded key -> value
};

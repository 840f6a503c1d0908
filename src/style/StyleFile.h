#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// A style file: "&" key "=" value lines. Reading accepts CR LF, lone CR and
// lone LF line ends and stops at a NUL; writing ends every line with CR LF.
class StyleFile
{
public:
    // A key longer than this can name no parameter; a value is kept up to this
    // many bytes, more than the table stores of it. Memory stays small
    // whatever the file holds.
    static constexpr size_t KeyLimit = 128;
    static constexpr size_t ValueLimit = 256;

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
    // Takes the next piece of the text; returns false once a NUL has ended it.
    bool feed(QByteArrayView bytes);
    void endLine();

    QHash<QString, QString> m_values; // case-folded key -> value
    std::string m_key;
    std::string m_value;
    bool m_inValue = false;
    bool m_keyTooLong = false;
    bool m_afterCr = false;
};

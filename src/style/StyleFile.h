#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

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

    // One line as the reader sees it: its number from 1, the text before its
    // first "=" (the whole line when it has none) and the text after it.
    struct Line
    {
        int number = 0;
        QString key;
        std::optional<QString> value;
        bool keyTooLong = false; // key holds only its first KeyLimit bytes
    };
    using LineVisitor = std::function<void(const Line &)>;

    // Reads the whole file. Throws EditorError "Cannot open file %s".
    static StyleFile load(const QString &fileName);
    static StyleFile fromText(const QString &text);
    static StyleFile fromBytes(QByteArrayView bytes);

    // Hands every line of the file to visit, in order; an empty last line is
    // not one. Throws EditorError "Cannot open file %s".
    static void readLines(const QString &fileName, const LineVisitor &visit);
    static void readTextLines(const QString &text, const LineVisitor &visit);

    // The value of the first line whose key is "&" + name, ignoring letter
    // case and without trimming; nothing when no line matches.
    std::optional<QString> value(const QString &name) const;

    // A parameter has a value when some character of it is above the space.
    static bool hasValue(const QString &value);
    static QString line(const QString &name, const QString &value);

    // The bytes of the lines, each followed by CR LF.
    static QByteArray content(const QStringList &lines);
    // Writes the lines' content, replacing the file only when the whole
    // content is on disk. Throws EditorError "Cannot create file %s".
    static void save(const QString &fileName, const QStringList &lines);

    // Whether the line has the form of a value's line: "&", a name, "=".
    static bool isStyleLine(const Line &line)
    {
        return line.value && line.key.size() > 1 && line.key.startsWith(QLatin1Char('&'));
    }
    // Whether the file has such a line at all.
    bool holdsStyleLines() const { return m_holdsStyleLines; }

    // Adds a line's value unless an earlier line had the same key.
    void take(const Line &line);

private:
    QHash<QString, QString> m_values; // case-folded key -> value
    bool m_holdsStyleLines = false;
};

#include "style/StyleFile.h"

#include "app/EditorError.h"
#include "app/SystemText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringBuilder>

#include <string>

namespace {

// Splits bytes into lines at CR LF, lone CR and lone LF, and each line at its
// first "=", keeping keys and values bounded; a NUL ends the text.
class LineReader
{
public:
    explicit LineReader(const StyleFile::LineVisitor &visit) : m_visit(visit) {}

    // Takes the next piece of the text; returns false once a NUL has ended it.
    bool feed(QByteArrayView bytes)
    {
        for (char c : bytes) {
            if (c == '\0')
                return false;
            if (c == '\n' && m_afterCr) {
                m_afterCr = false;
                continue;
            }
            m_afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                endLine();
            } else if (m_inValue) {
                if (m_value.size() < StyleFile::ValueLimit)
                    m_value.push_back(c);
            } else if (c == '=') {
                m_inValue = true;
            } else if (m_key.size() < StyleFile::KeyLimit) {
                m_key.push_back(c);
            } else {
                m_keyTooLong = true;
            }
        }
        return true;
    }

    void finish()
    {
        if (m_inValue || !m_key.empty())
            endLine();
    }

private:
    static QString decode(const std::string &bytes)
    {
        return SystemText::decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }

    void endLine()
    {
        StyleFile::Line line;
        line.number = ++m_number;
        line.key = decode(m_key);
        if (m_inValue)
            line.value = decode(m_value);
        line.keyTooLong = m_keyTooLong;
        m_visit(line);
        m_key.clear();
        m_value.clear();
        m_inValue = false;
        m_keyTooLong = false;
    }

    const StyleFile::LineVisitor &m_visit;
    std::string m_key;
    std::string m_value;
    int m_number = 0;
    bool m_inValue = false;
    bool m_keyTooLong = false;
    bool m_afterCr = false;
};

} // namespace

StyleFile StyleFile::load(const QString &fileName)
{
    StyleFile style;
    readLines(fileName, [&style](const Line &line) { style.take(line); });
    return style;
}

StyleFile StyleFile::fromText(const QString &text)
{
    return fromBytes(SystemText::encode(text));
}

StyleFile StyleFile::fromBytes(QByteArrayView bytes)
{
    StyleFile style;
    const LineVisitor take = [&style](const Line &line) { style.take(line); };
    LineReader reader(take);
    reader.feed(bytes);
    reader.finish();
    return style;
}

void StyleFile::readLines(const QString &fileName, const LineVisitor &visit)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
    LineReader reader(visit);
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
        if (got == 0 || !reader.feed(QByteArrayView(chunk, got)))
            break;
    }
    reader.finish();
}

void StyleFile::readTextLines(const QString &text, const LineVisitor &visit)
{
    LineReader reader(visit);
    reader.feed(SystemText::encode(text));
    reader.finish();
}

void StyleFile::take(const Line &line)
{
    // The first line of a key wins.
    if (!line.value || line.keyTooLong)
        return;
    const QString key = line.key.toCaseFolded();
    if (!m_values.contains(key))
        m_values.insert(key, *line.value);
}

std::optional<QString> StyleFile::value(const QString &name) const
{
    const auto it = m_values.constFind((QLatin1Char('&') + name).toCaseFolded());
    if (it == m_values.cend())
        return std::nullopt;
    return *it;
}

bool StyleFile::hasValue(const QString &value)
{
    for (QChar c : value) {
        if (c.unicode() > 32)
            return true;
    }
    return false;
}

QString StyleFile::line(const QString &name, const QString &value)
{
    return QString(QLatin1Char('&') % name % QLatin1Char('=') % value);
}

void StyleFile::save(const QString &fileName, const QStringList &lines)
{
    // All lines are encoded in one go: the table is written after every change.
    const QByteArray bytes = lines.isEmpty() ? QByteArray()
                                             : SystemText::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    QSaveFile file(fileName);
    // commit() alone can report success after a write that found the disk
    // full, and then replaces the file with a short one: flush first.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        throw EditorError(QStringLiteral("Cannot create file %1").arg(fileName));
}

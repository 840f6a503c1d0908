#include "style/StyleFile.h"

#include "base/EditorError.h"
#include "base/LocalFile.h"
#include "base/SystemText.h"
#include "style/WholeFileWriter.h"

#include <QFile>
#include <QStringBuilder>

#include <array>
#include <functional>
#include <string>
#include <unordered_set>

namespace {

// Splits bytes into lines at CR LF, lone CR and lone LF, and each line at its
// first "=", keeping keys and values bounded; a NUL ends the text.
class LineReader
{
public:
    // Decides from a line's raw key whether the line is decoded and visited.
    using Filter = std::function<bool(QByteArrayView key, bool hasValue, bool keyTooLong)>;

    explicit LineReader(const StyleFile::LineVisitor &visit, Filter filter = {})
        : m_visit(visit), m_filter(std::move(filter))
    {}

    // Takes the next piece of the text; returns false once a NUL has ended it.
    bool feed(QByteArrayView bytes)
    {
        const char *end = bytes.data() + bytes.size();
        for (const char *p = bytes.data(); p < end; ++p) {
            // Past the limits nothing more is kept: on to the next byte that matters.
            if (m_inValue ? m_value.size() >= StyleFile::ValueLimit : m_keyTooLong) {
                const unsigned char stop = m_inValue ? EndsValue : EndsKey;
                while (p < end && !(byteClasses()[static_cast<unsigned char>(*p)] & stop))
                    ++p;
                if (p == end)
                    break;
            }
            const char c = *p;
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
    enum : unsigned char { EndsValue = 1, EndsKey = 2 };
    static const std::array<unsigned char, 256> &byteClasses()
    {
        static constexpr std::array<unsigned char, 256> classes = [] {
            std::array<unsigned char, 256> table{};
            for (unsigned char c : {'\0', '\r', '\n'})
                table[c] = EndsValue | EndsKey;
            table['='] = EndsKey;
            return table;
        }();
        return classes;
    }

    static QString decode(const std::string &bytes)
    {
        return SystemText::decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }

    void endLine()
    {
        StyleFile::Line line;
        line.number = ++m_number;
        if (!m_filter
            || m_filter(QByteArrayView(m_key.data(), qsizetype(m_key.size())), m_inValue,
                        m_keyTooLong)) {
            line.key = decode(m_key);
            if (m_inValue)
                line.value = decode(m_value);
            line.keyTooLong = m_keyTooLong;
            m_visit(line);
        }
        m_key.clear();
        m_value.clear();
        m_inValue = false;
        m_keyTooLong = false;
    }

    const StyleFile::LineVisitor &m_visit;
    Filter m_filter;
    std::string m_key;
    std::string m_value;
    int m_number = 0;
    bool m_inValue = false;
    bool m_keyTooLong = false;
    bool m_afterCr = false;
};

// Feeds the file to the reader in pieces. Throws "Cannot open file %s".
void feedFile(const QString &fileName, LineReader &reader)
{
    QFile file;
    if (!LocalFile::open(file, fileName, QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
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

// Reads the values of a style file: only the first line with given key bytes
// can count, so later ones are not even decoded, and a file of millions of
// repeated lines reads in time spent on bytes alone.
template<typename Feed>
StyleFile readValues(Feed feed)
{
    StyleFile style;
    std::unordered_set<std::string> seen;
    const StyleFile::LineVisitor take = [&style](const StyleFile::Line &line) { style.take(line); };
    LineReader reader(take, [&seen](QByteArrayView key, bool hasValue, bool keyTooLong) {
        return hasValue && !keyTooLong && seen.emplace(key.data(), size_t(key.size())).second;
    });
    feed(reader);
    return style;
}

} // namespace

StyleFile StyleFile::load(const QString &fileName)
{
    return readValues([&fileName](LineReader &reader) { feedFile(fileName, reader); });
}

StyleFile StyleFile::fromText(const QString &text)
{
    return fromBytes(SystemText::encode(text));
}

StyleFile StyleFile::fromBytes(QByteArrayView bytes)
{
    return readValues([bytes](LineReader &reader) {
        reader.feed(bytes);
        reader.finish();
    });
}

void StyleFile::readLines(const QString &fileName, const LineVisitor &visit)
{
    LineReader reader(visit);
    feedFile(fileName, reader);
}

void StyleFile::readTextLines(const QString &text, const LineVisitor &visit)
{
    LineReader reader(visit);
    reader.feed(SystemText::encode(text));
    reader.finish();
}

void StyleFile::take(const Line &line)
{
    m_holdsStyleLines = m_holdsStyleLines || isStyleLine(line);
    // The first line of a key wins.
    if (!line.value || line.keyTooLong)
        return;
    const QString key = SystemText::caseFolded(line.key);
    if (!m_values.contains(key))
        m_values.insert(key, *line.value);
}

std::optional<QString> StyleFile::value(const QString &name) const
{
    const auto it = m_values.constFind(SystemText::caseFolded(QLatin1Char('&') + name));
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

QByteArray StyleFile::content(const QStringList &lines)
{
    // All lines are encoded in one go: the table is written after every change.
    return lines.isEmpty() ? QByteArray()
                           : SystemText::encode(QString(lines.join(QStringLiteral("\r\n"))
                                                        + QStringLiteral("\r\n")));
}

void StyleFile::save(const QString &fileName, const QStringList &lines)
{
    if (!WholeFileWriter::write(fileName, content(lines)))
        throw EditorError(QStringLiteral("Cannot create file %1").arg(fileName));
}

#include "xml/ProfileXmlReader.h"

#include "base/SystemText.h"
#include "xml/ByteScan.h"
#include "xml/XmlParseError.h"

#include <QFile>

#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Position of the first c in bytes, or -1.
qsizetype find(QByteArrayView bytes, char c)
{
    return ByteScan::find(bytes.data(), bytes.data() + bytes.size(), c);
}

bool isBlankOnly(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 32)
            return false;
    }
    return true;
}

// Replaces the four entities in one pass, which gives what replacing each of
// them in turn over the whole text gives: no replacement can form a later one.
// out has room for in.size() bytes and may be in.data(); returns the bytes written.
qsizetype decodeInto(QByteArrayView in, char *out)
{
    qsizetype written = 0;
    qsizetype pos = 0;
    while (pos < in.size()) {
        const qsizetype amp = find(in.sliced(pos), '&');
        const qsizetype plain = amp < 0 ? in.size() - pos : amp;
        if (out + written != in.data() + pos)
            std::memmove(out + written, in.data() + pos, size_t(plain));
        written += plain;
        pos += plain;
        if (amp < 0)
            break;
        ++pos;
        const QByteArrayView rest = in.sliced(pos);
        auto is = [&rest](const char *name, qsizetype size) {
            return rest.size() >= size && std::memcmp(rest.data(), name, size_t(size)) == 0;
        };
        char byte = '&';
        qsizetype taken = 0;
        if (is("lt;", 3))
            byte = '<', taken = 3;
        else if (is("gt;", 3))
            byte = '>', taken = 3;
        else if (is("quot;", 5))
            byte = '"', taken = 5;
        else if (is("amp;", 4))
            taken = 4;
        out[written++] = byte;
        pos += taken;
    }
    return written;
}

QByteArrayView storeDecoded(XmlByteArena &arena, QByteArrayView bytes)
{
    if (find(bytes, '&') < 0)
        return arena.store(bytes);
    char *out = arena.allocate(bytes.size());
    const qsizetype used = decodeInto(bytes, out);
    arena.shrinkLast(out, bytes.size(), used);
    return QByteArrayView(out, used);
}

// Attribute names are told apart as qstrnicmp compares them: by Latin-1 case
// folding, up to a zero byte.
bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), size_t(a.size())) == 0;
}

std::string nameKey(QByteArrayView name)
{
    static const std::array<char, 256> folded = [] {
        std::array<char, 256> table{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            int c = 0;
            while (qstrnicmp(&byte, reinterpret_cast<const char *>(&c), 1) != 0)
                ++c;
            table[size_t(b)] = char(c);
        }
        return table;
    }();
    std::string key = std::to_string(name.size()) + ':';
    for (char c : name) {
        if (c == '\0')
            break;
        key.push_back(folded[static_cast<unsigned char>(c)]);
    }
    return key;
}

struct AttributeLine
{
    QByteArrayView name;
    QByteArrayView value;
    bool hasValue = false;
};

// Parses the attribute lines of a cleaned start or empty-element tag: spaces
// outside double quotes separate attributes, quotes are stripped from values
// longer than two bytes, entities decoded, empty values dropped. Every step acts
// on the first line of a name, as a look-up by name does. The usual form is
// written over the tag itself; other lines go to the arena.
class AttributeParser
{
public:
    explicit AttributeParser(XmlByteArena &arena) : m_arena(arena) {}

    struct Result
    {
        QByteArrayView lines; // each ended by a line feed but the last
        int count = 0;
    };
    // body: the tag's bytes after its first space, up to its closing ">",
    // which must follow. They may be overwritten.
    Result parse(char *body, qsizetype size);

private:
    bool parsePlain(char *body, qsizetype size, Result &result);
    void addLine(QByteArrayView line);
    QByteArrayView processed(QByteArrayView value);
    qsizetype firstOfName(QByteArrayView name);
    void indexNames();

    static constexpr size_t LinearLimit = 8;

    XmlByteArena &m_arena;
    std::vector<AttributeLine> m_lines;
    std::unordered_map<std::string, size_t> m_firstOfName; // used once a tag has many lines
    bool m_indexed = false;
};

AttributeParser::Result AttributeParser::parse(char *from, qsizetype size)
{
    QByteArrayView body(from, size);
    if (body.endsWith('/'))
        body.chop(1);
    Result result;
    if (parsePlain(from, body.size(), result))
        return result;

    // Lines end at CR, LF, CR LF and at every space outside double quotes, but
    // for the last byte: a space before ">" stays with the last value. A last
    // line break adds no empty line.
    m_lines.clear();
    m_firstOfName.clear();
    m_indexed = false;
    const char *b = body.data();
    const qsizetype n = body.size();
    bool inQuotes = false;
    qsizetype start = 0;
    static constexpr auto separating = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {'"', '\r', '\n', ' '})
            table[c] = true;
        return table;
    }();
    for (qsizetype i = 0; i < n; ++i) {
        while (i < n && !separating[static_cast<unsigned char>(b[i])])
            ++i;
        if (i == n)
            break;
        const char c = b[i];
        const bool last = i + 1 == n;
        if (c == '"' && !last)
            inQuotes = !inQuotes;
        if (c != '\r' && c != '\n' && (c != ' ' || inQuotes || last))
            continue;
        addLine(body.sliced(start, i - start));
        // A CR and the line feed after it, written or made from a space, end one line.
        if (c == '\r' && !last && (b[i + 1] == '\n' || (b[i + 1] == ' ' && !inQuotes && i + 2 < n)))
            ++i;
        start = i + 1;
    }
    if (start < n)
        addLine(body.sliced(start));

    qsizetype linesSize = qsizetype(m_lines.size()) - 1;
    for (const AttributeLine &line : m_lines)
        linesSize += line.name.size() + (line.hasValue ? 1 + line.value.size() : 0);
    if (linesSize <= 0)
        return {QByteArrayView(), int(m_lines.size())};
    char *out = m_arena.allocate(linesSize);
    char *at = out;
    for (const AttributeLine &line : m_lines) {
        if (&line != &m_lines.front())
            *at++ = '\n';
        std::memcpy(at, line.name.data(), size_t(line.name.size()));
        at += line.name.size();
        if (line.hasValue) {
            *at++ = '=';
            std::memcpy(at, line.value.data(), size_t(line.value.size()));
            at += line.value.size();
        }
    }
    return {QByteArrayView(out, linesSize), int(m_lines.size())};
}

// The usual form, name="value" pairs separated by single spaces, with distinct
// names and values that hold no quote, line break or entity, comes out of the
// general rules as the same pairs without the quotes of values that are not
// empty, which fit in the body's place. Anything else is left to the general rules.
bool AttributeParser::parsePlain(char *body, qsizetype size, Result &result)
{
    if (size == 0)
        return false;
    // Byte classes; the ">" after the body ends every scan within the tag.
    enum : unsigned char { EndsName = 1, EndsValue = 2 };
    static constexpr auto classes = [] {
        std::array<unsigned char, 256> table{};
        for (unsigned char c : {'=', ' ', '"', '\r', '\n', '>'})
            table[c] |= EndsName;
        for (unsigned char c : {'"', '\r', '\n', '&', '>'})
            table[c] |= EndsValue;
        return table;
    }();
    auto scan = [](const char *p, unsigned char stop) {
        while (!(classes[static_cast<unsigned char>(*p)] & stop))
            ++p;
        return p;
    };
    const char *p = body;
    const char *end = p + size;
    struct Pair
    {
        const char *name, *nameEnd, *value, *valueEnd;
    } pairs[LinearLimit]; // left uninitialised: this runs for every tag
    int count = 0;
    auto plain = [&] {
        for (;;) {
            const char *name = p;
            p = scan(p, EndsName);
            if (p >= end || *p != '=' || p == name || count == int(LinearLimit))
                return false;
            const QByteArrayView nameBytes(name, p - name);
            for (int i = 0; i < count; ++i) {
                if (sameName(QByteArrayView(pairs[i].name, pairs[i].nameEnd), nameBytes))
                    return false;
            }
            Pair &pair = pairs[count];
            pair.name = name;
            pair.nameEnd = p;
            if (++p == end || *p != '"')
                return false;
            pair.value = ++p;
            p = scan(p, EndsValue);
            if (p >= end || *p != '"')
                return false;
            pair.valueEnd = p;
            ++count;
            if (++p == end)
                return true;
            if (*p != ' ' || p + 1 == end)
                return false;
            ++p;
        }
    };
    if (!plain())
        return false;
    // No line is longer than its pair, so the lines move down over the pairs.
    char *at = body;
    auto copy = [&at](const char *from, const char *to) {
        while (from < to)
            *at++ = *from++;
    };
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            *at++ = '\n';
        copy(pairs[i].name, pairs[i].nameEnd);
        *at++ = '=';
        if (pairs[i].value == pairs[i].valueEnd)
            copy(pairs[i].value - 1, pairs[i].valueEnd + 1); // an empty value keeps its quotes
        else
            copy(pairs[i].value, pairs[i].valueEnd);
    }
    result = {QByteArrayView(body, at - body), count};
    return true;
}

void AttributeParser::addLine(QByteArrayView line)
{
    const qsizetype eq = find(line, '=');
    if (eq < 0) {
        m_lines.push_back({line, {}, false}); // never found by name
        return;
    }
    const QByteArrayView name = line.first(eq);
    const QByteArrayView value = line.sliced(eq + 1);
    const qsizetype first = firstOfName(name);
    if (first < 0) {
        const QByteArrayView own = processed(value);
        if (own.isEmpty())
            return; // an empty value removes its line
        m_lines.push_back({name, own, true});
        if (m_indexed)
            m_firstOfName.emplace(nameKey(name), m_lines.size() - 1);
        return;
    }
    // A repeated name: the first line of that name is processed once more and
    // takes this line's spelling of the name; this line stays as written.
    const QByteArrayView again = processed(m_lines[size_t(first)].value);
    if (again.isEmpty()) {
        m_lines.erase(m_lines.begin() + first);
        m_lines.push_back({name, value, true});
        indexNames();
        return;
    }
    m_lines[size_t(first)].name = name;
    m_lines[size_t(first)].value = again;
    m_lines.push_back({name, value, true});
}

QByteArrayView AttributeParser::processed(QByteArrayView value)
{
    if (value.size() > 2) {
        if (value.front() == '"')
            value = value.sliced(1);
        if (value.back() == '"')
            value.chop(1);
    }
    return find(value, '&') >= 0 ? storeDecoded(m_arena, value) : value;
}

qsizetype AttributeParser::firstOfName(QByteArrayView name)
{
    if (!m_indexed && m_lines.size() <= LinearLimit) {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].hasValue && sameName(m_lines[i].name, name))
                return qsizetype(i);
        }
        return -1;
    }
    if (!m_indexed)
        indexNames();
    const auto it = m_firstOfName.find(nameKey(name));
    return it == m_firstOfName.end() ? -1 : qsizetype(it->second);
}

void AttributeParser::indexNames()
{
    m_firstOfName.clear();
    m_indexed = m_lines.size() > LinearLimit;
    if (!m_indexed)
        return;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].hasValue)
            m_firstOfName.emplace(nameKey(m_lines[i].name), i); // keeps the first of a name
    }
}

bool isBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

// A token's clean-up, in place: the CR LF pairs are removed, then the LF CR
// pairs (each a single pass over the bytes), then runs of spaces collapsed.
// Only a token with a line feed or two adjacent spaces needs it.
qsizetype cleanInPlace(char *bytes, qsizetype size)
{
    if (!ByteScan::hasLineFeedOrSpaces(bytes, bytes + size))
        return size;
    auto dropPairs = [&](char first, char second) {
        qsizetype kept = 0;
        for (qsizetype i = 0; i < size; ++i) {
            if (bytes[i] == first && i + 1 < size && bytes[i + 1] == second)
                ++i;
            else
                bytes[kept++] = bytes[i];
        }
        size = kept;
    };
    dropPairs('\r', '\n');
    dropPairs('\n', '\r');
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] != ' ' || kept == 0 || bytes[kept - 1] != ' ')
            bytes[kept++] = bytes[i];
    }
    return kept;
}

enum class TagKind { Declaration, Comment, Start, End, Empty };

TagKind classify(QByteArrayView tag)
{
    // The tests in their order of precedence; a tag is at least "<>".
    const char second = tag[1];
    if (second == '?' && tag.size() >= 5 && qstrnicmp(tag.data(), "<?xml", 5) == 0)
        return TagKind::Declaration;
    if (second == '!' && tag.startsWith("<!--"))
        return TagKind::Comment;
    if (tag[tag.size() - 2] == '/')
        return TagKind::Empty;
    if (second == '/')
        return TagKind::End;
    return TagKind::Start;
}

// The style sheet an "<?xml-stylesheet" instruction names, if it names one.
std::optional<QString> styleSheetOf(QByteArrayView declaration)
{
    const QByteArray upper = declaration.toByteArray().toUpper();
    if (!upper.contains("XML-STYLESHEET"))
        return std::nullopt;
    const qsizetype href = upper.indexOf("HREF=\"");
    if (href < 0)
        return std::nullopt;
    const qsizetype from = href + 6;
    const qsizetype quote = declaration.indexOf('"', from);
    return SystemText::decode(
            declaration.sliced(from, (quote < 0 ? declaration.size() : quote) - from));
}

} // namespace

ProfileXmlReader::ProfileXmlReader() : m_root(std::make_unique<XmlItem>(this, nullptr)) {}

ProfileXmlReader::~ProfileXmlReader()
{
    clearItems();
}

QByteArray ProfileXmlReader::decodeEntities(QByteArrayView text)
{
    QByteArray decoded(text.size(), Qt::Uninitialized);
    decoded.truncate(decodeInto(text, decoded.data()));
    return decoded;
}

XmlItem *ProfileXmlReader::newItem(XmlItem *parent)
{
    if (m_chunks.empty() || m_usedInLastChunk == ItemsPerChunk) {
        m_chunks.push_back(static_cast<XmlItem *>(::operator new(sizeof(XmlItem) * ItemsPerChunk)));
        m_usedInLastChunk = 0;
    }
    return new (m_chunks.back() + m_usedInLastChunk++) XmlItem(this, parent);
}

void ProfileXmlReader::clearItems()
{
    for (size_t c = 0; c < m_chunks.size(); ++c) {
        const int used = c + 1 == m_chunks.size() ? m_usedInLastChunk : ItemsPerChunk;
        for (int i = 0; i < used; ++i)
            m_chunks[c][i].~XmlItem();
        ::operator delete(m_chunks[c]);
    }
    m_chunks.clear();
    m_usedInLastChunk = 0;
}

void ProfileXmlReader::loadFromFile(const QString &fileName)
{
    QFile file(fileName);
    // The whole file is read at once: a buffer of QFile's own would only copy the bytes once more.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
    loadFromStream(&file);
}

// Whether the input holds a line too long: from the start, each stretch of
// LongestLine bytes needs a line feed between its first and its last byte,
// and the next stretch starts just after the last such line feed. The file is
// read whole; only this limit on its lines is kept.
bool ProfileXmlReader::hasOverlongLine(QByteArrayView input)
{
    for (qsizetype start = 0; input.size() - start >= LongestLine;) {
        const qsizetype lineFeed = input.sliced(start + 1, LongestLine - 2).lastIndexOf('\n');
        if (lineFeed < 0)
            return true;
        start += 1 + lineFeed + 1;
    }
    return false;
}

void ProfileXmlReader::loadFromStream(QIODevice *stream)
{
    QByteArray input = stream->readAll();
    // A stream may give its bytes in pieces.
    for (QByteArray more; !(more = stream->readAll()).isEmpty();)
        input += more;
    if (input.size() >= LongestLine && hasOverlongLine(input)) {
        // A long file that is a single line is refused before the tree is touched.
        if (!std::memchr(input.constData() + 1, '\n', size_t(input.size() - 2)))
            throw XmlParseError(QStringLiteral("Line too long on line %1").arg(1));
    }

    m_root->clear();
    clearItems();
    m_bytes.clear();
    m_input = std::move(input);
    char *bytes = m_input.data();
    buildTree(bytes, bytes + m_input.size());
}

// One pass over the input: blanks between tokens are skipped, each tag or
// text run is cleaned up in place and goes straight into the tree. Names and
// texts stay where they are in the input, and so do attribute lines of the
// usual form.
void ProfileXmlReader::buildTree(char *p, char *end)
{
    XmlItem *current = m_root.get();
    // Texts of elements with several runs grow here and are stored at the end,
    // so that joining stays linear however many runs an element gets.
    std::unordered_map<XmlItem *, std::string> joined;
    // The children of the open elements, each element's after those of its
    // parent; an element takes its own, at their number, when it ends.
    std::vector<XmlItem *> children;
    std::vector<size_t> firstChild{0};

    AttributeParser attributes(m_bytes);
    auto describe = [&attributes](XmlItem *item, char *tag, qsizetype size) {
        const QByteArrayView rest(tag + 1, size - 1);
        const qsizetype space = find(rest, ' ');
        if (space >= 0) {
            item->m_name = rest.first(space);
            char *body = tag + 1 + space + 1;
            const AttributeParser::Result lines = attributes.parse(body, tag + size - 1 - body);
            item->m_attributes = lines.lines;
            item->m_attributeCount = lines.count;
            return;
        }
        const qsizetype slash = find(rest, '/');
        item->m_name = slash >= 0 ? rest.first(slash) : rest.first(rest.size() - 1);
        item->m_attributes = {};
        item->m_attributeCount = 0;
    };
    auto close = [&] {
        const auto first = children.begin() + qsizetype(firstChild.back());
        current->m_children.assign(first, children.end());
        children.erase(first, children.end());
        firstChild.pop_back();
        current = current->parent();
    };

    for (;;) {
        while (p < end && isBlank(*p))
            ++p;
        if (p == end || *p == '\0')
            break; // a zero byte outside a tag ends the input

        if (*p != '<') {
            // Up to the next "<", the end or a zero byte, without the trailing blanks.
            const ByteScan::Run scan = ByteScan::scanRun(p, end, '<', '\0');
            char *run = p;
            p = scan.stop < 0 ? end : p + scan.stop;
            if (!current)
                continue; // after the outermost element there is no item to hold content
            char *last = p;
            while (isBlank(last[-1]))
                --last; // the run starts with a byte that is not blank
            qsizetype size = last - run;
            if (scan.lineFeedOrSpaces)
                size = cleanInPlace(run, size);
            if (scan.ampersand)
                size = decodeInto(QByteArrayView(run, size), run);
            const QByteArrayView text(run, size);
            // A run is never empty, so an item's text is empty until its first run.
            if (current->m_text.isEmpty()) {
                current->m_text = text;
                continue;
            }
            auto [it, first] = joined.try_emplace(current);
            if (first)
                it->second.assign(current->m_text.data(), size_t(current->m_text.size()));
            it->second.append("\r\n").append(text.data(), size_t(text.size()));
            continue;
        }

        // Up to and including the first ">", whatever lies between.
        const ByteScan::Run scan = ByteScan::scanRun(p, end, '>', '>');
        if (scan.stop < 0)
            break; // a "<" without a closing ">" ends the input; the partial tag is dropped
        char *tagStart = p;
        p += scan.stop + 1;
        const qsizetype size = p - tagStart;
        const TagKind kind = classify(QByteArrayView(tagStart, size)); // told by the tag as written
        const qsizetype cleanSize = scan.lineFeedOrSpaces ? cleanInPlace(tagStart, size) : size;
        const QByteArrayView tag(tagStart, cleanSize);
        if (kind == TagKind::Declaration) {
            if (std::optional<QString> sheet = styleSheetOf(tag))
                m_styleSheet = std::move(*sheet);
            continue;
        }
        if (!current)
            continue;
        switch (kind) {
        case TagKind::Start:
            if (!isBlankOnly(current->m_name)) {
                current = newItem(current);
                children.push_back(current);
                firstChild.push_back(children.size());
            }
            describe(current, tagStart, cleanSize);
            break;
        case TagKind::Empty:
            children.push_back(newItem(current));
            describe(children.back(), tagStart, cleanSize);
            break;
        case TagKind::End:
            close();
            break;
        default:
            break;
        }
    }
    while (current)
        close(); // elements left open end with the input

    for (const auto &[item, text] : joined)
        item->m_text = m_bytes.store(QByteArrayView(text.data(), qsizetype(text.size())));
}

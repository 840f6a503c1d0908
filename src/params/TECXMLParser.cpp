#include "params/TECXMLParser.h"

#include "app/SystemText.h"
#include "params/EParserError.h"
#include "params/TXMLLargeTokenizer.h"

#include <QFile>

#include <string>
#include <string_view>
#include <vector>

namespace {

QString fromBytes(QByteArrayView bytes)
{
    return SystemText::decode(bytes);
}

QString decodedText(QByteArrayView bytes)
{
    return bytes.contains('&') ? fromBytes(TECXMLParser::decodeEntities(bytes.toByteArray())) : fromBytes(bytes);
}

bool isBlankOnly(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

QByteArrayView tagName(QByteArrayView tag)
{
    const QByteArrayView rest = tag.sliced(1);
    const qsizetype space = rest.indexOf(' ');
    if (space >= 0)
        return rest.first(space);
    const qsizetype slash = rest.indexOf('/');
    if (slash >= 0)
        return rest.first(slash);
    return rest.first(qMax<qsizetype>(rest.size() - 1, 0));
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), qsizetype(a.size())) == 0;
}

// One attribute line: "name=value", or a line without "=" kept as written.
struct AttributeLine
{
    std::string name;
    std::string value;
    bool hasValue = false;
};

// Attribute lines of a cleaned start or empty-element tag: spaces outside
// double quotes separate attributes, quotes are stripped from values longer
// than two bytes, entities decoded, empty values dropped. Every step acts on
// the first line of a name, as a look-up by name does.
QStringList parseAttributes(QByteArrayView tag)
{
    const qsizetype space = tag.indexOf(' ');
    if (space < 0)
        return {};
    const qsizetype gt = tag.indexOf('>', space + 1);
    std::string body(tag.data() + space + 1, size_t(gt < 0 ? tag.size() - space - 1 : gt - space - 1));
    if (!body.empty() && body.back() == '/')
        body.pop_back();

    bool inQuotes = false;
    for (size_t i = 0; i + 1 < body.size(); ++i) {
        if (body[i] == '"')
            inQuotes = !inQuotes;
        else if (body[i] == ' ' && !inQuotes)
            body[i] = '\n';
    }

    // Lines end at CR, LF or CR LF; a last line break adds no empty line.
    // The list is kept between tags so that its strings keep their storage.
    static thread_local std::vector<AttributeLine> lines;
    lines.clear();
    size_t start = 0;
    auto addLine = [&](size_t from, size_t to) {
        const std::string_view line(body.data() + from, to - from);
        AttributeLine &entry = lines.emplace_back();
        const size_t eq = line.find('=');
        entry.hasValue = eq != std::string_view::npos;
        entry.name = line.substr(0, entry.hasValue ? eq : line.size());
        if (entry.hasValue)
            entry.value = line.substr(eq + 1);
    };
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\r' && body[i] != '\n')
            continue;
        addLine(start, i);
        if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < body.size())
        addLine(start, body.size());

    size_t i = 0;
    while (i < lines.size()) {
        if (!lines[i].hasValue) {
            ++i;
            continue;
        }
        size_t first = 0;
        while (!(lines[first].hasValue && sameName(lines[first].name, lines[i].name)))
            ++first;
        std::string value = lines[first].value;
        if (value.size() > 2) {
            if (value.front() == '"')
                value.erase(0, 1);
            if (value.back() == '"')
                value.pop_back();
        }
        if (value.find('&') != std::string::npos) {
            const QByteArray decoded = TECXMLParser::decodeEntities(QByteArray(value.data(), qsizetype(value.size())));
            value.assign(decoded.constData(), size_t(decoded.size()));
        }
        if (value.empty()) {
            lines.erase(lines.begin() + qsizetype(first));
            continue;
        }
        lines[first].name = lines[i].name;
        lines[first].value = std::move(value);
        ++i;
    }

    QStringList result;
    result.reserve(qsizetype(lines.size()));
    std::string text;
    for (const AttributeLine &line : lines) {
        text = line.name;
        if (line.hasValue)
            text.append(1, '=').append(line.value);
        result.append(fromBytes(QByteArrayView(text.data(), qsizetype(text.size()))));
    }
    return result;
}

} // namespace

TECXMLParser::TECXMLParser() : m_root(std::make_unique<TXMLItem>(this)) {}

TECXMLParser::~TECXMLParser() = default;

QByteArray TECXMLParser::decodeEntities(QByteArray text)
{
    if (!text.contains('&'))
        return text;
    text.replace("&lt;", "<");
    text.replace("&gt;", ">");
    text.replace("&quot;", "\"");
    text.replace("&amp;", "&");
    return text;
}

void TECXMLParser::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file %1").arg(fileName));
    LoadFromStream(&file);
}

void TECXMLParser::LoadFromStream(QIODevice *stream)
{
    try {
        load<TXMLTokenizer>(stream);
    } catch (const EParserError &) {
        // A line longer than the window: read again with the whole input as the window.
        stream->seek(0);
        load<TXMLLargeTokenizer>(stream);
    }
}

template<typename Tokenizer>
void TECXMLParser::load(QIODevice *stream)
{
    bool allow = true;
    if (BeforeLoad)
        BeforeLoad(this, allow);
    if (!allow)
        return;

    // Building raises no item notifications; the handler comes back on every path.
    struct Silence
    {
        TECXMLParser *parser;
        std::function<void(TECXMLParser *, TXMLItem *)> saved = std::exchange(parser->XMLItemChanged, nullptr);
        ~Silence() { parser->XMLItemChanged = std::move(saved); }
    } silence{this};

    Tokenizer tokenizer(stream);
    buildTree(tokenizer);
    if (OnLoaded)
        OnLoaded(this);
}

void TECXMLParser::buildTree(TXMLTokenizer &tokenizer)
{
    m_root->clear();
    m_root->setName(QString());
    TXMLItem *current = m_root.get();

    for (; tokenizer.kind() != TXMLTokenizer::EndOfInput; tokenizer.next()) {
        const QByteArrayView token = tokenizer.text();
        switch (tokenizer.kind()) {
        case TXMLTokenizer::Declaration: {
            const QByteArray upper = token.toByteArray().toUpper();
            if (!upper.contains("XML-STYLESHEET"))
                break;
            const qsizetype href = upper.indexOf("HREF=\"");
            if (href < 0)
                break;
            const qsizetype from = href + 6;
            const qsizetype quote = token.indexOf('"', from);
            m_styleSheet = fromBytes(token.sliced(from, (quote < 0 ? token.size() : quote) - from));
            break;
        }
        case TXMLTokenizer::Text:
            // After the outermost element has ended there is no item to hold content.
            if (current) {
                const QString decoded = decodedText(token);
                current->setText(isBlankOnly(current->text()) ? decoded
                                                              : current->text() + QStringLiteral("\r\n") + decoded);
            }
            break;
        case TXMLTokenizer::StartTag:
            if (current) {
                if (!isBlankOnly(current->name()))
                    current = current->newItem();
                current->setName(fromBytes(tagName(token)));
                current->attributes() = parseAttributes(token);
            }
            break;
        case TXMLTokenizer::EmptyElementTag:
            if (current) {
                TXMLItem *child = current->newItem();
                child->setName(fromBytes(tagName(token)));
                child->attributes() = parseAttributes(token);
            }
            break;
        case TXMLTokenizer::EndTag:
            if (current)
                current = current->parent();
            break;
        default:
            break;
        }
    }
}

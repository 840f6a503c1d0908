#include "params/TECXMLParser.h"

#include "app/SystemText.h"
#include "params/EParserError.h"
#include "params/TXMLLargeTokenizer.h"

#include <QFile>

namespace {

QString fromBytes(const QByteArray &bytes)
{
    return SystemText::decode(bytes);
}

bool isBlankOnly(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

QByteArray tagName(const QByteArray &tag)
{
    const QByteArray rest = tag.mid(1);
    const qsizetype space = rest.indexOf(' ');
    if (space >= 0)
        return rest.left(space);
    const qsizetype slash = rest.indexOf('/');
    if (slash >= 0)
        return rest.left(slash);
    return rest.left(rest.size() - 1);
}

qsizetype indexOfName(const QList<QByteArray> &lines, const QByteArray &name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf('=');
        if (eq == name.size() && qstrnicmp(lines[i].constData(), name.constData(), name.size()) == 0)
            return i;
    }
    return -1;
}

QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

// Attribute lines of a cleaned start or empty-element tag: spaces outside
// double quotes separate attributes, quotes are stripped from values longer
// than two bytes, entities decoded, empty values dropped.
QStringList parseAttributes(const QByteArray &tag)
{
    const qsizetype space = tag.indexOf(' ');
    if (space < 0)
        return {};
    const qsizetype gt = tag.indexOf('>', space + 1);
    QByteArray body = tag.mid(space + 1, gt < 0 ? -1 : gt - space - 1);
    if (body.endsWith('/'))
        body.chop(1);

    bool inQuotes = false;
    for (qsizetype i = 0; i + 1 < body.size(); ++i) {
        if (body[i] == '"')
            inQuotes = !inQuotes;
        else if (body[i] == ' ' && !inQuotes)
            body[i] = '\n';
    }

    QList<QByteArray> lines = splitLines(body);
    qsizetype i = 0;
    while (i < lines.size()) {
        const qsizetype eq = lines[i].indexOf('=');
        if (eq < 0) {
            ++i;
            continue;
        }
        // Every step acts on the first line of that name, as a look-up by name does.
        const QByteArray name = lines[i].left(eq);
        const qsizetype first = indexOfName(lines, name);
        QByteArray value = lines[first].mid(eq + 1);
        if (value.size() > 2) {
            if (value.startsWith('"'))
                value.remove(0, 1);
            if (value.endsWith('"'))
                value.chop(1);
        }
        value = TECXMLParser::decodeEntities(std::move(value));
        if (value.isEmpty()) {
            lines.removeAt(first);
            continue;
        }
        lines[first] = name + '=' + value;
        ++i;
    }

    QStringList result;
    result.reserve(lines.size());
    for (const QByteArray &line : std::as_const(lines))
        result.append(fromBytes(line));
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
    try {
        load<TXMLTokenizer>(static_cast<QIODevice *>(&file));
    } catch (const EParserError &) {
        // A line longer than the window: read again with the whole file as the window.
        file.seek(0);
        load<TXMLLargeTokenizer>(static_cast<QFileDevice *>(&file));
    }
}

template<typename Tokenizer, typename Stream>
void TECXMLParser::load(Stream *stream)
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
        const QByteArray &token = tokenizer.text();
        switch (tokenizer.kind()) {
        case TXMLTokenizer::Declaration: {
            const QByteArray upper = token.toUpper();
            if (!upper.contains("XML-STYLESHEET"))
                break;
            const qsizetype href = upper.indexOf("HREF=\"");
            if (href < 0)
                break;
            const qsizetype from = href + 6;
            const qsizetype quote = token.indexOf('"', from);
            m_styleSheet = fromBytes(token.mid(from, quote < 0 ? -1 : quote - from));
            break;
        }
        case TXMLTokenizer::Text:
            // After the outermost element has ended there is no item to hold content.
            if (current) {
                const QString decoded = fromBytes(decodeEntities(token));
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

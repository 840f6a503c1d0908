#include "params/TXMLTokenizer.h"

#include "params/EParserError.h"

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool startsWithNoCase(const QByteArray &text, const char *prefix)
{
    const auto n = qsizetype(std::strlen(prefix));
    return text.size() >= n && qstrnicmp(text.constData(), prefix, n) == 0;
}

} // namespace

TXMLTokenizer::TXMLTokenizer(QIODevice *stream, qsizetype windowSize)
    : m_stream(stream), m_window(size_t(windowSize))
{
    next();
}

void TXMLTokenizer::refill()
{
    // Move the unread rest to the front and top the window up from the stream.
    const qsizetype rest = m_filled - m_pos;
    if (rest > 0 && m_pos > 0)
        std::memmove(m_window.data(), m_window.data() + m_pos, size_t(rest));
    m_filled = rest;
    m_pos = 0;

    const qsizetype capacity = qsizetype(m_window.size());
    while (!m_streamDone && m_filled < capacity) {
        const qint64 got = m_stream->read(m_window.data() + m_filled, capacity - m_filled);
        if (got <= 0)
            m_streamDone = true;
        else
            m_filled += got;
    }

    if (m_filled < capacity) {
        m_end = m_filled;
        return;
    }
    // A full window ends after its last line feed, searched from the second
    // byte to the last but one, so that no line is cut at the window's edge.
    for (qsizetype i = capacity - 2; i >= 1; --i) {
        if (m_window[size_t(i)] == '\n') {
            m_end = i + 1;
            return;
        }
    }
    throw EParserError(QStringLiteral("%1 on line %2").arg(QStringLiteral("Line too long")).arg(m_line));
}

bool TXMLTokenizer::ensureByte()
{
    if (m_pos < m_end)
        return true;
    if (m_streamDone && m_pos >= m_filled)
        return false;
    refill();
    return m_pos < m_end;
}

void TXMLTokenizer::skipBlanks()
{
    while (ensureByte()) {
        const char c = m_window[size_t(m_pos)];
        if (!isBlank(c))
            return;
        if (c == '\n')
            ++m_line;
        ++m_pos;
    }
}

void TXMLTokenizer::next()
{
    m_text.clear();
    m_kind = EndOfInput;
    if (m_inputEnded)
        return;

    skipBlanks();
    if (!ensureByte() || m_window[size_t(m_pos)] == '\0') {
        m_inputEnded = true;
        return;
    }
    if (m_window[size_t(m_pos)] == '<')
        readTag();
    else
        readText();
}

void TXMLTokenizer::readTag()
{
    // Up to and including the first ">", whatever lies between.
    QByteArray raw;
    while (ensureByte()) {
        const char *from = m_window.data() + m_pos;
        const qsizetype avail = m_end - m_pos;
        const auto *gt = static_cast<const char *>(std::memchr(from, '>', size_t(avail)));
        if (gt) {
            const qsizetype n = gt - from + 1;
            raw.append(from, n);
            m_pos += n;
            m_kind = classify(raw);
            m_text = cleanUp(std::move(raw));
            return;
        }
        raw.append(from, avail);
        m_pos += avail;
    }
    // A "<" without a closing ">" ends the input; the partial tag is dropped.
    m_inputEnded = true;
    m_kind = EndOfInput;
}

void TXMLTokenizer::readText()
{
    // Up to the next "<", the end of the data or a zero byte. The run's trailing
    // blanks are not part of it; their line feeds still count as skipped.
    QByteArray raw;
    while (ensureByte()) {
        const char *from = m_window.data() + m_pos;
        const qsizetype avail = m_end - m_pos;
        qsizetype n = 0;
        while (n < avail && from[n] != '<' && from[n] != '\0')
            ++n;
        raw.append(from, n);
        m_pos += n;
        if (n < avail)
            break;
    }
    qsizetype keep = raw.size();
    while (keep > 0 && isBlank(raw[keep - 1]))
        --keep;
    m_line += int(std::count(raw.cbegin() + keep, raw.cend(), '\n'));
    raw.truncate(keep);
    m_kind = Text;
    m_text = cleanUp(std::move(raw));
}

TXMLTokenizer::Kind TXMLTokenizer::classify(const QByteArray &tag)
{
    if (startsWithNoCase(tag, "<?xml"))
        return Declaration;
    if (tag.startsWith("<!--"))
        return Comment;
    if (tag.endsWith("/>"))
        return EmptyElementTag;
    if (tag.startsWith("</"))
        return EndTag;
    return StartTag;
}

QByteArray TXMLTokenizer::cleanUp(QByteArray text)
{
    if (text.contains('\n')) {
        text.replace("\r\n", "");
        text.replace("\n\r", "");
    }
    if (text.contains("  ")) {
        qsizetype out = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == ' ' && out > 0 && text[out - 1] == ' ')
                continue;
            text[out++] = text[i];
        }
        text.truncate(out);
    }
    return text;
}

#include "params/TXMLTokenizer.h"

#include "params/ByteScan.h"
#include "params/EParserError.h"

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
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
        const char *window = m_window.data();
        while (m_pos < m_end && isBlank(window[m_pos])) {
            if (window[m_pos] == '\n')
                ++m_line;
            ++m_pos;
        }
        if (m_pos < m_end)
            return;
    }
}

void TXMLTokenizer::next()
{
    m_text = {};
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
    // Up to and including the first ">", whatever lies between. Most tags lie
    // inside the window and are used in place; the rest are joined in a buffer.
    m_joined.clear();
    bool joined = false;
    while (ensureByte()) {
        const char *from = m_window.data() + m_pos;
        const qsizetype avail = m_end - m_pos;
        const auto *gt = static_cast<const char *>(std::memchr(from, '>', size_t(avail)));
        if (gt) {
            const qsizetype n = gt - from + 1;
            m_pos += n;
            if (joined) {
                m_joined.append(from, size_t(n));
                setText(m_joined.data(), qsizetype(m_joined.size()));
            } else {
                setText(from, n);
            }
            m_kind = classify(QByteArrayView(joined ? m_joined.data() : from, joined ? qsizetype(m_joined.size()) : n));
            return;
        }
        m_joined.append(from, size_t(avail));
        joined = true;
        m_pos += avail;
    }
    // A "<" without a closing ">" ends the input; the partial tag is dropped.
    m_inputEnded = true;
    m_kind = EndOfInput;
    m_text = {};
}

void TXMLTokenizer::readText()
{
    // Up to the next "<", the end of the data or a zero byte. The run's trailing
    // blanks are not part of it; their line feeds still count as skipped.
    m_joined.clear();
    bool joined = false;
    const char *run = nullptr;
    qsizetype size = 0;
    while (ensureByte()) {
        const char *from = m_window.data() + m_pos;
        const qsizetype avail = m_end - m_pos;
        const qsizetype stop = ByteScan::find(from, from + avail, '<', '\0');
        const qsizetype n = stop < 0 ? avail : stop;
        m_pos += n;
        if (n == avail || joined) {
            m_joined.append(from, size_t(n));
            joined = true;
        } else {
            run = from;
            size = n;
        }
        if (n < avail)
            break;
    }
    if (joined) {
        run = m_joined.data();
        size = qsizetype(m_joined.size());
    }
    qsizetype keep = size;
    while (keep > 0 && isBlank(run[keep - 1]))
        --keep;
    m_line += int(std::count(run + keep, run + size, '\n'));
    m_kind = Text;
    setText(run, keep);
}

void TXMLTokenizer::setText(const char *data, qsizetype size)
{
    const QByteArrayView raw(data, size);
    // Most tokens need no clean-up: look for a line feed or two spaces first.
    if (!ByteScan::hasLineFeedOrSpaces(data, data + size)) {
        m_text = raw;
        return;
    }
    // Remove the CR LF pairs, then the LF CR pairs (each a single pass over
    // the text), then collapse runs of spaces.
    QByteArray cleaned = raw.toByteArray();
    cleaned.replace("\r\n", "");
    cleaned.replace("\n\r", "");
    m_cleaned.clear();
    for (char c : std::as_const(cleaned)) {
        if (c == ' ' && !m_cleaned.empty() && m_cleaned.back() == ' ')
            continue;
        m_cleaned.push_back(c);
    }
    m_text = QByteArrayView(m_cleaned.data(), qsizetype(m_cleaned.size()));
}

TXMLTokenizer::Kind TXMLTokenizer::classify(QByteArrayView tag)
{
    // The tests in their order of precedence; a tag is at least "<>".
    const char second = tag[1];
    if (second == '?' && tag.size() >= 5 && qstrnicmp(tag.data(), "<?xml", 5) == 0)
        return Declaration;
    if (second == '!' && tag.startsWith("<!--"))
        return Comment;
    if (tag[tag.size() - 2] == '/')
        return EmptyElementTag;
    if (second == '/')
        return EndTag;
    return StartTag;
}

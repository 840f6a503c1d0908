#include "base/SystemText.h"

namespace {

constexpr char16_t KeptByteBase = 0xDC00;

bool isContinuation(unsigned char b, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return b >= low && b <= high;
}

// The length of the valid UTF-8 sequence that starts at p (a byte of 80 or
// above), or 0 when none does: no overlong forms, no surrogates, nothing
// above U+10FFFF, nothing cut short.
int sequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char lead = *p;
    const qsizetype left = end - p;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return left >= 3 && isContinuation(p[1], low, high) && isContinuation(p[2]) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && isContinuation(p[1], low, high) && isContinuation(p[2])
                               && isContinuation(p[3])
                       ? 4
                       : 0;
    }
    return 0;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

namespace SystemText {

QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // Never more UTF-16 units than bytes.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const begin = out;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *out++ = b;
            ++p;
            continue;
        }
        const int length = sequenceLength(p, end);
        if (length == 0) {
            *out++ = char16_t(KeptByteBase + b);
            ++p;
            continue;
        }
        char32_t c = b & (0xFF >> (length + 1));
        for (int i = 1; i < length; ++i)
            c = (c << 6) | (p[i] & 0x3F);
        p += length;
        if (c >= 0x10000) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = char16_t(c);
        }
    }
    text.truncate(out - begin);
    return text;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(c, text.at(++i)));
        } else if (const int byte = keptByte(c); byte >= 0) {
            out += char(byte);
        } else {
            appendUtf8(out, c.isSurrogate() ? char32_t(QChar::ReplacementCharacter)
                                            : char32_t(c.unicode()));
        }
    }
    return out;
}

QString caseFolded(const QString &text)
{
    QString folded;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (keptByte(text.at(i)) < 0)
            continue;
        folded += text.sliced(runStart, i - runStart).toCaseFolded();
        folded += text.at(i);
        runStart = i + 1;
    }
    if (runStart == 0)
        return text.toCaseFolded();
    return folded + text.sliced(runStart).toCaseFolded();
}

QString displayed(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown) {
        if (keptByte(c) >= 0)
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString escapedControls(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= 0x20 && code != 0x7F && (code < 0x80 || code > 0x9F)) {
            shown += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            shown += QStringLiteral("\\x%1").arg(uchar(byte), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

} // namespace SystemText

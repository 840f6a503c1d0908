#pragma once

#include <QByteArray>
#include <QString>

// The one conversion between the bytes of the editor's files (profile, style
// files, stored values) and the text the program holds. Files are 8-bit text:
// bytes that form valid UTF-8 become their characters, and every other byte
// is kept as a code point of its own, U+DC80 to U+DCFF for the bytes 80 to FF
// (a lone low surrogate, which no valid UTF-8 can produce), so that encoding
// the text gives back exactly the bytes it came from. A leading byte order
// mark stays a character. A text decodes the same whole or in pieces split at
// ASCII bytes.
namespace SystemText {

inline bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString decode(QByteArrayView bytes);

// Characters as UTF-8, kept bytes as themselves. A lone surrogate that stands
// for no byte, which no decoded text holds, becomes U+FFFD.
QByteArray encode(QStringView text);

// The kept byte a character stands for, or -1 for an ordinary character.
inline int keptByte(QChar c)
{
    return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF ? int(c.unicode() - 0xDC00) : -1;
}

// The text with its characters case-folded and its kept bytes as they are
// (Qt's own case conversions turn a lone surrogate into U+FFFD): keys that
// differ in such bytes never fold to the same text.
QString caseFolded(const QString &text);

// The text for places that show plain text only (status bar, tips, popups,
// messages): each kept byte as U+FFFD, the usual mark of a byte that is not
// text.
QString displayed(const QString &text);

// The text with each control character (codes below 32, 127 and U+0080 to
// U+009F), which would steer a terminal, written as the \xNN of its UTF-8
// bytes; every other character, kept bytes included, as it is.
QString escapedControls(const QString &text);

// The text without the blanks and control characters (codes up to 32) at
// either end.
inline QString trim(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace SystemText

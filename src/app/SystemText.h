#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// The editor's files are 8-bit text in the system code page, UTF-8 here.
// Bytes are taken as they stand: a leading byte order mark stays a character,
// and every byte that is not part of a valid sequence, also at the very end,
// becomes a replacement character, so that a text decodes the same whole or in
// pieces split at ASCII bytes.
namespace SystemText {

inline bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

inline QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

inline QByteArray encode(const QString &text)
{
    return text.toUtf8();
}

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

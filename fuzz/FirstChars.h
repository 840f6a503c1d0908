#pragma once

#include <QByteArrayView>
#include <QUtf8StringView>

// The first maxChars characters of bytes, counted on the bytes themselves: a
// byte that is not part of valid UTF-8 counts as one, a valid sequence is
// never split. What the table keeps of a field cut to its width.
inline QByteArrayView firstChars(QByteArrayView bytes, int maxChars)
{
    qsizetype at = 0;
    for (int chars = 0; chars < maxChars && at < bytes.size(); ++chars) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const bool valid = length > 1 && at + length <= bytes.size()
                           && QUtf8StringView(bytes.sliced(at, length)).isValidUtf8();
        at += valid ? length : 1;
    }
    return bytes.first(at);
}

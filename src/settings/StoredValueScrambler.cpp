#include "settings/StoredValueScrambler.h"

#include "base/SystemText.h"

namespace StoredValueScrambler {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString scramble(const QString &text, const QString &key)
{
    const QByteArray bytes = SystemText::encode(text);
    const QByteArray k = SystemText::encode(key);
    QByteArray mixed(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        mixed[i] = char(bytes[i] ^ k[i % k.size()]);
    return QString::fromLatin1(mixed.toHex());
}

QString unscramble(const QString &text, const QString &key)
{
    const QByteArray k = SystemText::encode(key);
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        const int value = high < 0 || low < 0 ? 32 : high * 16 + low;
        bytes.append(char(value ^ k[(i / 2) % k.size()]));
    }
    return SystemText::decode(bytes);
}

} // namespace StoredValueScrambler

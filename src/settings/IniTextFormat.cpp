#include "settings/IniTextFormat.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const QLatin1String GeneralSection("General");

// UTF-8 text, a leading U+FEFF included (QString::fromUtf8 would drop it as a byte order mark).
QString decoded(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Keys and section names: letters, digits and "_-." stand as they are, "/"
// becomes "\", anything else is %XX or %UXXXX.
QByteArray escapedKey(QStringView key)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    QByteArray result;
    result.reserve(key.size());
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == u'/') {
            result += '\\';
        } else if ((ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')
                   || ch == u'_' || ch == u'-' || ch == u'.') {
            result += char(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += hexDigits[ch >> 4];
            result += hexDigits[ch & 0xF];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += hexDigits[(ch >> shift) & 0xF];
        }
    }
    return result;
}

QString unescapedKey(QByteArrayView bytes)
{
    const QString key = decoded(bytes);
    QString result;
    result.reserve(key.size());
    for (qsizetype i = 0; i < key.size();) {
        const QChar ch = key.at(i);
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (ch == u'%' && i + 1 < key.size()) {
            const bool wide = key.at(i + 1) == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= key.size() ? QStringView(key).sliced(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                result += QChar(code);
                i = first + digits;
                continue;
            }
        }
        result += ch;
        ++i;
    }
    return result;
}

bool isHexDigit(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

// A text value: C escapes for control characters, quotes and backslashes, and
// double quotes around text with ";", "," or "=" or with a space at either end.
QByteArray escapedText(const QString &text)
{
    QString value = text.startsWith(u'@') ? QStringLiteral("@") + text : text; // "@" opens the typed notations
    QByteArray result;
    result.reserve(value.size() + 2);
    bool needsQuotes = false;
    bool escapeNextHexDigit = false; // after \0 or \xNN a digit would continue the escape
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t ch = value.at(i).unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        if (escapeNextHexDigit && isHexDigit(ch)) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextHexDigit = false;
        switch (ch) {
        case u'\0': result += "\\0"; escapeNextHexDigit = true; break;
        case u'\a': result += "\\a"; break;
        case u'\b': result += "\\b"; break;
        case u'\f': result += "\\f"; break;
        case u'\n': result += "\\n"; break;
        case u'\r': result += "\\r"; break;
        case u'\t': result += "\\t"; break;
        case u'\v': result += "\\v"; break;
        case u'"': result += "\\\""; break;
        case u'\\': result += "\\\\"; break;
        default:
            if (ch <= 0x1F) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextHexDigit = true;
            } else if (QChar::isHighSurrogate(ch) && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
                result += QStringView(value).sliced(i++, 2).toUtf8();
            } else if (QChar::isSurrogate(ch)) {
                result += "\\x" + QByteArray::number(ch, 16); // UTF-8 cannot carry half a pair
                escapeNextHexDigit = true;
            } else {
                result += QStringView(value).sliced(i, 1).toUtf8();
            }
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' '))
        result = '"' + result + '"';
    return result;
}

char16_t namedEscape(char16_t ch)
{
    switch (ch) {
    case u'a': return u'\a';
    case u'b': return u'\b';
    case u'f': return u'\f';
    case u'n': return u'\n';
    case u'r': return u'\r';
    case u't': return u'\t';
    case u'v': return u'\v';
    default: return ch; // \" \' \? \\ and anything unknown stand for the character itself
    }
}

// The items of a value: more than one when an unquoted comma separates them.
// Unquoted blanks around an item are dropped; quoted ones stay.
QStringList unescapedItems(QByteArrayView bytes)
{
    const QString raw = decoded(bytes); // escapes are ASCII, so decoding first is safe
    QStringList items;
    QString item;
    qsizetype kept = 0; // the item's length without unquoted blanks at its end
    bool inQuotes = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t ch = raw.at(i).unicode();
        if (ch == u'"') {
            inQuotes = !inQuotes;
            kept = item.size();
        } else if (ch == u',' && !inQuotes) {
            item.truncate(kept);
            items.append(item);
            item.clear();
            kept = 0;
        } else if ((ch == u' ' || ch == u'\t') && !inQuotes) {
            if (!item.isEmpty())
                item += QChar(ch);
        } else if (ch == u'\\' && i + 1 < raw.size()) {
            const char16_t next = raw.at(++i).unicode();
            if (next == u'x') {
                uint code = 0;
                while (i + 1 < raw.size() && isHexDigit(raw.at(i + 1).unicode()))
                    code = ((code << 4) | QStringView(raw).sliced(++i, 1).toUInt(nullptr, 16)) & 0xFFFF;
                item += QChar(char16_t(code));
            } else if (next >= u'0' && next <= u'7') {
                uint code = next - u'0';
                while (i + 1 < raw.size() && raw.at(i + 1) >= u'0' && raw.at(i + 1) <= u'7')
                    code = ((code << 3) | (raw.at(++i).unicode() - u'0')) & 0xFFFF;
                item += QChar(char16_t(code));
            } else {
                item += QChar(namedEscape(next));
            }
            kept = item.size();
        } else {
            item += QChar(ch);
            kept = item.size();
        }
    }
    item.truncate(kept);
    items.append(item);
    return items;
}

// Text, or the raw bytes of a value in a typed notation or a list.
QVariant valueOf(QByteArrayView bytes)
{
    static const QRegularExpression typedNotation(QStringLiteral("^@[A-Za-z]+\\(.*\\)$"),
                                                  QRegularExpression::DotMatchesEverythingOption);
    const QStringList items = unescapedItems(bytes);
    if (items.size() != 1)
        return QByteArray(bytes.data(), bytes.size());
    const QString &text = items.first();
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (typedNotation.match(text).hasMatch())
        return QByteArray(bytes.data(), bytes.size());
    return text;
}

// [General] holds the values outside any group; [%General] is the group called General.
QString sectionPrefix(QByteArrayView name)
{
    const QByteArrayView section = name.trimmed();
    if (section.isEmpty() || QLatin1String(section).compare(GeneralSection, Qt::CaseInsensitive) == 0)
        return QString();
    if (section.startsWith('%') && QLatin1String(section.sliced(1)).compare(GeneralSection, Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(section.sliced(1)) + QLatin1Char('/');
    return unescapedKey(section) + QLatin1Char('/');
}

// Keys as QSettings looks them up: no empty groups, no slash at either end.
QString normalizedKey(const QString &key)
{
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

} // namespace

QSettings::Format IniTextFormat::format()
{
    static const QSettings::Format registered = QSettings::registerFormat(QStringLiteral("conf"), read, write);
    return registered;
}

bool IniTextFormat::read(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray data = device.readAll();
    QByteArrayView rest(data);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    // Lines that are neither a section nor a value are passed over, as Qt's
    // reader does, so the rest of a damaged file still counts.
    QString prefix;
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest.at(end) != '\n' && rest.at(end) != '\r')
            ++end;
        const QByteArrayView line = rest.first(end).trimmed();
        rest = rest.sliced(std::min(end + 1, rest.size()));
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (close > 0)
                prefix = sectionPrefix(line.sliced(1, close - 1));
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = normalizedKey(prefix + unescapedKey(line.first(equals).trimmed()));
        if (!key.isEmpty())
            map.insert(key, valueOf(line.sliced(equals + 1)));
    }
    return true;
}

bool IniTextFormat::write(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Values outside any group first, under [General]; the map's order keeps
    // each section's values together.
    QByteArray general;
    QByteArray sections;
    QString section;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString &key = it.key();
        const qsizetype slash = key.indexOf(u'/');
        const QByteArray value = it->typeId() == QMetaType::QByteArray ? it->toByteArray() : escapedText(it->toString());
        if (slash < 0) {
            general += escapedKey(key) + '=' + value + '\n';
            continue;
        }
        const QStringView name = QStringView(key).first(slash);
        if (sections.isEmpty() || name != section) {
            section = name.toString();
            if (!sections.isEmpty())
                sections += '\n';
            const bool generalGroup = section.compare(GeneralSection, Qt::CaseInsensitive) == 0;
            sections += '[' + (generalGroup ? '%' + section.toLatin1() : escapedKey(section)) + "]\n";
        }
        sections += escapedKey(QStringView(key).sliced(slash + 1)) + '=' + value + '\n';
    }
    QByteArray file;
    if (!general.isEmpty())
        file = "[General]\n" + general + (sections.isEmpty() ? "" : "\n");
    file += sections;
    return device.write(file) == file.size();
}

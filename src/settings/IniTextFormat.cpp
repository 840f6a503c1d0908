#include "settings/IniTextFormat.h"

#include "base/SystemText.h"

#include <QFile>
#include <QFileDevice>
#include <QHash>
#include <QIODevice>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <optional>

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
        } else if ((ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z')
                   || (ch >= u'0' && ch <= u'9') || ch == u'_' || ch == u'-' || ch == u'.') {
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
            const ushort code = first + digits <= key.size()
                                        ? QStringView(key).sliced(first, digits).toUShort(&ok, 16)
                                        : 0;
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

// A text value: C escapes for control characters, quotes and backslashes,
// double quotes around text with ";", "," or "=" or with a space at either
// end, and kept bytes (SystemText) as the bytes they stand for.
QByteArray escapedText(const QString &text)
{
    QString value = text.startsWith(u'@') ? QStringLiteral("@") + text
                                          : text; // "@" opens the typed notations
    QByteArray result;
    result.reserve(value.size() + 2);
    bool needsQuotes = false;
    bool escapeNextHexDigit = false; // after \0 or \xNN a digit would continue the escape
    // Kept bytes go back as bytes unless, side by side, they would read as other text.
    const bool bytesReadBack = SystemText::decode(SystemText::encode(value)) == value;
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
        case u'\0':
            result += "\\0";
            escapeNextHexDigit = true;
            break;
        case u'\a':
            result += "\\a";
            break;
        case u'\b':
            result += "\\b";
            break;
        case u'\f':
            result += "\\f";
            break;
        case u'\n':
            result += "\\n";
            break;
        case u'\r':
            result += "\\r";
            break;
        case u'\t':
            result += "\\t";
            break;
        case u'\v':
            result += "\\v";
            break;
        case u'"':
            result += "\\\"";
            break;
        case u'\\':
            result += "\\\\";
            break;
        default:
            if (ch <= 0x1F) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextHexDigit = true;
            } else if (QChar::isHighSurrogate(ch) && i + 1 < value.size()
                       && value.at(i + 1).isLowSurrogate()) {
                result += QStringView(value).sliced(i++, 2).toUtf8();
            } else if (const int byte = SystemText::keptByte(QChar(ch));
                       byte >= 0 && bytesReadBack) {
                result += char(byte); // a byte of the file that is not UTF-8
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
    case u'a':
        return u'\a';
    case u'b':
        return u'\b';
    case u'f':
        return u'\f';
    case u'n':
        return u'\n';
    case u'r':
        return u'\r';
    case u't':
        return u'\t';
    case u'v':
        return u'\v';
    default:
        return ch; // \" \' \? \\ and anything unknown stand for the character itself
    }
}

// A value's text: escapes resolved, quoted parts taken as they are and
// unquoted blanks at either end dropped. An unquoted comma or semicolon is
// part of the text (a path may hold one), not a list separator or a comment
// as Qt would read it. Bytes that are not UTF-8 are kept (SystemText), so
// they are written back as they were.
QString unescapedText(QByteArrayView bytes)
{
    const QString raw = SystemText::decode(bytes); // escapes are ASCII, so decoding first is safe
    QString text;
    qsizetype kept = 0; // the length without unquoted blanks at the end
    bool inQuotes = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t ch = raw.at(i).unicode();
        if (ch == u'"') {
            inQuotes = !inQuotes;
            kept = text.size();
        } else if ((ch == u' ' || ch == u'\t') && !inQuotes) {
            if (!text.isEmpty())
                text += QChar(ch);
        } else if (ch == u'\\' && i + 1 < raw.size()) {
            const char16_t next = raw.at(++i).unicode();
            if (next == u'x') {
                uint code = 0;
                while (i + 1 < raw.size() && isHexDigit(raw.at(i + 1).unicode()))
                    code = ((code << 4) | QStringView(raw).sliced(++i, 1).toUInt(nullptr, 16))
                           & 0xFFFF;
                text += QChar(char16_t(code));
            } else if (next >= u'0' && next <= u'7') {
                uint code = next - u'0';
                while (i + 1 < raw.size() && raw.at(i + 1) >= u'0' && raw.at(i + 1) <= u'7')
                    code = ((code << 3) | (raw.at(++i).unicode() - u'0')) & 0xFFFF;
                text += QChar(char16_t(code));
            } else {
                text += QChar(namedEscape(next));
            }
            kept = text.size();
        } else {
            text += QChar(ch);
            kept = text.size();
        }
    }
    text.truncate(kept);
    return text;
}

// Text, or the raw bytes of a value in a typed notation.
QVariant valueOf(QByteArrayView bytes)
{
    static const QRegularExpression typedNotation(QStringLiteral("^@[A-Za-z]+\\(.*\\)$"),
                                                  QRegularExpression::DotMatchesEverythingOption);
    const QString text = unescapedText(bytes);
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
    if (section.isEmpty()
        || QLatin1String(section).compare(GeneralSection, Qt::CaseInsensitive) == 0)
        return QString();
    if (section.startsWith('%')
        && QLatin1String(section.sliced(1)).compare(GeneralSection, Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(section.sliced(1)) + QLatin1Char('/');
    return unescapedKey(section) + QLatin1Char('/');
}

// Keys as QSettings looks them up: no empty groups, no slash at either end.
QString normalizedKey(const QString &key)
{
    return key.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

// Longer entries are ignored: no path is longer, and a value of megabytes
// would cost the menus and the title that show it seconds and gigabytes.
constexpr qsizetype MaxEntryBytes = 4096;

// One line of the file and its end of line ("\r\n", "\r", "\n", or none at the end).
struct FileLine
{
    QByteArrayView text;
    QByteArrayView end;
};

QList<FileLine> linesOf(QByteArrayView data)
{
    QList<FileLine> lines;
    while (!data.isEmpty()) {
        qsizetype end = 0;
        while (end < data.size() && data.at(end) != '\n' && data.at(end) != '\r')
            ++end;
        qsizetype next = end;
        if (next < data.size())
            next += data.sliced(next).startsWith("\r\n") ? 2 : 1;
        lines.append({data.first(end), data.sliced(end, next - end)});
        data = data.sliced(next);
    }
    return lines;
}

QByteArrayView byteOrderMark(QByteArrayView data)
{
    return data.startsWith("\xEF\xBB\xBF") ? data.first(3) : QByteArrayView();
}

// A value line: the key as QSettings looks it up, the value, and where the
// key ends in the line.
struct Entry
{
    QString key;
    QVariant value;
    qsizetype keyEnd = 0;
    bool oversized = false; // too long to read; value is not set
};

// The value a line holds, with prefix the group of the section it stands in;
// a section line sets prefix. Lines that are neither a section nor a value
// are passed over, as Qt's reader does, so the rest of a damaged file still counts.
std::optional<Entry> entryOf(QByteArrayView text, QString &prefix)
{
    const QByteArrayView line = text.trimmed();
    if (line.isEmpty() || line.startsWith(';'))
        return std::nullopt;
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        if (close > 0)
            prefix = sectionPrefix(line.sliced(1, close - 1));
        return std::nullopt;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || equals > MaxEntryBytes)
        return std::nullopt;
    const QByteArrayView keyText = line.first(equals).trimmed();
    const QString key = normalizedKey(prefix + unescapedKey(keyText));
    if (key.isEmpty())
        return std::nullopt;
    const qsizetype keyEnd = keyText.data() + keyText.size() - text.data();
    const QByteArrayView value = line.sliced(equals + 1);
    if (value.size() > MaxEntryBytes)
        return Entry{key, QVariant(), keyEnd, true};
    return Entry{key, valueOf(value), keyEnd};
}

QByteArray valueText(const QVariant &value)
{
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray()
                                                   : escapedText(value.toString());
}

QByteArray sectionLine(const QString &section)
{
    if (section.isEmpty())
        return "[General]";
    const bool generalGroup = section.compare(GeneralSection, Qt::CaseInsensitive) == 0;
    return '[' + (generalGroup ? '%' + section.toLatin1() : escapedKey(section)) + ']';
}

// The file as it was, with the values the map changes rewritten in their
// lines, those it no longer holds taken out and new ones added at the end of
// their section. Every other line (comments, blank lines, lines the reader
// passes over, values as they were spelt, values too long to read) stays
// byte for byte.
QByteArray merged(QByteArrayView original, const QSettings::SettingsMap &map)
{
    const QByteArrayView bom = byteOrderMark(original);
    struct ParsedLine
    {
        FileLine line;
        std::optional<Entry> entry;
        QString prefix; // of the section the line stands in
    };
    QList<ParsedLine> lines;
    QHash<QString, qsizetype> liveLine; // the last readable line of each key, which the reader took
    QString prefix;
    for (const FileLine &line : linesOf(original.sliced(bom.size()))) {
        std::optional<Entry> entry = entryOf(line.text, prefix);
        if (entry && !entry->oversized)
            liveLine.insert(entry->key, lines.size());
        lines.append({line, std::move(entry), prefix});
    }
    const QByteArray newLine = lines.isEmpty() || lines.first().line.end.isEmpty()
                                       ? QByteArray("\n")
                                       : lines.first().line.end.toByteArray();

    QByteArray file(bom.data(), bom.size());
    QSet<QString> written;
    QHash<QString, qsizetype> sectionEnds; // where each section's last value or header ends in file
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto &[line, entry, section] = lines.at(i);
        const auto it = entry ? map.constFind(entry->key) : map.cend();
        bool rewrite = false;
        if (entry && !entry->oversized) {
            if (it == map.cend())
                continue; // the program removed it
            rewrite = liveLine.value(entry->key) == i && *it != entry->value;
        } else if (entry) {
            // A value too long to read gives way to one the program wrote.
            rewrite = it != map.cend() && !liveLine.contains(entry->key)
                      && !written.contains(entry->key);
        }
        if (rewrite) {
            file += line.text.first(entry->keyEnd);
            file += '=' + valueText(*it);
        } else {
            file += line.text;
        }
        file += line.end;
        if (entry && it != map.cend())
            written.insert(entry->key);
        if (entry || line.text.trimmed().startsWith('['))
            sectionEnds.insert(section, file.size());
    }

    // New values go below the last value of their section, or into a section
    // of their own at the end; the map's order keeps each section's values
    // together. Values outside any group go first, as Qt writes them.
    const auto endLine = [&file, newLine](qsizetype at) {
        return at > 0 && file.at(at - 1) != '\n' && file.at(at - 1) != '\r' ? newLine
                                                                            : QByteArray();
    };
    for (const bool outside : {true, false}) {
        QString section;
        QByteArray block;
        const auto flush = [&] {
            if (block.isEmpty())
                return;
            const QString sectionPrefix = section.isEmpty() ? QString() : section + u'/';
            if (const auto at = sectionEnds.constFind(sectionPrefix); at != sectionEnds.cend()) {
                const qsizetype position = *at;
                block.prepend(endLine(position));
                file.insert(position, block);
                for (qsizetype &end : sectionEnds) {
                    if (end >= position)
                        end += block.size();
                }
            } else {
                file += endLine(file.size());
                if (!file.isEmpty())
                    file += newLine;
                file += sectionLine(section) + newLine + block;
                sectionEnds.insert(sectionPrefix, file.size());
            }
            block.clear();
        };
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const qsizetype slash = it.key().indexOf(u'/');
            if (written.contains(it.key()) || (slash < 0) != outside)
                continue;
            const QString name = slash < 0 ? QString() : it.key().first(slash);
            if (name != section) {
                flush();
                section = name;
            }
            block += escapedKey(QStringView(it.key()).sliced(slash + 1)) + '=' + valueText(*it)
                     + newLine;
        }
        flush();
    }
    return file;
}

// The content of the file the device is about to replace: QSettings hands
// the writer only the values, and the file's own lines are kept from it.
QByteArray replacedContent(QIODevice &device)
{
    const auto *target = qobject_cast<QFileDevice *>(&device);
    if (!target)
        return QByteArray();
    QFile file(target->fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QSettings::Format IniTextFormat::format()
{
    static const QSettings::Format registered = QSettings::registerFormat(QStringLiteral("conf"),
                                                                          read, write);
    return registered;
}

bool IniTextFormat::read(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray data = device.readAll();
    QString prefix;
    for (const FileLine &line : linesOf(QByteArrayView(data).sliced(byteOrderMark(data).size()))) {
        const std::optional<Entry> entry = entryOf(line.text, prefix);
        if (entry && !entry->oversized)
            map.insert(entry->key, entry->value);
    }
    return true;
}

bool IniTextFormat::write(QIODevice &device, const QSettings::SettingsMap &map)
{
    const QByteArray file = merged(replacedContent(device), map);
    return device.write(file) == file.size();
}

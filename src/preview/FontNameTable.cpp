#include "preview/FontNameTable.h"

#include <QtEndian>

namespace {

constexpr int HeaderSize = 12;
constexpr int TableRecordSize = 16;

quint16 u16(const QByteArray &d, qsizetype at)
{
    return qFromBigEndian<quint16>(d.constData() + at);
}
quint32 u32(const QByteArray &d, qsizetype at)
{
    return qFromBigEndian<quint32>(d.constData() + at);
}

void put16(QByteArray &d, quint16 v)
{
    d.append(char(v >> 8)).append(char(v & 0xFF));
}
void put32(QByteArray &d, quint32 v)
{
    put16(d, quint16(v >> 16));
    put16(d, quint16(v & 0xFFFF));
}

// Offset of the table directory record of tag, or -1. Checks that the
// directory and the named table lie inside the data.
qsizetype tableRecord(const QByteArray &d, const char *tag)
{
    if (d.size() < HeaderSize)
        return -1;
    const quint32 version = u32(d, 0);
    if (version != 0x00010000
        && version != 0x4F54544F /* OTTO */ && version != 0x74727565 /* true */)
        return -1;
    const int tables = u16(d, 4);
    if (d.size() < HeaderSize + qsizetype(tables) * TableRecordSize)
        return -1;
    for (int i = 0; i < tables; ++i) {
        const qsizetype at = HeaderSize + qsizetype(i) * TableRecordSize;
        if (d.mid(at, 4) == tag)
            return quint64(u32(d, at + 8)) + u32(d, at + 12) <= quint64(d.size()) ? at : -1;
    }
    return -1;
}

QByteArray utf16be(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text)
        put16(bytes, c.unicode());
    return bytes;
}

quint32 checksum(const QByteArray &table)
{
    QByteArray padded = table;
    padded.append((4 - padded.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += u32(padded, i);
    return sum;
}

} // namespace

QByteArray FontNameTable::renamed(const QByteArray &data, const QString &family, bool bold,
                                  bool italic)
{
    const qsizetype record = tableRecord(data, "name");
    if (record < 0)
        return {};
    const QString style = bold && italic ? QStringLiteral("Bold Italic")
                          : bold         ? QStringLiteral("Bold")
                          : italic       ? QStringLiteral("Italic")
                                         : QStringLiteral("Regular");
    // Windows, Unicode BMP, US English: family, subfamily and full name.
    const QByteArray strings[] = {utf16be(family), utf16be(style), utf16be(family)};
    const quint16 ids[] = {1, 2, 4};
    QByteArray table;
    put16(table, 0);
    put16(table, 3);
    put16(table, quint16(6 + 3 * 12));
    quint16 offset = 0;
    for (int i = 0; i < 3; ++i) {
        for (quint16 v :
             {quint16(3), quint16(1), quint16(0x409), ids[i], quint16(strings[i].size()), offset})
            put16(table, v);
        offset += quint16(strings[i].size());
    }
    for (const QByteArray &s : strings)
        table += s;

    // The new table goes to the end; only its directory record changes.
    QByteArray font = data;
    font.append((4 - font.size() % 4) % 4, '\0');
    QByteArray entry;
    put32(entry, checksum(table));
    put32(entry, quint32(font.size()));
    put32(entry, quint32(table.size()));
    font.replace(record + 4, 12, entry);
    font += table;
    return font;
}

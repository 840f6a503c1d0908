#include "help/ChmFile.h"

#include <QFile>
#include <QStringList>
#include <QtEndian>

#include <chm_lib.h>

namespace {

// Paths are kept as the 8-bit text that the help compiler wrote.
QString fromStored(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? bytes : bytes.left(end));
}

quint32 readUInt32(const QByteArray &data, qsizetype offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

} // namespace

void ChmFile::Closer::operator()(chmFile *handle) const
{
    chm_close(handle);
}

ChmFile::ChmFile(const QString &fileName) : m_fileName(fileName)
{
    m_handle.reset(chm_open(QFile::encodeName(fileName).constData()));
    if (m_handle)
        readSystemFile();
}

ChmFile::~ChmFile() = default;

std::optional<QByteArray> ChmFile::read(const QString &path) const
{
    if (!m_handle)
        return std::nullopt;
    chmUnitInfo unit{};
    const QByteArray name = path.toLocal8Bit();
    if (chm_resolve_object(m_handle.get(), name.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    QByteArray data(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(m_handle.get(), &unit,
                                              reinterpret_cast<unsigned char *>(data.data()), 0,
                                              unit.length);
    if (got < 0)
        return std::nullopt;
    data.truncate(qsizetype(got));
    return data;
}

// "#SYSTEM" holds a version followed by records of a 16-bit code, a 16-bit
// length and the data; codes 0 to 3 name the contents file, the index file,
// the default topic and the title.
void ChmFile::readSystemFile()
{
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system)
        return;
    const QByteArray &data = *system;
    qsizetype pos = 4;
    while (pos + 4 <= data.size()) {
        const quint16 code = qFromLittleEndian<quint16>(data.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(data.constData() + pos + 2);
        pos += 4;
        if (pos + length > data.size())
            break;
        const QString text = fromStored(data.mid(pos, length));
        switch (code) {
        case 0:
            m_contentsFile = text;
            break;
        case 1:
            m_indexFile = text;
            break;
        case 2:
            m_defaultTopic = text;
            break;
        case 3:
            m_title = text;
            break;
        default:
            break;
        }
        pos += length;
    }
}

// "#IVB" holds its length and then pairs of a context number and an offset
// into "#STRINGS", where the topic's name is stored. Some compilers store the
// name with the project's own directory in front, so the result is the
// longest tail of it, directory by directory, that the file holds.
QString ChmFile::topicForContext(quint32 context) const
{
    const std::optional<QByteArray> map = read(QStringLiteral("/#IVB"));
    const std::optional<QByteArray> strings = read(QStringLiteral("/#STRINGS"));
    if (!map || !strings || map->size() < 4)
        return {};
    const qsizetype end = qMin<qsizetype>(map->size(), 4 + readUInt32(*map, 0));
    for (qsizetype pos = 4; pos + 8 <= end; pos += 8) {
        if (readUInt32(*map, pos) != context)
            continue;
        const quint32 offset = readUInt32(*map, pos + 4);
        if (offset >= quint32(strings->size()))
            return {};
        const QStringList parts
                = fromStored(strings->mid(offset)).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (qsizetype first = 0; first < parts.size(); ++first) {
            const QString topic = parts.mid(first).join(QLatin1Char('/'));
            if (read(QLatin1Char('/') + topic))
                return topic;
        }
        return {};
    }
    return {};
}

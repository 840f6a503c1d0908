#include "xml/XmlItem.h"

#include "base/SystemText.h"

#include <algorithm>

XmlItem::XmlItem(ProfileXmlReader *owner, XmlItem *parent) : m_parent(parent), m_owner(owner) {}

QString XmlItem::name() const
{
    return SystemText::decode(m_name);
}

QString XmlItem::text() const
{
    return SystemText::decode(m_text);
}

QStringList XmlItem::attributes() const
{
    QStringList lines;
    lines.reserve(m_attributeCount);
    QByteArrayView rest = m_attributes;
    for (int i = 0; i < m_attributeCount; ++i) {
        const qsizetype end = rest.indexOf('\n');
        lines.append(SystemText::decode(end < 0 ? rest : rest.first(end)));
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
    return lines;
}

QString XmlItem::attribute(QStringView name) const
{
    const bool asciiName = std::all_of(name.begin(), name.end(),
                                       [](QChar c) { return c.unicode() < 0x80; });
    const QByteArray latin1 = asciiName ? name.toLatin1() : QByteArray();
    QByteArrayView rest = m_attributes;
    for (int i = 0; i < m_attributeCount; ++i) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArrayView lineName = line.first(eq);
        const bool same = asciiName && SystemText::isAscii(lineName)
                                  ? lineName.size() == latin1.size()
                                            && qstrnicmp(lineName.data(), latin1.constData(), eq)
                                                       == 0
                                  : QStringView(SystemText::decode(lineName))
                                                    .compare(name, Qt::CaseInsensitive)
                                            == 0;
        if (same)
            return SystemText::decode(line.sliced(eq + 1));
    }
    return {};
}

void XmlItem::clear()
{
    m_children.clear();
    m_attributes = {};
    m_attributeCount = 0;
    m_name = {};
    m_text = {};
}

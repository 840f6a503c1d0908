#include "xml/TXMLItem.h"

#include "base/SystemText.h"
#include "xml/TECXMLParser.h"

#include <algorithm>

TXMLItem::TXMLItem(TECXMLParser *owner, TXMLItem *parent) : m_parent(parent), m_owner(owner) {}

QString TXMLItem::name() const
{
    return SystemText::decode(m_name);
}

void TXMLItem::setName(const QString &name)
{
    m_name = m_owner->bytes().store(SystemText::encode(name));
    notify();
}

QString TXMLItem::text() const
{
    return SystemText::decode(m_text);
}

void TXMLItem::setText(const QString &text)
{
    m_text = m_owner->bytes().store(SystemText::encode(text));
    notify();
}

QStringList TXMLItem::attributes() const
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

QString TXMLItem::attribute(QStringView name) const
{
    const bool asciiName = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
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
                              ? lineName.size() == latin1.size() && qstrnicmp(lineName.data(), latin1.constData(), eq) == 0
                              : QStringView(SystemText::decode(lineName)).compare(name, Qt::CaseInsensitive) == 0;
        if (same)
            return SystemText::decode(line.sliced(eq + 1));
    }
    return {};
}

void TXMLItem::clear()
{
    m_children.clear();
    m_attributes = {};
    m_attributeCount = 0;
    m_name = {};
    m_text = {};
}

TXMLItem *TXMLItem::newItem()
{
    m_children.push_back(m_owner->newItem(this));
    notify();
    return m_children.back();
}

void TXMLItem::deleteItem(int index)
{
    TXMLItem *gone = m_children[size_t(index)];
    m_children.erase(m_children.begin() + index);
    gone->clear();
    notify();
}

void TXMLItem::move(TXMLItem *child, int newIndex)
{
    const int from = indexOf(child);
    if (from < 0 || newIndex < 0 || newIndex >= count() || from == newIndex)
        return;
    m_children.erase(m_children.begin() + from);
    m_children.insert(m_children.begin() + newIndex, child);
}

int TXMLItem::indexOf(const TXMLItem *child) const
{
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i] == child)
            return int(i);
    }
    return -1;
}

int TXMLItem::indexOfName(QStringView name, int start) const
{
    for (int i = qMax(start, 0); i < count(); ++i) {
        if (item(i)->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TXMLItem::notify()
{
    if (m_owner->XMLItemChanged)
        m_owner->XMLItemChanged(m_owner, this);
}

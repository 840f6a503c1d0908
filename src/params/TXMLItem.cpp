#include "params/TXMLItem.h"

#include "params/TECXMLParser.h"

TXMLItem::TXMLItem(TECXMLParser *owner, TXMLItem *parent) : m_parent(parent), m_owner(owner) {}

TXMLItem::~TXMLItem()
{
    m_notify = false;
    releaseChildren();
}

// Frees the subtree without recursion, so that a deeply nested profile cannot
// exhaust the stack.
void TXMLItem::releaseChildren()
{
    std::vector<std::unique_ptr<TXMLItem>> pending = std::move(m_children);
    m_children.clear();
    while (!pending.empty()) {
        std::unique_ptr<TXMLItem> item = std::move(pending.back());
        pending.pop_back();
        item->m_notify = false;
        for (auto &child : item->m_children)
            pending.push_back(std::move(child));
        item->m_children.clear();
    }
}

void TXMLItem::setName(const QString &name)
{
    m_name = name;
    notify();
}

void TXMLItem::setText(const QString &text)
{
    m_text = text;
    notify();
}

QString TXMLItem::attribute(QStringView name) const
{
    for (const QString &line : m_attributes) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1);
    }
    return {};
}

void TXMLItem::clear()
{
    m_notify = false;
    releaseChildren();
    m_attributes.clear();
    m_name.clear();
    m_text.clear();
    m_notify = true;
}

TXMLItem *TXMLItem::newItem()
{
    m_children.push_back(std::make_unique<TXMLItem>(m_owner, this));
    notify();
    return m_children.back().get();
}

void TXMLItem::deleteItem(int index)
{
    std::unique_ptr<TXMLItem> gone = std::move(m_children[size_t(index)]);
    m_children.erase(m_children.begin() + index);
    gone.reset();
    notify();
}

void TXMLItem::move(TXMLItem *child, int newIndex)
{
    const int from = indexOf(child);
    if (from < 0 || newIndex < 0 || newIndex >= count() || from == newIndex)
        return;
    std::unique_ptr<TXMLItem> moving = std::move(m_children[size_t(from)]);
    m_children.erase(m_children.begin() + from);
    m_children.insert(m_children.begin() + newIndex, std::move(moving));
}

int TXMLItem::indexOf(const TXMLItem *child) const
{
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].get() == child)
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
    if (m_notify && m_owner && m_owner->XMLItemChanged)
        m_owner->XMLItemChanged(m_owner, this);
}

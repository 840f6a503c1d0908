#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TECXMLParser;

// One element of the profile's tree: name, character data, attribute lines
// ("name=value") and owned children in document order.
class TXMLItem
{
public:
    explicit TXMLItem(TECXMLParser *owner = nullptr, TXMLItem *parent = nullptr);
    ~TXMLItem();

    TXMLItem(const TXMLItem &) = delete;
    TXMLItem &operator=(const TXMLItem &) = delete;

    const QString &name() const { return m_name; }
    void setName(const QString &name);
    const QString &text() const { return m_text; }
    void setText(const QString &text);

    QStringList &attributes() { return m_attributes; }
    const QStringList &attributes() const { return m_attributes; }
    // The value of the first attribute line whose name matches, ignoring case;
    // empty when there is none.
    QString attribute(QStringView name) const;

    int count() const { return int(m_children.size()); }
    TXMLItem *item(int index) const { return m_children[size_t(index)].get(); }
    TXMLItem *parent() const { return m_parent; }
    TECXMLParser *owner() const { return m_owner; }

    // Deletes all children and empties name, text and attributes, silently.
    void clear();
    // Appends a new child and returns it.
    TXMLItem *newItem();
    void deleteItem(int index);
    void move(TXMLItem *child, int newIndex);
    int indexOf(const TXMLItem *child) const;
    int indexOfName(QStringView name, int start = 0) const;

private:
    void notify();
    void releaseChildren();

    QString m_text;
    QString m_name;
    QStringList m_attributes;
    std::vector<std::unique_ptr<TXMLItem>> m_children;
    TXMLItem *m_parent;
    TECXMLParser *m_owner;
    bool m_notify = true;
};

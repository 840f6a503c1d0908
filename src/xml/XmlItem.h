#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

class ProfileXmlReader;

// One element of the profile's tree: name, character data, attribute lines
// ("name=value") and children in document order. The strings are kept as the
// file's bytes in the owner's storage and turned into text when asked for.
// Items belong to their owner, which frees them all at the next load or at its
// own end.
class XmlItem
{
public:
    // owner must not be null: it holds the item's bytes.
    XmlItem(ProfileXmlReader *owner, XmlItem *parent);

    XmlItem(const XmlItem &) = delete;
    XmlItem &operator=(const XmlItem &) = delete;

    QString name() const;
    QByteArrayView nameBytes() const { return m_name; }
    QString text() const;
    QByteArrayView textBytes() const { return m_text; }

    QStringList attributes() const;
    // The attribute lines as the file's bytes, each ended by a line feed but the last.
    QByteArrayView attributeBytes() const { return m_attributes; }
    // The value of the first attribute line whose name matches, ignoring case;
    // empty when there is none.
    QString attribute(QStringView name) const;

    int count() const { return int(m_children.size()); }
    XmlItem *item(int index) const { return m_children[size_t(index)]; }
    XmlItem *parent() const { return m_parent; }
    ProfileXmlReader *owner() const { return m_owner; }

private:
    // The reader builds the tree; the profile load only reads it.
    friend class ProfileXmlReader;

    // Removes all children and empties name, text and attributes.
    void clear();

    QByteArrayView m_name;
    QByteArrayView m_text;
    QByteArrayView m_attributes; // the lines, each ended by a line feed but the last
    int m_attributeCount = 0;
    std::vector<XmlItem *> m_children;
    XmlItem *m_parent;
    ProfileXmlReader *m_owner;
};

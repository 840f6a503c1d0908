#pragma once

#include "xml/XmlByteArena.h"
#include "xml/XmlItem.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>
#include <vector>

// The profile reader: a small, forgiving, byte-oriented XML reader that turns
// a file into a tree of XmlItem. It knows tags, character data, comments,
// "<?xml" instructions and four named entities, and nothing else.
class ProfileXmlReader
{
public:
    ProfileXmlReader();
    ~ProfileXmlReader();

    XmlItem *root() const { return m_root.get(); }
    const QString &styleSheet() const { return m_styleSheet; }

    // Replaces the tree by the content of the file. Throws EditorError
    // ("Cannot open file %s") or XmlParseError ("Line too long on line %d").
    void loadFromFile(const QString &fileName);
    // The same from an open stream, read from its current position to its end.
    void loadFromStream(QIODevice *stream);

    // Replaces "&lt;", "&gt;", "&quot;" and "&amp;", each exactly once.
    static QByteArray decodeEntities(QByteArrayView text);

    // A file of at least this many bytes must have a line break between its
    // first and its last byte.
    static constexpr qsizetype LongestLine = 4096;

private:
    friend class XmlItem;

    static bool hasOverlongLine(QByteArrayView input);
    void buildTree(char *from, char *to);

    XmlByteArena &bytes() { return m_bytes; }
    XmlItem *newItem(XmlItem *parent);
    void clearItems();

    // Declared before the items: their bytes outlive every item.
    QByteArray m_input; // the file's bytes, cleaned in place; names and texts point into it
    XmlByteArena m_bytes;
    // Every item but the root, in chunks that never move.
    static constexpr int ItemsPerChunk = 256;
    std::vector<XmlItem *> m_chunks;
    int m_usedInLastChunk = 0;
    std::unique_ptr<XmlItem> m_root;
    QString m_styleSheet;
};

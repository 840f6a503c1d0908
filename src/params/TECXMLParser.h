#pragma once

#include "params/TXMLItem.h"
#include "params/XMLByteArena.h"

#include <QIODevice>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class TXMLTokenizer;

// The profile reader: a small, forgiving, byte-oriented XML reader that turns
// a file into a tree of TXMLItem. It knows tags, character data, comments,
// "<?xml" instructions and four named entities, and nothing else.
class TECXMLParser
{
public:
    TECXMLParser();
    ~TECXMLParser();

    TXMLItem *Root() const { return m_root.get(); }
    const QString &styleSheet() const { return m_styleSheet; }

    // Replaces the tree by the content of the file. Throws EditorError
    // ("Cannot open file %s") or EParserError ("Line too long on line %d").
    void LoadFromFile(const QString &fileName);
    // The same from an open, seekable stream.
    void LoadFromStream(QIODevice *stream);

    std::function<void(TECXMLParser *sender, bool &allow)> BeforeLoad;
    std::function<void(TECXMLParser *sender)> OnLoaded;
    std::function<void(TECXMLParser *sender, TXMLItem *item)> XMLItemChanged;

    // Replaces "&lt;", "&gt;", "&quot;" and "&amp;", each exactly once.
    static QByteArray decodeEntities(QByteArrayView text);

private:
    friend class TXMLItem;

    template<typename Tokenizer>
    void load(QIODevice *stream);
    void buildTree(TXMLTokenizer &tokenizer);

    XMLByteArena &bytes() { return m_bytes; }
    TXMLItem *newItem(TXMLItem *parent);

    // Declared before the root: the items' bytes outlive every item.
    XMLByteArena m_bytes;
    std::deque<TXMLItem> m_items; // every item but the root
    std::unique_ptr<TXMLItem> m_root;
    QString m_styleSheet;
};

// The profile reader on arbitrary bytes: it either builds a tree or reports
// "Line too long"; the tree it builds is consistent and can be walked and freed.
#include "params/EParserError.h"
#include "params/TECXMLParser.h"

#include <QBuffer>

#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void walk(const TXMLItem *root, const TECXMLParser *owner)
{
    std::vector<const TXMLItem *> pending{root};
    int visited = 0;
    while (!pending.empty()) {
        const TXMLItem *item = pending.back();
        pending.pop_back();
        check(item->owner() == owner);
        // What a profile load asks of an element; the first ones are enough
        // to reach every path, and text is costly under the sanitizers.
        if (++visited <= 64) {
            (void)item->attribute(u"type");
            (void)item->attribute(u"values");
            (void)item->attribute(u"default");
            (void)item->attributes();
            (void)item->text();
        }
        for (int i = 0; i < item->count(); ++i) {
            check(item->item(i)->parent() == item);
            check(item->indexOf(item->item(i)) == i);
            pending.push_back(item->item(i));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TECXMLParser parser;
    try {
        parser.LoadFromStream(&buffer);
    } catch (const EParserError &error) {
        check(error.message() == QLatin1String("Line too long on line 1"));
        check(parser.Root()->count() == 0 && parser.Root()->name().isEmpty());
        return 0;
    }
    walk(parser.Root(), &parser);
    return 0;
}

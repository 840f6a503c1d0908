// The profile reader must not depend on how its stream hands out the bytes: a
// stream that gives a few bytes per read yields exactly the tree (or the
// error) of one that gives the whole input at once.
#include "xml/ProfileXmlReader.h"
#include "xml/XmlParseError.h"

#include <QBuffer>

#include <cstdlib>
#include <vector>

namespace {

// A stream that gives at most a few bytes per read.
class TrickleDevice : public QBuffer
{
public:
    TrickleDevice(QByteArray *bytes, qint64 piece) : QBuffer(bytes), m_piece(piece) {}

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        return QBuffer::readData(data, qMin(maxSize, m_piece));
    }

private:
    qint64 m_piece;
};

// Name, attribute lines, text and children of every item, in document order.
QStringList dump(const ProfileXmlReader &parser)
{
    QStringList out;
    std::vector<const XmlItem *> pending{parser.root()};
    while (!pending.empty()) {
        const XmlItem *item = pending.back();
        pending.pop_back();
        out << item->name() << item->attributes().join(QLatin1Char('\n')) << item->text()
            << QString::number(item->count());
        for (int i = item->count() - 1; i >= 0; --i)
            pending.push_back(item->item(i));
    }
    return out;
}

QStringList load(QIODevice *stream)
{
    stream->open(QIODevice::ReadOnly);
    ProfileXmlReader parser;
    try {
        parser.loadFromStream(stream);
    } catch (const XmlParseError &error) {
        return {error.message()};
    }
    return dump(parser);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the piece size.
    const qint64 piece = 1 + data[0] % 64;
    QByteArray input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    QByteArray copy = input;
    QBuffer whole(&input);
    TrickleDevice trickle(&copy, piece);
    if (load(&whole) != load(&trickle))
        std::abort();
    return 0;
}

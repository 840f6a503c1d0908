// The reader's input window must be invisible to the tokens: a small window,
// refilled at line feeds, gives exactly the tokens and line numbers of a window
// that holds the whole input, unless it reports a line that does not fit.
#include "params/EParserError.h"
#include "params/TXMLTokenizer.h"

#include <QBuffer>

#include <cstdlib>

namespace {

class WindowTokenizer : public TXMLTokenizer
{
public:
    WindowTokenizer(QIODevice *stream, qsizetype windowSize) : TXMLTokenizer(stream, windowSize) {}
};

struct Token
{
    TXMLTokenizer::Kind kind;
    QByteArray text;
    int line;
    bool operator==(const Token &) const = default;
};

QList<Token> tokens(const QByteArray &bytes, qsizetype windowSize)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    WindowTokenizer tokenizer(&buffer, windowSize);
    QList<Token> result;
    for (;;) {
        result.append({tokenizer.kind(), tokenizer.text().toByteArray(), tokenizer.line()});
        if (tokenizer.kind() == TXMLTokenizer::EndOfInput)
            return result;
        tokenizer.next();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the window: at least 3 bytes, so that a refill can find a line feed.
    const qsizetype window = 3 + data[0] % 64;
    const QByteArray input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    // A window larger than the input is never full and so never cut.
    const QList<Token> whole = tokens(input, input.size() + 1);
    QList<Token> windowed;
    try {
        windowed = tokens(input, window);
    } catch (const EParserError &) {
        return 0;
    }
    if (windowed != whole)
        std::abort();
    return 0;
}

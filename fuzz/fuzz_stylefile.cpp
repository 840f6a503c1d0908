// Style file reading on arbitrary bytes, against a plain line-by-line reading:
// the first line of each key counts, keys compare without letter case, values
// are kept up to the reader's limit, and a NUL ends the text.
#include "app/SystemText.h"
#include "style/StyleFile.h"

#include <QHash>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const StyleFile style = StyleFile::fromBytes(bytes);

    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    QHash<QString, QString> expected;
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || size_t(eq) > StyleFile::KeyLimit)
            continue;
        const QString key = SystemText::decode(line.first(eq));
        if (!key.startsWith(QLatin1Char('&')) || expected.contains(key.toCaseFolded()))
            continue;
        const QByteArray value = line.sliced(eq + 1).left(qsizetype(StyleFile::ValueLimit));
        expected.insert(key.toCaseFolded(), SystemText::decode(value));
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (style.value(it.key().mid(1)) != it.value())
            std::abort();
    }
    return 0;
}

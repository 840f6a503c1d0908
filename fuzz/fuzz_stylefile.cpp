// Style file reading on arbitrary bytes, against a plain line-by-line reading:
// the first line of each key counts, keys compare without letter case, values
// are kept up to the reader's limit, and a NUL ends the text. Every value
// comes back with the bytes of its line, and so does the line the editor
// writes for it once the table has cut it to 20 characters (a byte that is
// not part of valid UTF-8 counting as one, a valid sequence never split).
#include "FirstChars.h"
#include "base/SystemText.h"
#include "params/ParameterRecord.h"
#include "style/StyleFile.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Line
{
    QString key;         // decoded, for the comparison without letter case
    QByteArray keyBytes; // "&" and the key's bytes
    QByteArray value;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const StyleFile style = StyleFile::fromBytes(bytes);

    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    // The first line of each key, found by Qt's own comparison without letter
    // case, which leaves bytes that are not UTF-8 (lone surrogates) as they are.
    std::vector<Line> expected;
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || size_t(eq) > StyleFile::KeyLimit)
            continue;
        const QString key = SystemText::decode(line.first(eq));
        if (!key.startsWith(QLatin1Char('&'))
            || std::any_of(expected.cbegin(), expected.cend(), [&key](const Line &seen) {
                   return seen.key.compare(key, Qt::CaseInsensitive) == 0;
               }))
            continue;
        expected.push_back(
                {key, line.first(eq), line.sliced(eq + 1).left(qsizetype(StyleFile::ValueLimit))});
    }
    for (const Line &line : expected) {
        const QString name = line.key.mid(1);
        const std::optional<QString> value = style.value(name);
        check(value && SystemText::encode(*value) == line.value);
        const QString stored = ParameterRecord::cut(*value, ParameterRecord::DefaultWidth);
        check(SystemText::encode(StyleFile::line(name, stored))
              == line.keyBytes + '='
                         + firstChars(line.value, ParameterRecord::DefaultWidth).toByteArray());
    }
    return 0;
}

// Stored-value unscrambling of arbitrary text never fails, and scrambling any
// text with any key reads back as that text.
#include "settings/StoredValueScrambler.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte gives the key's length, the key follows, the text is the rest.
    const size_t keyLength = qMin<size_t>(1 + data[0] % 16, size - 1);
    const char *bytes = reinterpret_cast<const char *>(data);
    const QString key = QString::fromUtf8(bytes + 1, qsizetype(keyLength));
    const QString text = QString::fromUtf8(bytes + 1 + keyLength, qsizetype(size - 1 - keyLength));
    if (key.isEmpty())
        return 0;

    (void)StoredValueScrambler::unscramble(text, key);

    const QString scrambled = StoredValueScrambler::scramble(text, key);
    if (scrambled.size() != 2 * text.toUtf8().size()
        || StoredValueScrambler::unscramble(scrambled, key) != text)
        std::abort();
    return 0;
}

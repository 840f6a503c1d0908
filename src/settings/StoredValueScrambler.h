#pragma once

#include <QString>

// Keeps stored values from being read or edited casually in the user's
// settings: each byte is XORed with the key string and written as two
// lower-case hex digits.
namespace StoredValueScrambler {

// Twice as long as the text's bytes; empty for an empty text. key must not be empty.
QString scramble(const QString &text, const QString &key);
// Reads the text in pairs of hex digits; an odd last character is ignored
// and a pair that is not hex counts as 32.
QString unscramble(const QString &text, const QString &key);

} // namespace StoredValueScrambler

#pragma once

#include <QString>

#include <optional>

// Reading whole numbers from the texts of the table.
namespace IntegerText {

// A decimal integer with an optional sign, blanks around it allowed; throws
// EditorError "'%s' is not a valid integer value" for anything else.
qint32 readDecimal(const QString &text);

// "$" followed by hexadecimal digits whose value fits in 32 bits; nothing else.
std::optional<quint32> readHex(const QString &text);

} // namespace IntegerText

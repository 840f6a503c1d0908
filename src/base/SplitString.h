#pragma once

#include <QStringList>

// The pieces of text between occurrences of delimiter (exact, case-sensitive).
// Always at least one piece: an empty text gives one empty piece, and empty
// pieces between or after delimiters are kept.
QStringList splitString(const QString &text, const QString &delimiter);

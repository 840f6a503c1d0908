#pragma once

#include <QString>

// RRGGBB becomes BBGGRR and back: a text of exactly six characters gets its
// first and last two-character groups exchanged; any other text is returned as is.
QString swapColorBytes(const QString &text);

#pragma once

#include <QByteArray>
#include <QString>

// Renames a TrueType or OpenType font. The player registers each font file
// under the full name the file carries ("DejaVu Sans Bold") and then finds a
// movie's bold or italic text only under that name, never under the family a
// movie asks for ("DejaVu Sans" with bold on). A face handed over under its
// family's name is found for every style the file has.
namespace FontNameTable {

// The font with a new name table whose family and full name are both family
// and whose subfamily tells the style; the other tables are untouched. Empty
// when data is not a single TrueType or OpenType font.
QByteArray renamed(const QByteArray &data, const QString &family, bool bold, bool italic);

} // namespace FontNameTable

#pragma once

#include <QList>
#include <QString>

// The system's font files of one family, as fontconfig knows them: at most
// one face for each of regular, bold, italic and bold italic, of normal
// width, in the formats the player reads (TrueType and OpenType, not
// collections).
struct DeviceFontFace
{
    QString file;
    bool bold = false;
    bool italic = false;
};

namespace DeviceFontFiles {

QList<DeviceFontFace> facesOf(const QString &family);

// The family fontconfig picks for a generic name such as "sans-serif";
// empty when it knows none.
QString defaultFamily(const QString &generic);

} // namespace DeviceFontFiles

#pragma once

#include <QByteArray>
#include <QImage>

// Encodes a picture as a GIF with one 256-colour palette (Qt reads GIFs but
// does not write them).
namespace GifWriter {

QByteArray encode(const QImage &image);

} // namespace GifWriter

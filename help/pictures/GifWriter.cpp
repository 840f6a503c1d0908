#include "GifWriter.h"

#include <QHash>

namespace {

constexpr int MinCodeSize = 8;
constexpr int ClearCode = 1 << MinCodeSize;
constexpr int EndCode = ClearCode + 1;
constexpr int MaxCode = 4095;

class BitWriter
{
public:
    void put(int code, int size)
    {
        m_buffer |= quint32(code) << m_bits;
        m_bits += size;
        while (m_bits >= 8) {
            m_bytes += char(m_buffer & 0xFF);
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes += char(m_buffer & 0xFF);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

// Variable-length LZW: codes start one bit wider than a pixel and grow to
// 12 bits; a full table is cleared and started again.
QByteArray compress(const uchar *pixels, qsizetype count)
{
    BitWriter out;
    QHash<int, int> table; // (prefix code << 8 | pixel) -> code
    int codeSize = MinCodeSize + 1;
    int lastCode = EndCode;
    out.put(ClearCode, codeSize);
    int prefix = pixels[0];
    for (qsizetype i = 1; i < count; ++i) {
        const int key = (prefix << 8) | pixels[i];
        const auto found = table.constFind(key);
        if (found != table.constEnd()) {
            prefix = *found;
            continue;
        }
        out.put(prefix, codeSize);
        table.insert(key, ++lastCode);
        if (lastCode >= (1 << codeSize))
            ++codeSize;
        if (lastCode == MaxCode) {
            out.put(ClearCode, codeSize);
            table.clear();
            codeSize = MinCodeSize + 1;
            lastCode = EndCode;
        }
        prefix = pixels[i];
    }
    out.put(prefix, codeSize);
    out.put(EndCode, codeSize);
    return out.finish();
}

void putWord(QByteArray &out, int value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

} // namespace

QByteArray GifWriter::encode(const QImage &image)
{
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8,
                                                 Qt::ThresholdDither | Qt::AvoidDither);
    const int width = indexed.width();
    const int height = indexed.height();

    QByteArray gif("GIF89a");
    putWord(gif, width);
    putWord(gif, height);
    gif += char(0xF7); // a global palette of 256 colours, 8 bits per primary
    gif += char(0);    // background colour
    gif += char(0);    // square pixels
    const QList<QRgb> colors = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb rgb = i < colors.size() ? colors[i] : 0;
        gif += char(qRed(rgb));
        gif += char(qGreen(rgb));
        gif += char(qBlue(rgb));
    }

    gif += char(0x2C); // image descriptor: the whole screen, no local palette
    putWord(gif, 0);
    putWord(gif, 0);
    putWord(gif, width);
    putWord(gif, height);
    gif += char(0);

    QByteArray pixels;
    pixels.reserve(qsizetype(width) * height);
    for (int y = 0; y < height; ++y)
        pixels.append(reinterpret_cast<const char *>(indexed.constScanLine(y)), width);
    const QByteArray data = compress(reinterpret_cast<const uchar *>(pixels.constData()),
                                     pixels.size());

    gif += char(MinCodeSize);
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const QByteArray block = data.mid(pos, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += char(0); // end of the image data
    gif += char(0x3B);
    return gif;
}

#include "editors/KeptByteText.h"

#include "base/SystemText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Windows-1252 for 80 to 9F; 0 where the code page leaves a byte undefined.
constexpr char16_t Cp1252High[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QString byteShown(int byte)
{
    const char16_t c = byte >= 0xA0 ? char16_t(byte) : Cp1252High[byte - 0x80];
    return c ? QString(QChar(c)) : QString::number(byte, 16).toUpper();
}

} // namespace

bool KeptByteText::holdsKeptBytes(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return SystemText::keptByte(c) >= 0; });
}

QString KeptByteText::shown(const QString &text, QList<QTextLayout::FormatRange> *marks)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const int byte = SystemText::keptByte(c);
        if (byte < 0) {
            result += c;
            continue;
        }
        const QString mark = byteShown(byte);
        if (marks)
            marks->append({int(result.size()), int(mark.size()), {}});
        result += mark;
    }
    return result;
}

void KeptByteText::draw(QPainter *painter, const QRect &rect, const QString &text,
                        const QFont &font, const QColor &foreground, const QColor &background,
                        Qt::Alignment alignment)
{
    QList<QTextLayout::FormatRange> marks;
    QTextLayout layout(shown(text, &marks), font, painter->device());
    QTextCharFormat inverted;
    inverted.setForeground(background);
    inverted.setBackground(foreground);
    for (QTextLayout::FormatRange &mark : marks)
        mark.format = inverted;
    layout.setFormats(marks);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(int(layout.text().size()));
    layout.endLayout();

    const QFontMetrics metrics(font, painter->device());
    const QString ellipsis(QChar(0x2026));
    const bool tooWide = line.naturalTextWidth() > rect.width();
    QRect textRect = rect;
    if (tooWide)
        textRect.setRight(rect.right() - metrics.horizontalAdvance(ellipsis));
    const qreal y = rect.top() + (rect.height() - line.height()) / 2;
    qreal x = rect.left();
    if (!tooWide && (alignment & Qt::AlignRight))
        x = rect.right() + 1 - line.naturalTextWidth();
    else if (!tooWide && (alignment & Qt::AlignHCenter))
        x = rect.left() + (rect.width() - line.naturalTextWidth()) / 2;

    painter->save();
    painter->setPen(foreground);
    painter->setClipRect(textRect, Qt::IntersectClip);
    layout.draw(painter, QPointF(x, y));
    painter->restore();
    if (tooWide) {
        painter->save();
        painter->setPen(foreground);
        painter->setFont(font);
        painter->drawText(QRect(textRect.right() + 1, rect.top(), rect.right() - textRect.right(),
                                rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, ellipsis);
        painter->restore();
    }
}

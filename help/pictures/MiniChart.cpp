#include "MiniChart.h"

#include <QPainterPath>

#include <algorithm>

namespace {

const double Values[3][5] = {{12, 19, 15, 27, 23}, {8, 11, 17, 14, 20}, {5, 9, 7, 12, 16}};
const char *const Categories[5] = {"Q1", "Q2", "Q3", "Q4", "Q5"};

QFont styledFont(const QString &family, int pointSize, int style)
{
    QFont font(family);
    font.setPixelSize(std::max(5, pointSize * 4 / 3));
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    return font;
}

QString formatNumber(double value, const QString &format)
{
    // The sample's values are thousands.
    const QString whole = QString::number(qint64(value * 1000));
    const QString decimals = QStringLiteral("00");
    if (format == QLatin1String("1000.00"))
        return whole + QLatin1Char('.') + decimals;
    // Thousands grouped by "," or " ", decimals after "." or ",".
    const bool european = format.startsWith(QLatin1String("1 "));
    QString grouped = whole;
    for (qsizetype pos = grouped.size() - 3; pos > 0; pos -= 3)
        grouped.insert(pos, european ? QLatin1Char(' ') : QLatin1Char(','));
    return grouped + (european ? QLatin1Char(',') : QLatin1Char('.')) + decimals;
}

void frame(QPainter &p, const QRectF &r)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE0, 0x20, 0x20), 2, Qt::DashLine));
    p.drawRoundedRect(r.adjusted(-2, -2, 2, 2), 3, 3);
    p.restore();
}

} // namespace

void MiniChart::draw(QPainter &p, const QRect &area) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(opacity / 255.0);
    const double grow = growPercent / 100.0;

    // Background and border.
    p.fillRect(area, background);
    if (borderWidth > 0) {
        p.setPen(QPen(borderColor, borderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        const double half = borderWidth / 2.0;
        p.drawRect(QRectF(area).adjusted(half, half, -half, -half));
    }
    if (highlight == QLatin1String("border"))
        frame(p, QRectF(area).adjusted(2, 2, -2, -2));
    QRectF inner = QRectF(area).adjusted(margin + borderWidth, margin + borderWidth,
                                         -margin - borderWidth, -margin - borderWidth);
    if (highlight == QLatin1String("plot"))
        frame(p, inner);

    // Title and subtitle.
    const QFont titleF = styledFont(titleFont, titleSize, titleStyle);
    p.setFont(titleF);
    p.setPen(titleColor);
    const double titleHeight = QFontMetricsF(titleF).height();
    const QRectF titleRect(inner.left(), inner.top(), inner.width(), titleHeight);
    p.drawText(titleRect, int(titleAlign | Qt::AlignVCenter), title);
    if (highlight == QLatin1String("title"))
        frame(p, p.boundingRect(titleRect, int(titleAlign | Qt::AlignVCenter), title));
    const QFont subF = styledFont(titleFont, 6, 0);
    p.setFont(subF);
    const QRectF subRect(inner.left(), titleRect.bottom(), inner.width(),
                         QFontMetricsF(subF).height());
    p.setPen(titleColor.lighter(130));
    p.drawText(subRect, int(titleAlign | Qt::AlignVCenter), subtitle);
    if (highlight == QLatin1String("subtitle"))
        frame(p, p.boundingRect(subRect, int(titleAlign | Qt::AlignVCenter), subtitle));
    inner.setTop(subRect.bottom() + 4);

    // Legend.
    if (legend) {
        const QFont legendF = styledFont(legendFont, legendSize, 0);
        const QFontMetricsF fm(legendF);
        const double row = fm.height() + 2;
        const bool vertical = legendPos == QLatin1String("right")
                              || legendPos == QLatin1String("left");
        const double itemWidth = fm.horizontalAdvance(QStringLiteral("Series 3")) + 14;
        const QSizeF size = vertical ? QSizeF(itemWidth + 6, row * 3 + 4)
                                     : QSizeF(itemWidth * 3 + 6, row + 4);
        QRectF box;
        if (legendPos == QLatin1String("right")) {
            box = QRectF(inner.right() - size.width(), inner.top() + 4, size.width(), size.height());
            inner.setRight(box.left() - 6);
        } else if (legendPos == QLatin1String("left")) {
            box = QRectF(inner.left(), inner.top() + 4, size.width(), size.height());
            inner.setLeft(box.right() + 6);
        } else if (legendPos == QLatin1String("top")) {
            box = QRectF(inner.center().x() - size.width() / 2, inner.top(), size.width(),
                         size.height());
            inner.setTop(box.bottom() + 4);
        } else {
            box = QRectF(inner.center().x() - size.width() / 2, inner.bottom() - size.height(),
                         size.width(), size.height());
            inner.setBottom(box.top() - 4);
        }
        p.setPen(QPen(legendBg.darker(115), 1));
        p.setBrush(legendBg);
        p.drawRect(box);
        p.setFont(legendF);
        for (int s = 0; s < 3; ++s) {
            const QPointF at = vertical ? QPointF(box.left() + 4, box.top() + 2 + s * row)
                                        : QPointF(box.left() + 4 + s * itemWidth, box.top() + 2);
            p.fillRect(QRectF(at.x(), at.y() + row / 2 - 4, 8, 8), series[s]);
            p.setPen(legendColor);
            p.drawText(QRectF(at.x() + 11, at.y(), itemWidth - 11, row), Qt::AlignVCenter,
                       QStringLiteral("Series %1").arg(s + 1));
        }
        if (highlight == QLatin1String("legend"))
            frame(p, box);
    }

    if (type == QLatin1String("pie")) {
        const double side = std::min(inner.width(), inner.height()) - 4;
        const QRectF pie(inner.center().x() - side / 2, inner.center().y() - side / 2, side, side);
        double total = 0;
        for (int s = 0; s < 3; ++s)
            total += Values[s][4];
        int start = 90 * 16;
        for (int s = 0; s < 3; ++s) {
            const int span = int(-Values[s][4] / total * 360 * 16 * grow);
            if (shadow) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, shadow == 1 ? 40 : 110));
                p.drawPie(pie.translated(shadow == 1 ? 3 : 2, shadow == 1 ? 3 : 2), start, span);
            }
            p.setPen(QPen(background, 1));
            p.setBrush(series[s]);
            p.drawPie(pie, start, span);
            start += span;
        }
        if (highlight.startsWith(QLatin1String("series")))
            frame(p, pie);
        p.restore();
        return;
    }

    // Axes, with labels on the value axis.
    const bool horizontal = type == QLatin1String("hbar");
    const QFont axisF = styledFont(axisFont, axisFontSize, axisFontStyle);
    const QFontMetricsF afm(axisF);
    const double labelWidth = afm.horizontalAdvance(formatNumber(yMax, numberFormat)) + 4;
    QRectF plot = inner.adjusted(horizontal ? 18 : labelWidth, 2, -4, -(afm.height() + 2));
    if (horizontal)
        plot.setBottom(inner.bottom() - afm.height() - 2);
    const auto valueAt = [&](double v) {
        const double f = std::clamp((v - yMin) / (yMax - yMin), 0.0, 1.0);
        return horizontal ? plot.left() + f * plot.width() : plot.bottom() - f * plot.height();
    };

    p.setFont(axisF);
    for (int i = 0; i <= 4; ++i) {
        const double v = yMin + (yMax - yMin) * i / 4;
        const double at = valueAt(v);
        if (gridLines & 1) {
            p.setPen(QPen(gridColor, 1));
            if (horizontal)
                p.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
            else
                p.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        }
        p.setPen(axisColor);
        const QString text = formatNumber(v, numberFormat);
        if (horizontal && i % 2 == 1)
            continue; // a value axis along the bottom has room for every other label
        if (horizontal)
            p.drawText(QRectF(at - 30, plot.bottom() + 1, 60, afm.height()), Qt::AlignHCenter, text);
        else
            p.drawText(QRectF(inner.left(), at - afm.height() / 2, labelWidth - 3, afm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, text);
    }
    const double slot = (horizontal ? plot.height() : plot.width()) / 5;
    for (int c = 0; c < 5; ++c) {
        const double mid = (horizontal ? plot.top() : plot.left()) + slot * (c + 0.5);
        if (gridLines & 2) {
            p.setPen(QPen(gridColor, 1));
            if (horizontal)
                p.drawLine(QPointF(plot.left(), mid), QPointF(plot.right(), mid));
            else
                p.drawLine(QPointF(mid, plot.top()), QPointF(mid, plot.bottom()));
        }
        p.setPen(axisColor);
        const QString name = QString::fromLatin1(Categories[c]);
        if (horizontal)
            p.drawText(QRectF(inner.left(), mid - afm.height() / 2, 16, afm.height()),
                       Qt::AlignRight, name);
        else
            p.drawText(QRectF(mid - 20, plot.bottom() + 1, 40, afm.height()), Qt::AlignHCenter,
                       name);
    }

    // The series.
    const QFont labelF = styledFont(labelFont, 6, labelStyle);
    for (int s = 0; s < 3; ++s) {
        QPolygonF points;
        for (int c = 0; c < 5; ++c) {
            const double v = yMin + (Values[s][c] - yMin) * grow;
            const double slotStart = (horizontal ? plot.top() : plot.left()) + slot * c;
            if (type == QLatin1String("bar") || horizontal) {
                const double groupWidth = slot * barWidth / 100.0;
                const double thick = groupWidth / 3;
                const double offset = slotStart + (slot - groupWidth) / 2 + thick * s;
                const double end = valueAt(v);
                QRectF bar = horizontal ? QRectF(QPointF(plot.left(), offset),
                                                 QPointF(end, offset + thick))
                                        : QRectF(QPointF(offset, end),
                                                 QPointF(offset + thick, plot.bottom()));
                if (shadow) {
                    p.fillRect(bar.translated(shadow == 1 ? 2 : 1.5, shadow == 1 ? -1 : -1.5)
                                       .adjusted(0, 0, 0, 0),
                               QColor(0, 0, 0, shadow == 1 ? 45 : 120));
                }
                p.fillRect(bar, series[s]);
                if (valueLabels) {
                    p.setFont(labelF);
                    p.setPen(valueLabels == 1 ? QColor(Qt::white) : QColor(0x30, 0x30, 0x30));
                    const QString text = QString::number(int(Values[s][c]));
                    const QFontMetricsF lfm(labelF);
                    QRectF textRect = horizontal
                                              ? QRectF(valueLabels == 1
                                                               ? end - lfm.horizontalAdvance(text)
                                                                         - 2
                                                               : end + 2,
                                                       bar.top(), lfm.horizontalAdvance(text) + 1,
                                                       bar.height())
                                              : QRectF(bar.left() - 4,
                                                       valueLabels == 1 ? bar.top() + 1
                                                                        : bar.top() - lfm.height(),
                                                       bar.width() + 8, lfm.height());
                    p.drawText(textRect, Qt::AlignCenter, text);
                }
                if (highlight == QStringLiteral("series%1").arg(s + 1))
                    frame(p, bar);
            } else {
                points << QPointF(slotStart + slot / 2, valueAt(v));
            }
        }
        if (points.isEmpty())
            continue;
        if (type == QLatin1String("area")) {
            QPolygonF fill = points;
            fill << QPointF(points.last().x(), plot.bottom())
                 << QPointF(points.first().x(), plot.bottom());
            QColor c = series[s];
            c.setAlpha(110);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawPolygon(fill);
        }
        if (shadow) {
            p.setPen(QPen(QColor(0, 0, 0, shadow == 1 ? 45 : 120), 2));
            p.drawPolyline(points.translated(2, 2));
        }
        p.setPen(QPen(series[s], 2, lineStyle, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(points);
        for (const QPointF &pt : points) {
            p.setPen(QPen(series[s], 1));
            p.setBrush(background);
            if (marker == 1)
                p.drawEllipse(pt, 3, 3);
            else if (marker == 2)
                p.drawRect(QRectF(pt.x() - 3, pt.y() - 3, 6, 6));
            if (valueLabels) {
                p.setFont(labelF);
                p.setPen(QColor(0x30, 0x30, 0x30));
                const int value = int(Values[s][points.indexOf(pt)]);
                p.drawText(QRectF(pt.x() - 10, valueLabels == 1 ? pt.y() + 3 : pt.y() - 13, 20, 10),
                           Qt::AlignCenter, QString::number(value));
            }
        }
        if (highlight == QStringLiteral("series%1").arg(s + 1))
            frame(p, points.boundingRect());
    }

    // The axes over the grid and the series.
    p.setPen(QPen(axisColor, axisWidth, Qt::SolidLine, Qt::FlatCap));
    if (axisWidth > 0) {
        p.drawLine(plot.bottomLeft(), plot.bottomRight());
        p.drawLine(plot.bottomLeft(), plot.topLeft());
    }
    if (highlight == QLatin1String("axis"))
        frame(p, plot.adjusted(-labelWidth + 2, 0, 0, afm.height()));
    p.restore();
}

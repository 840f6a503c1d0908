// Draws the help panel's pictures of the sample profile, one GIF per
// parameter key: the sample chart in two to four variants of the setting,
// each named by the value that gives it.
#include "GifWriter.h"
#include "MiniChart.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

struct Variant
{
    QString label;
    std::function<void(MiniChart &)> change;
};

struct Picture
{
    const char *key;
    const char *caption;
    QList<Variant> variants;
};

constexpr int Width = 392;
constexpr int Height = 276;

QImage drawPicture(const Picture &picture)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(13);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(QColor(0x1F, 0x3F, 0x6E));
    p.drawText(QRect(8, 2, Width - 16, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(picture.caption));
    QFont keyFont(QStringLiteral("DejaVu Sans Mono"));
    keyFont.setPixelSize(11);
    p.setFont(keyFont);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawText(QRect(8, 2, Width - 16, 20), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromLatin1(picture.key));

    const int count = int(picture.variants.size());
    const int columns = count == 1 ? 1 : 2;
    const int rows = (count + columns - 1) / columns;
    const int gap = 6;
    const int labelHeight = 14;
    const int tileWidth = (Width - gap * (columns + 1)) / columns;
    const int tileHeight = (Height - 24 - gap * rows) / rows - labelHeight;
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(11);
    for (int i = 0; i < count; ++i) {
        const int x = gap + (i % columns) * (tileWidth + gap);
        const int y = 24 + (i / columns) * (tileHeight + labelHeight + gap);
        MiniChart chart;
        picture.variants[i].change(chart);
        chart.draw(p, QRect(x, y, tileWidth, tileHeight));
        p.setFont(labelFont);
        p.setPen(Qt::black);
        p.drawText(QRect(x, y + tileHeight, tileWidth, labelHeight), Qt::AlignCenter,
                   picture.variants[i].label);
    }
    return image;
}

QColor rgb(unsigned value)
{
    return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

template<typename T>
Variant set(const QString &label, T MiniChart::*member, T value, const QString &highlight = {})
{
    return {label, [=](MiniChart &c) {
                c.*member = value;
                c.highlight = highlight;
            }};
}

Variant colour(const QString &label, QColor MiniChart::*member, unsigned value,
               const QString &highlight = {})
{
    return set(label, member, rgb(value), highlight);
}

Variant seriesColour(int series, unsigned value)
{
    return {QStringLiteral("0x")
                    + QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper(),
            [=](MiniChart &c) {
                c.series[series] = rgb(value);
                c.highlight = QStringLiteral("series%1").arg(series + 1);
            }};
}

Variant lineChart(const QString &label, const std::function<void(MiniChart &)> &change)
{
    return {label, [=](MiniChart &c) {
                c.type = QStringLiteral("line");
                change(c);
            }};
}

QList<Picture> pictures()
{
    using C = MiniChart;
    const QString sans = QStringLiteral("DejaVu Sans");
    const QString serif = QStringLiteral("DejaVu Serif");
    const QString mono = QStringLiteral("DejaVu Sans Mono");
    return {
            {"bgColor",
             "Background color",
             {colour("0xFFFFFF", &C::background, 0xFFFFFF),
              colour("0xFFF4D6", &C::background, 0xFFF4D6)}},
            {"borderColor",
             "Border color",
             {colour("0x8C96A0", &C::borderColor, 0x8C96A0, "border"),
              colour("0xC0392B", &C::borderColor, 0xC0392B, "border")}},
            {"borderWidth",
             "Border width",
             {set("0", &C::borderWidth, 0), set("1", &C::borderWidth, 1),
              set("3", &C::borderWidth, 3), set("6", &C::borderWidth, 6)}},
            {"chartType",
             "Chart type",
             {set("bar", &C::type, QStringLiteral("bar")),
              set("hbar", &C::type, QStringLiteral("hbar")),
              set("line", &C::type, QStringLiteral("line")),
              set("pie", &C::type, QStringLiteral("pie"))}},
            {"margin",
             "Margin",
             {set("2", &C::margin, 2, "plot"), set("20", &C::margin, 20, "plot")}},
            {"animation",
             "Animation",
             {set("0 - off", &C::growPercent, 100),
              set("1 - grow (while growing)", &C::growPercent, 50),
              set("2 - fade in (while fading)", &C::opacity, 90)}},
            {"shadow",
             "Shadow",
             {set("0 - none", &C::shadow, 0), set("1 - soft", &C::shadow, 1),
              set("2 - hard", &C::shadow, 2)}},
            {"titleText",
             "Title text",
             {set("Sales 2026", &C::title, QStringLiteral("Sales 2026"), "title"),
              set("Our results", &C::title, QStringLiteral("Our results"), "title")}},
            {"titleFont",
             "Title font",
             {set("DejaVu Sans", &C::titleFont, sans, "title"),
              set("DejaVu Serif", &C::titleFont, serif, "title")}},
            {"titleSize",
             "Title size",
             {set("9", &C::titleSize, 9, "title"), set("16", &C::titleSize, 16, "title")}},
            {"titleColor",
             "Title color",
             {colour("0x1F3F6E", &C::titleColor, 0x1F3F6E, "title"),
              colour("0xC0392B", &C::titleColor, 0xC0392B, "title")}},
            {"titleStyle",
             "Title style",
             {set("0 - plain", &C::titleStyle, 0, "title"),
              set("1 - bold", &C::titleStyle, 1, "title"),
              set("2 - italic", &C::titleStyle, 2, "title"),
              set("5 - bold, underline", &C::titleStyle, 5, "title")}},
            {"titleAlign",
             "Title alignment",
             {set("left", &C::titleAlign, Qt::Alignment(Qt::AlignLeft), "title"),
              set("center", &C::titleAlign, Qt::Alignment(Qt::AlignHCenter), "title"),
              set("right", &C::titleAlign, Qt::Alignment(Qt::AlignRight), "title")}},
            {"subtitleText",
             "Subtitle text",
             {set("Units sold, thousands", &C::subtitle, QStringLiteral("Units sold, thousands"),
                  "subtitle"),
              set("First half", &C::subtitle, QStringLiteral("First half"), "subtitle")}},
            {"axisColor",
             "Axis color",
             {colour("0x404040", &C::axisColor, 0x404040, "axis"),
              colour("0x2E86C1", &C::axisColor, 0x2E86C1, "axis")}},
            {"axisWidth",
             "Axis line width",
             {set("0", &C::axisWidth, 0, "axis"), set("1", &C::axisWidth, 1, "axis"),
              set("3", &C::axisWidth, 3, "axis")}},
            {"axisFont",
             "Axis label font",
             {set("DejaVu Sans", &C::axisFont, sans, "axis"),
              set("DejaVu Sans Mono", &C::axisFont, mono, "axis")}},
            {"axisFontSize",
             "Axis label size",
             {set("6", &C::axisFontSize, 6, "axis"), set("9", &C::axisFontSize, 9, "axis")}},
            {"axisFontStyle",
             "Axis label style",
             {set("0 - plain", &C::axisFontStyle, 0, "axis"),
              set("1 - bold", &C::axisFontStyle, 1, "axis"),
              set("2 - italic", &C::axisFontStyle, 2, "axis")}},
            {"numberFormat",
             "Number format",
             {set("1,000.00", &C::numberFormat, QStringLiteral("1,000.00"), "axis"),
              set("1000.00", &C::numberFormat, QStringLiteral("1000.00"), "axis"),
              set("1 000,00", &C::numberFormat, QStringLiteral("1 000,00"), "axis")}},
            {"yMin",
             "Value axis minimum",
             {set("empty: automatic", &C::yMin, 0.0, "axis"), set("10", &C::yMin, 10.0, "axis")}},
            {"yMax",
             "Value axis maximum",
             {set("empty: automatic", &C::yMax, 40.0, "axis"), set("30", &C::yMax, 30.0, "axis")}},
            {"gridLines",
             "Grid lines",
             {set("0 - none", &C::gridLines, 0), set("1 - horizontal", &C::gridLines, 1),
              set("2 - vertical", &C::gridLines, 2), set("3 - both", &C::gridLines, 3)}},
            {"gridColor",
             "Grid color",
             {colour("0xD8DEE4", &C::gridColor, 0xD8DEE4),
              colour("0x9BB8D3", &C::gridColor, 0x9BB8D3)}},
            {"legendShow",
             "Show legend",
             {set("yes", &C::legend, true, "legend"), set("no", &C::legend, false)}},
            {"legendPos",
             "Legend position",
             {set("right", &C::legendPos, QStringLiteral("right"), "legend"),
              set("bottom", &C::legendPos, QStringLiteral("bottom"), "legend"),
              set("top", &C::legendPos, QStringLiteral("top"), "legend"),
              set("left", &C::legendPos, QStringLiteral("left"), "legend")}},
            {"legendFont",
             "Legend font",
             {set("DejaVu Sans", &C::legendFont, sans, "legend"),
              set("DejaVu Serif", &C::legendFont, serif, "legend")}},
            {"legendSize",
             "Legend font size",
             {set("6", &C::legendSize, 6, "legend"), set("8", &C::legendSize, 8, "legend")}},
            {"legendColor",
             "Legend text color",
             {colour("0x303030", &C::legendColor, 0x303030, "legend"),
              colour("0xC0392B", &C::legendColor, 0xC0392B, "legend")}},
            {"legendBg",
             "Legend background",
             {colour("0xF4F6F8", &C::legendBg, 0xF4F6F8, "legend"),
              colour("0xFFF4D6", &C::legendBg, 0xFFF4D6, "legend")}},
            {"palette",
             "Palette",
             {{"classic", [](C &) {}},
              {"pastel",
               [](C &c) {
                   c.series[0] = rgb(0xA6C8E8);
                   c.series[1] = rgb(0xF7C59F);
                   c.series[2] = rgb(0xB5DDA4);
               }},
              {"mono",
               [](C &c) {
                   c.series[0] = rgb(0x404040);
                   c.series[1] = rgb(0x808080);
                   c.series[2] = rgb(0xB8B8B8);
               }}}},
            {"barWidth",
             "Bar width, %",
             {set("40", &C::barWidth, 40), set("70", &C::barWidth, 70),
              set("100", &C::barWidth, 100)}},
            {"lineStyle",
             "Line style (line charts)",
             {lineChart("solid", [](C &c) { c.lineStyle = Qt::SolidLine; }),
              lineChart("dashed", [](C &c) { c.lineStyle = Qt::DashLine; }),
              lineChart("dotted", [](C &c) { c.lineStyle = Qt::DotLine; })}},
            {"marker",
             "Point marker (line charts)",
             {lineChart("0 - none", [](C &c) { c.marker = 0; }),
              lineChart("1 - circle", [](C &c) { c.marker = 1; }),
              lineChart("2 - square", [](C &c) { c.marker = 2; })}},
            {"valueLabels",
             "Value labels",
             {set("0 - hidden", &C::valueLabels, 0), set("1 - inside", &C::valueLabels, 1),
              set("2 - outside", &C::valueLabels, 2)}},
            {"labelFont",
             "Value label font",
             {{"DejaVu Sans",
               [=](C &c) {
                   c.valueLabels = 2;
                   c.labelFont = sans;
               }},
              {"DejaVu Serif",
               [=](C &c) {
                   c.valueLabels = 2;
                   c.labelFont = serif;
               }}}},
            {"labelStyle",
             "Value label style",
             {{"0 - plain",
               [](C &c) {
                   c.valueLabels = 2;
                   c.labelStyle = 0;
               }},
              {"1 - bold",
               [](C &c) {
                   c.valueLabels = 2;
                   c.labelStyle = 1;
               }}}},
            {"series1Color",
             "Series 1 color",
             {seriesColour(0, 0x3D6FB6), seriesColour(0, 0x8E44AD)}},
            {"series2Color",
             "Series 2 color",
             {seriesColour(1, 0xF28E2B), seriesColour(1, 0xE74C3C)}},
            {"series3Color",
             "Series 3 color",
             {seriesColour(2, 0x59A14F), seriesColour(2, 0x17A589)}},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: helppictures <output folder>");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    for (const Picture &picture : pictures()) {
        QFile file(out.filePath(QString::fromLatin1(picture.key) + QStringLiteral(".gif")));
        if (!file.open(QIODevice::WriteOnly)
            || file.write(GifWriter::encode(drawPicture(picture))) < 0) {
            qWarning("cannot write %s", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

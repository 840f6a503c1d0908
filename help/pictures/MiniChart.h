#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

// A small drawing of the sample chart, with every setting that the sample
// profile offers; the help panel's pictures show it with one setting varied.
struct MiniChart
{
    QColor background{0xFF, 0xFF, 0xFF};
    QColor borderColor{0x8C, 0x96, 0xA0};
    int borderWidth = 1;
    QString type = QStringLiteral("bar"); // bar, hbar, line, area, pie
    int margin = 8;
    int growPercent = 100; // how far an animation has come
    int opacity = 255;
    int shadow = 0; // 0 none, 1 soft, 2 hard

    QString title = QStringLiteral("Sales 2026");
    QString titleFont = QStringLiteral("DejaVu Sans");
    int titleSize = 11;
    QColor titleColor{0x1F, 0x3F, 0x6E};
    int titleStyle = 1; // 1 bold + 2 italic + 4 underline
    Qt::Alignment titleAlign = Qt::AlignHCenter;
    QString subtitle = QStringLiteral("Units sold, thousands");

    QColor axisColor{0x40, 0x40, 0x40};
    int axisWidth = 1;
    QString axisFont = QStringLiteral("DejaVu Sans");
    int axisFontSize = 6;
    int axisFontStyle = 0;
    QString numberFormat = QStringLiteral("1,000.00");
    double yMin = 0;
    double yMax = 40;
    int gridLines = 1; // 1 horizontal + 2 vertical
    QColor gridColor{0xD8, 0xDE, 0xE4};

    bool legend = true;
    QString legendPos = QStringLiteral("right");
    QString legendFont = QStringLiteral("DejaVu Sans");
    int legendSize = 6;
    QColor legendColor{0x30, 0x30, 0x30};
    QColor legendBg{0xF4, 0xF6, 0xF8};

    QColor series[3] = {QColor(0x3D, 0x6F, 0xB6), QColor(0xF2, 0x8E, 0x2B),
                        QColor(0x59, 0xA1, 0x4F)};
    int barWidth = 70;
    Qt::PenStyle lineStyle = Qt::SolidLine;
    int marker = 1;      // 0 none, 1 circle, 2 square
    int valueLabels = 0; // 0 hidden, 1 inside, 2 outside
    QString labelFont = QStringLiteral("DejaVu Sans");
    int labelStyle = 0;

    // Something to point at: the part the picture is about gets a red frame.
    QString highlight; // "title", "subtitle", "axis", "legend", "series1".."series3", "border", "plot"

    void draw(QPainter &p, const QRect &area) const;
};

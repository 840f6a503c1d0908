#pragma once

#include <QApplication>
#include <QImage>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

// Finds the chart's elements in a frame of the preview by their colours, and
// clicks them where the user would: on the page's own surface, which takes
// the mouse in the player's coordinates.
class ChartPixels
{
public:
    enum Where {
        Topmost,       // the first pixel of the colour, line by line
        Bottommost,    // the last one
        Leftmost,      // the one furthest left
        Centre,        // the centre of all pixels of the colour
        DensestColumn, // the middle of the column holding most of them (a vertical line)
        Corner,        // inside the chart's top left corner, whatever the colour
    };

    // Pixels that differ from the colour by less than this in each channel
    // count, so the edges of lines and text drawn smoothly count as well.
    static constexpr int Tolerance = 60;

    static bool near(QRgb pixel, QRgb colour)
    {
        return std::abs(qRed(pixel) - qRed(colour)) < Tolerance
               && std::abs(qGreen(pixel) - qGreen(colour)) < Tolerance
               && std::abs(qBlue(pixel) - qBlue(colour)) < Tolerance;
    }

    static std::optional<QPoint> find(const QImage &frame, QRgb colour, Where where)
    {
        if (where == Corner)
            return QPoint(6, 6);
        std::vector<QPoint> points;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (near(frame.pixel(x, y), colour))
                    points.emplace_back(x, y);
        if (points.empty())
            return std::nullopt;
        switch (where) {
        case Topmost:
            return points.front();
        case Bottommost:
            return points.back();
        case Leftmost:
            return *std::min_element(points.cbegin(), points.cend(),
                                     [](const QPoint &a, const QPoint &b) { return a.x() < b.x(); });
        case Centre: {
            QPoint sum;
            for (const QPoint &p : points)
                sum += p;
            return sum / double(points.size());
        }
        case DensestColumn: {
            std::vector<std::vector<int>> columns(size_t(frame.width()));
            for (const QPoint &p : points)
                columns[size_t(p.x())].push_back(p.y());
            const auto densest = std::max_element(columns.cbegin(), columns.cend(),
                                                  [](const auto &a, const auto &b) {
                                                      return a.size() < b.size();
                                                  });
            return QPoint(int(densest - columns.cbegin()), (*densest)[densest->size() / 2]);
        }
        case Corner:
            break;
        }
        return std::nullopt;
    }

    // The surface of the preview's page that takes the mouse.
    static QWidget *pageSurface()
    {
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->inherits("QWebEngineView"))
                return widget->focusProxy() ? widget->focusProxy() : widget;
        }
        return nullptr;
    }

    static void click(const QPoint &at)
    {
        QWidget *surface = pageSurface();
        QVERIFY(surface);
        QTest::mouseMove(surface, at);
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
    }
};

#pragma once

#include "StartupProbe.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Watches the screen where a preview area lies until it shows a chart's
// first bar (enough pixels of the bar's colour), prints the monotonic clock
// at the main window's first paint and at that moment, in nanoseconds, one a
// line, and closes the window the way a user does, so that whatever the
// editor keeps between runs is written. Prints -1 for a chart that does not
// show within the time given. Given a file to wait for, the window closes only
// once that file exists (what the editor keeps once its chart has settled, say).
class ChartProbe : public QObject
{
public:
    ChartProbe(QWidget *window, QWidget *area, QRgb barColor, const QString &closeAfter = {},
               int timeoutMs = 30000)
        : QObject(window), m_window(window), m_area(area), m_barColor(barColor),
          m_closeAfter(closeAfter)
    {
        window->installEventFilter(this);
        m_poll.setInterval(5);
        connect(&m_poll, &QTimer::timeout, this, &ChartProbe::look);
        m_timeout.setSingleShot(true);
        m_timeout.setInterval(timeoutMs);
        connect(&m_timeout, &QTimer::timeout, this, [this] { finish(-1); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            std::printf("%lld\n", StartupProbe::now());
            m_poll.start();
            m_timeout.start();
            // Once right after this paint has reached the screen: the program may be busy for
            // a while after its first paint (starting the web engine), and a chart on screen
            // meanwhile counts.
            QMetaObject::invokeMethod(this, &ChartProbe::look, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // What the display server shows, not what the widgets would paint.
    void look()
    {
        const QRect area(m_area->mapToGlobal(QPoint(0, 0)), m_area->size());
        const QImage image = m_window->screen()
                                     ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                     .toImage();
        int count = 0;
        for (int y = 0; y < image.height(); y += 2) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                count += (line[x] & 0xFFFFFF) == (m_barColor & 0xFFFFFF);
        }
        if (count >= 20)
            finish(StartupProbe::now());
    }

    void finish(long long at)
    {
        m_poll.stop();
        m_timeout.stop();
        std::printf("%lld\n", at);
        std::fflush(stdout);
        closeWhenDone();
    }

    void closeWhenDone()
    {
        if (m_closeAfter.isEmpty() || QFileInfo::exists(m_closeAfter))
            m_window->close();
        else
            QTimer::singleShot(50, this, &ChartProbe::closeWhenDone);
    }

    QWidget *m_window;
    QWidget *m_area;
    QRgb m_barColor;
    QString m_closeAfter;
    QTimer m_poll;
    QTimer m_timeout;
    bool m_painted = false;
};

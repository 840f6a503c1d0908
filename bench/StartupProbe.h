#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <ctime>

// Prints the monotonic clock at the first paint of a window, in nanoseconds,
// and ends the program: the start-up benchmark compares it with the moment
// it started the process.
class StartupProbe : public QObject
{
public:
    explicit StartupProbe(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    static long long now()
    {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return t.tv_sec * 1000000000LL + t.tv_nsec;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            std::printf("%lld\n", now());
            std::fflush(stdout);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

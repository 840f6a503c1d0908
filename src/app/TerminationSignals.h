#pragma once

#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a signal of the event loop, so the
// program can end as after a close: the handler only writes the signal's
// number to a socket pair, which the event loop reads. Each of the three
// is caught once; the same signal again ends the program at once, in case
// the event loop no longer runs. The handlers that were there before come
// back when this object goes.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignal();

    static constexpr int Caught[] = {SIGTERM, SIGHUP, SIGINT};
    int m_sockets[2] = {-1, -1};
    struct sigaction m_previous[std::size(Caught)] = {};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

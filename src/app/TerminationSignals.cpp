#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The write end for the handler; one instance at a time owns it.
volatile sig_atomic_t writeSocket = -1;
} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(writeSocket == -1);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_sockets) != 0)
        return; // the signals keep their default action: the program ends without its settings
    writeSocket = m_sockets[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_sockets[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &action, &m_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (writeSocket != m_sockets[0] || m_sockets[0] < 0)
        return;
    for (size_t i = 0; i < std::size(Caught); ++i)
        ::sigaction(Caught[i], &m_previous[i], nullptr);
    writeSocket = -1;
    m_notifier.reset();
    ::close(m_sockets[0]);
    ::close(m_sockets[1]);
}

void TerminationSignals::handle(int signalNumber)
{
    // Only what is safe in a signal handler: one write, errno kept.
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    if (writeSocket >= 0) {
        const ssize_t written = ::write(writeSocket, &number, 1);
        (void)written; // a socket too full to take it already holds signals to read
    }
    errno = savedErrno;
}

void TerminationSignals::readSignal()
{
    unsigned char number = 0;
    while (::read(m_sockets[1], &number, 1) == 1)
        emit received(number);
}

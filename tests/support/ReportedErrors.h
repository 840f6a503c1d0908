#pragma once

#include "base/ErrorReport.h"

#include <QStringList>
#include <QTest>

#include <utility>

// Collects the messages the application-wide error report shows while it
// lives, instead of message boxes, and gives the report back at its end.
class ReportedErrors
{
public:
    ReportedErrors()
        : m_previous(ErrorReport::setHandler([this](const QString &m) { m_messages << m; }))
    {}
    ~ReportedErrors() { ErrorReport::setHandler(m_previous); }

    ReportedErrors(const ReportedErrors &) = delete;
    ReportedErrors &operator=(const ReportedErrors &) = delete;

    const QStringList &messages() const { return m_messages; }
    bool isEmpty() const { return m_messages.isEmpty(); }
    // The messages so far; the next call sees only later ones.
    QStringList take() { return std::exchange(m_messages, {}); }

    // Fails the running test when a message was shown since the last take,
    // and forgets them (for cleanup()).
    void verifyNoneShown()
    {
        const QStringList shown = take();
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('\n'))));
    }

private:
    QStringList m_messages;
    ErrorReport::Handler m_previous;
};

#pragma once

#include <QString>

#include <exception>

// The one exception type of the editor: it carries the message that the
// application-wide error report shows to the user.
class EditorError : public std::exception
{
public:
    explicit EditorError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A program run to its end: how it ended and what it printed.
class ToolRun
{
public:
    // Runs program with the given environment, for at most ten minutes; a
    // program that does not start, crashes or takes longer ends with -1.
    ToolRun(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = bareEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(600000)) {
            m_err = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
            process.kill();
            process.waitForFinished();
            return;
        }
        m_exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        m_out = QString::fromLocal8Bit(process.readAllStandardOutput());
        m_err = QString::fromLocal8Bit(process.readAllStandardError());
    }

    int exitCode() const { return m_exitCode; }
    QString out() const { return m_out; }
    QString err() const { return m_err; }
    QString output() const { return m_out + m_err; }

    // The environment without any display or desktop: what a build server has.
    static QProcessEnvironment bareEnvironment()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP",
              "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            environment.remove(QString::fromLatin1(name));
        return environment;
    }

private:
    int m_exitCode = -1;
    QString m_out;
    QString m_err;
};

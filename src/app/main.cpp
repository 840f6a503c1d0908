#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/StartupPreparation.h"
#include "app/TerminationSignals.h"
#include "app/TrevixApplication.h"
#include "base/ApplicationDirectory.h"
#include "base/SystemText.h"
#include "preview/FlashPlayerView.h"
#include "style/StyleCheck.h"
#include "style/StyleDocument.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdio>

namespace {

// On Unix a file's name is bytes: a byte that is not UTF-8 is kept as the
// rest of the program keeps it (QCoreApplication::arguments() would turn it
// into U+FFFD), so the file it names can still be opened.
QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
#ifdef Q_OS_UNIX
        arguments << SystemText::decode(argv[i]);
#else
        arguments << QString::fromLocal8Bit(argv[i]);
#endif
    }
    return arguments;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Qt takes arguments of one dash for itself (-platform, -display, ...) once
// the application object exists; without any, a command line that fails the
// first look fails the second the same way.
bool mayHoldWindowSystemOptions(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument.size() > 1 && argument.startsWith(QLatin1Char('-'))
            && !argument.startsWith(QLatin1String("--")))
            return true;
    }
    return false;
}

// Help, version and check need no window.
int runWithoutWindow(const CommandLine &commandLine)
{
    if (commandLine.mode() == CommandLine::Mode::Help) {
        print(stdout, commandLine.helpText());
        return 0;
    }
    if (commandLine.mode() == CommandLine::Mode::Version) {
        print(stdout, CommandLine::versionText());
        return 0;
    }
    QString profile = commandLine.profileFile();
    if (profile.isEmpty())
        profile = QCoreApplication::applicationDirPath() + QStringLiteral("/Style.xml");
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return StyleCheck::run(commandLine.checkFiles(), profile, out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    // Decide before any window system is touched, so help, version, check and
    // a wrong command line also work where there is no display (a script, a
    // commit hook). Arguments the window system takes for itself (-platform,
    // -display, ...) fail this first look; the second look below sees the
    // arguments without them.
    CommandLine commandLine;
    const QStringList arguments = argumentsOf(argc, argv);
    if (!commandLine.parse(arguments) && !mayHoldWindowSystemOptions(arguments)) {
        print(stderr, commandLine.errorText() + QLatin1Char('\n'));
        return 1;
    }
    if (commandLine.mode() != CommandLine::Mode::Edit) {
        QCoreApplication app(argc, argv);
        return runWithoutWindow(commandLine);
    }

    StartupPreparation preparation;
    TrevixApplication app(argc, argv);
    // Ended by the system (SIGTERM, SIGHUP, SIGINT): no question can be asked
    // then, and style.txt already holds every edit. The event loop ends, and
    // the windows write their settings as at its end after a close.
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app,
                     [] { QCoreApplication::exit(0); });
    // The application took the window system's arguments out of argv.
    if (!commandLine.parse(argumentsOf(argc, argv))) {
        print(stderr, commandLine.errorText() + QLatin1Char('\n'));
        return 1;
    }
    if (commandLine.mode() != CommandLine::Mode::Edit)
        return runWithoutWindow(commandLine);

    const QString appDir = ApplicationDirectory::resolve(QCoreApplication::applicationDirPath(),
                                                         QStandardPaths::writableLocation(
                                                                 QStandardPaths::AppDataLocation));
    StyleDocument document;
    MainWindow mainForm(document, appDir, commandLine.styleFiles());
    mainForm.player()->setPictureFolder(
            QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    mainForm.show();
    return app.exec();
}

#include "app/ApplicationDirectory.h"
#include "app/CommandLine.h"
#include "app/TMainForm.h"
#include "app/TrevixApplication.h"

#include <QStandardPaths>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Help and version need no window.
int runWithoutWindow(const CommandLine &commandLine)
{
    if (commandLine.mode() == CommandLine::Mode::Help)
        print(stdout, commandLine.helpText());
    else
        print(stdout, CommandLine::versionText());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Decide before any window system is touched, so help, version and check
    // also work where there is no display. Arguments the window system takes
    // for itself (-platform, -display, ...) fail this first look; the second
    // look below sees the arguments without them.
    CommandLine commandLine;
    if (commandLine.parse(argumentsOf(argc, argv)) && commandLine.mode() != CommandLine::Mode::Edit) {
        QCoreApplication app(argc, argv);
        return runWithoutWindow(commandLine);
    }

    TrevixApplication app(argc, argv);
    if (!commandLine.parse(QCoreApplication::arguments())) {
        print(stderr, commandLine.errorText() + QLatin1Char('\n'));
        return 1;
    }
    if (commandLine.mode() != CommandLine::Mode::Edit)
        return runWithoutWindow(commandLine);

    const QString appDir = ApplicationDirectory::resolve(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    TMainForm mainForm(appDir, commandLine.styleFiles());
    mainForm.show();
    return app.exec();
}

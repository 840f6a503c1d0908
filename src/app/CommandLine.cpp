#include "app/CommandLine.h"

#include "base/AboutText.h"
#include "base/LocalFile.h"

#include <QCoreApplication>

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption()), m_version(m_parser.addVersionOption()),
      m_check(QStringLiteral("check"),
              QCoreApplication::translate(
                      "CommandLine",
                      "Check STYLEFILE against the profile without opening a window: print one "
                      "line per problem, exit with 1 when there is any. May be repeated."),
              QStringLiteral("STYLEFILE")),
      m_profile(QStringLiteral("profile"),
                QCoreApplication::translate(
                        "CommandLine",
                        "With --check: the profile to check against instead of the Style.xml "
                        "beside the program."),
                QStringLiteral("FILE"))
{
    m_parser.setApplicationDescription(QCoreApplication::translate(
            "CommandLine", "Edits the style files of the Trevix chart with a live preview."));
    m_parser.addOption(m_check);
    m_parser.addOption(m_profile);
    m_parser.addPositionalArgument(
            QStringLiteral("file"),
            QCoreApplication::translate(
                    "CommandLine",
                    "Style file to open; further files are ignored. Put -- before a name that "
                    "begins with \"-\"."),
            QStringLiteral("[file]"));
}

bool CommandLine::parse(const QStringList &arguments)
{
    m_mode = Mode::Edit;
    m_error.clear();
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        return false;
    }
    if (m_parser.isSet(m_help)) {
        m_mode = Mode::Help;
    } else if (m_parser.isSet(m_version)) {
        m_mode = Mode::Version;
    } else if (m_parser.isSet(m_check)) {
        if (!styleFiles().isEmpty()) {
            m_error = QCoreApplication::translate(
                    "CommandLine",
                    "--check opens no files; give each style file with its own --check.");
            return false;
        }
        m_mode = Mode::Check;
    } else if (m_parser.isSet(m_profile)) {
        m_error = QCoreApplication::translate("CommandLine",
                                              "--profile works only together with --check.");
        return false;
    }
    return true;
}

QStringList CommandLine::styleFiles() const
{
    QStringList files;
    for (const QString &name : m_parser.positionalArguments())
        files << LocalFile::absoluteName(name);
    return files;
}

QString CommandLine::versionText()
{
    return AboutText::title() + QLatin1Char('\n') + AboutText::version() + QLatin1Char('\n');
}

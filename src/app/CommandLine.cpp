#include "app/CommandLine.h"

#include "app/AboutText.h"

#include <QCoreApplication>

CommandLine::CommandLine() : m_help(m_parser.addHelpOption()), m_version(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Edits the style files of the Trevix chart with a live preview."));
    m_parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("CommandLine",
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
    if (m_parser.isSet(m_help))
        m_mode = Mode::Help;
    else if (m_parser.isSet(m_version))
        m_mode = Mode::Version;
    return true;
}

QString CommandLine::versionText()
{
    return AboutText::title() + QLatin1Char('\n') + AboutText::version() + QLatin1Char('\n');
}

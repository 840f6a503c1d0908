#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

// What the program was asked to do on its command line: edit (with the style
// files to open), print help or version, or check style files headless.
// Arguments after "--" are file names even when they begin with "-".
class CommandLine
{
public:
    enum class Mode { Edit, Help, Version, Check };

    CommandLine();

    // arguments start with the program's name. Returns false, with
    // errorText(), when they ask for nothing sensible.
    bool parse(const QStringList &arguments);

    Mode mode() const { return m_mode; }
    QString errorText() const { return m_error; }
    // Needs the application object.
    QString helpText() const { return m_parser.helpText(); }
    static QString versionText();

    // The positional arguments, in order, as absolute paths (a relative name
    // is taken in the current folder); the main window opens the first.
    QStringList styleFiles() const;
    QStringList checkFiles() const { return m_parser.values(m_check); }
    // The profile to check against; empty for the one beside the executable.
    QString profileFile() const { return m_parser.value(m_profile); }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_check;
    QCommandLineOption m_profile;
    Mode m_mode = Mode::Edit;
    QString m_error;
};

#include "app/CommandLine.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Mode)

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Mode>("mode");
        QTest::addColumn<QStringList>("styleFiles");
        using M = CommandLine::Mode;
        QTest::newRow("nothing") << QStringList{} << M::Edit << QStringList{};
        QTest::newRow("one file") << QStringList{"blue.stl"} << M::Edit << QStringList{"blue.stl"};
        // The main window opens the first and ignores the rest.
        QTest::newRow("two files") << QStringList{"blue.stl", "red.stl"} << M::Edit
                                   << QStringList{"blue.stl", "red.stl"};
        QTest::newRow("name with blanks")
                << QStringList{"my blue.stl"} << M::Edit << QStringList{"my blue.stl"};
        QTest::newRow("dash name after --")
                << QStringList{"--", "-blue.stl"} << M::Edit << QStringList{"-blue.stl"};
        QTest::newRow("option name after --")
                << QStringList{"--", "--help"} << M::Edit << QStringList{"--help"};
        QTest::newRow("lone dash is a name") << QStringList{"-"} << M::Edit << QStringList{"-"};
        QTest::newRow("help") << QStringList{"--help"} << M::Help << QStringList{};
        QTest::newRow("short help") << QStringList{"-h"} << M::Help << QStringList{};
        QTest::newRow("version") << QStringList{"--version"} << M::Version << QStringList{};
        QTest::newRow("short version") << QStringList{"-v"} << M::Version << QStringList{};
        QTest::newRow("help wins")
                << QStringList{"--version", "--help"} << M::Help << QStringList{};
        QTest::newRow("absolute name")
                << QStringList{"/s/blue.stl"} << M::Edit << QStringList{"/s/blue.stl"};
        QTest::newRow("relative name in a folder")
                << QStringList{"styles/../two.stl"} << M::Edit << QStringList{"two.stl"};
        QTest::newRow("help before check")
                << QStringList{"--check", "a.stl", "--help"} << M::Help << QStringList{};
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Mode, mode);
        QFETCH(QStringList, styleFiles);
        CommandLine commandLine;
        QVERIFY2(commandLine.parse(QStringList{"TrevixStyleEditor"} + arguments),
                 qPrintable(commandLine.errorText()));
        QCOMPARE(commandLine.mode(), mode);
        // Relative names as absolute paths in the current folder, so that the
        // recent files' list opens the same file from anywhere.
        QStringList absolute;
        for (const QString &name : styleFiles)
            absolute << QDir::cleanPath(QDir::current().absoluteFilePath(name));
        QCOMPARE(commandLine.styleFiles(), absolute);
    }

    void check_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("checkFiles");
        QTest::addColumn<QString>("profile");
        QTest::newRow("one file") << QStringList{"--check", "a.stl"} << QStringList{"a.stl"} << "";
        QTest::newRow("repeated") << QStringList{"--check", "a.stl", "--check=b.stl"}
                                  << QStringList{"a.stl", "b.stl"} << "";
        QTest::newRow("dash name")
                << QStringList{"--check", "-a.stl"} << QStringList{"-a.stl"} << "";
        QTest::newRow("own profile") << QStringList{"--profile", "p.xml", "--check", "a.stl"}
                                     << QStringList{"a.stl"} << "p.xml";
    }

    void check()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, checkFiles);
        QFETCH(QString, profile);
        CommandLine commandLine;
        QVERIFY2(commandLine.parse(QStringList{"TrevixStyleEditor"} + arguments),
                 qPrintable(commandLine.errorText()));
        QCOMPARE(commandLine.mode(), CommandLine::Mode::Check);
        QCOMPARE(commandLine.checkFiles(), checkFiles);
        QCOMPARE(commandLine.profileFile(), profile);
    }

    void rejects_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("dash name without --")
                << QStringList{"-blue.stl"} << "Unknown options: b, l, u, e, ., s, t, l.";
        QTest::newRow("unknown long option") << QStringList{"--blue"} << "Unknown option 'blue'.";
        QTest::newRow("check without a file")
                << QStringList{"--check"} << "Missing value after '--check'.";
        QTest::newRow("check and a file to open")
                << QStringList{"--check", "a.stl", "b.stl"}
                << "--check opens no files; give each style file with its own --check.";
        QTest::newRow("profile without check") << QStringList{"--profile", "p.xml"}
                                               << "--profile works only together with --check.";
    }

    void rejects()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        CommandLine commandLine;
        QVERIFY(!commandLine.parse(QStringList{"TrevixStyleEditor"} + arguments));
        QCOMPARE(commandLine.errorText(), error);
    }

    void reusedAfterAnError()
    {
        CommandLine commandLine;
        QVERIFY(!commandLine.parse({"TrevixStyleEditor", "--blue"}));
        QVERIFY(commandLine.parse({"TrevixStyleEditor", "blue.stl"}));
        QVERIFY(commandLine.errorText().isEmpty());
        QCOMPARE(commandLine.styleFiles(), QStringList{QDir::current().filePath("blue.stl")});
    }

    void versionIsTheAboutText()
    {
        QCOMPARE(CommandLine::versionText(), "Trevix Style Editor\nVersion 1.0\n\nfor Trevix\n");
    }

    void helpNamesTheFileArgument()
    {
        CommandLine commandLine;
        QVERIFY(commandLine.parse({"TrevixStyleEditor", "--help"}));
        const QString help = commandLine.helpText();
        QVERIFY2(help.contains("[options] [file]"), qPrintable(help));
        QVERIFY2(help.contains("--version"), qPrintable(help));
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"

#include "app/CommandLine.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtEndian>

namespace {

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSize pngSize(const QString &path)
{
    const QByteArray bytes = read(path);
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.size() < 24)
        return {};
    return QSize(qFromBigEndian<quint32>(bytes.constData() + 16),
                 qFromBigEndian<quint32>(bytes.constData() + 20));
}

// The values an XML file gives the attribute of every element of that name,
// or the elements' texts when attribute is empty.
QStringList xmlValues(const QString &path, const QString &element, const QString &attribute = {})
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList values;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element)
            values << (attribute.isEmpty() ? xml.readElementText()
                                           : xml.attributes().value(attribute).toString());
    }
    return xml.hasError() ? QStringList{xml.errorString()} : values;
}

// The options and arguments that --help lists, each as its tag and
// description, the tag written as the manual page writes it ("--check
// STYLEFILE", "file"); all white space as single spaces.
QString helpEntries(const QString &help)
{
    static const QRegularExpression tagMarks(QStringLiteral("[][<>]"));
    QStringList words;
    bool inList = false;
    for (const QString &line : help.split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.front().isSpace()) {
            inList = line == QLatin1String("Options:") || line == QLatin1String("Arguments:");
        } else if (inList && line.startsWith(QLatin1String("  ")) && line.size() > 2
                   && !line.at(2).isSpace()) {
            const qsizetype gap = line.indexOf(QLatin1String("  "), 2);
            words << line.mid(2, gap < 0 ? -1 : gap - 2).remove(tagMarks)
                  << (gap < 0 ? QString() : line.mid(gap));
        } else if (inList) {
            words << line;
        }
    }
    return words.join(QLatin1Char(' ')).simplified();
}

// The text of a section of a manual page as man shows it; all white space as
// single spaces.
QString manualSection(const QString &page, const QString &heading)
{
    QStringList lines;
    bool inSection = false;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.front().isSpace())
            inSection = line == heading;
        else if (inSection)
            lines << line;
    }
    return lines.join(QLatin1Char(' ')).simplified();
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QString appDir() const { return installed(QStringLiteral("lib/trevix-style-editor")); }
    QString program() const { return installed(QStringLiteral("bin/trevix-style-editor")); }

    // The one AppStream file installed.
    QString metainfo() const
    {
        const QDir folder(installed(QStringLiteral("share/metainfo")));
        const QStringList files = folder.entryList({QStringLiteral("*.metainfo.xml")}, QDir::Files);
        return files.size() == 1 ? folder.filePath(files.first()) : QString();
    }

    // The manual page as man shows it, looked up by name in the installed
    // tree; lines wide enough that none is broken.
    ToolRun manualPage() const
    {
        QProcessEnvironment environment = ToolRun::bareEnvironment();
        for (const char *name : {"MANOPT", "MANPAGER", "PAGER", "MANROFFOPT"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("MANPATH"), installed(QStringLiteral("share/man")));
        environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("1000"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return ToolRun(QStringLiteral("man"), {"--warnings", "-P", "cat", "trevix-style-editor"},
                       environment);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const ToolRun install(QStringLiteral(TREVIX_CMAKE_COMMAND),
                              {"--install", TREVIX_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(install.exitCode() == 0, qPrintable(install.output()));
    }

    void commandStartsTheProgramInItsFolder()
    {
        const QFileInfo command(program());
        QVERIFY(command.isSymLink());
        QVERIFY(command.isExecutable());
        QCOMPARE(command.canonicalFilePath(),
                 QFileInfo(appDir() + "/TrevixStyleEditor").canonicalFilePath());
    }

    // Whatever the build puts beside the program is installed beside it, so
    // files added to the build later need no install rule of their own.
    void everyBundledFileIsBesideTheProgram()
    {
        const QDir built(QStringLiteral(TREVIX_APP_DIR));
        QDirIterator it(built.path(), QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        int files = 0;
        while (it.hasNext()) {
            const QString relative = built.relativeFilePath(it.next());
            QVERIFY2(QFileInfo::exists(appDir() + '/' + relative), qPrintable(relative));
            if (relative != QLatin1String("style.txt")
                && relative != QLatin1String("TrevixStyleEditor"))
                QVERIFY2(read(appDir() + '/' + relative) == read(it.filePath()),
                         qPrintable(relative));
            ++files;
        }
        QVERIFY(files >= 3);
    }

    // The developer's working copy stays at home; the package starts from the sample values.
    void workingCopyIsTheSample()
    {
        QCOMPARE(read(appDir() + "/style.txt"), read(TREVIX_SAMPLE_DIR "/style.txt"));
    }

    void desktopFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("iconSize");
        QTest::newRow("desktop entry") << "share/applications/trevix-style-editor.desktop" << 0;
        QTest::newRow("MIME type") << "share/mime/packages/trevix-style-editor.xml" << 0;
        QTest::newRow("scalable icon")
                << "share/icons/hicolor/scalable/apps/trevix-style-editor.svg" << 0;
        QTest::newRow("manual page") << "share/man/man1/trevix-style-editor.1.gz" << 0;
        QTest::newRow("copyright") << "share/doc/trevix-style-editor/copyright" << 0;
        QTest::newRow("changelog") << "share/doc/trevix-style-editor/changelog.gz" << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dpx icon", size)
                    << QStringLiteral("share/icons/hicolor/%1x%1/apps/trevix-style-editor.png")
                               .arg(size)
                    << size;
    }

    void desktopFiles()
    {
        QFETCH(QString, path);
        QFETCH(int, iconSize);
        QVERIFY2(QFileInfo::exists(installed(path)), qPrintable(path));
        if (iconSize > 0)
            QCOMPARE(pngSize(installed(path)), QSize(iconSize, iconSize));
    }

    void desktopEntryIsValidAndNamesTheCommand()
    {
        const QString entry = installed(
                QStringLiteral("share/applications/trevix-style-editor.desktop"));
        const ToolRun validate(QStringLiteral("desktop-file-validate"), {entry});
        QVERIFY2(validate.exitCode() == 0 && validate.out().isEmpty(),
                 qPrintable(validate.output()));
        const QString text = QString::fromUtf8(read(entry));
        QVERIFY(text.contains(QLatin1String("\nExec=trevix-style-editor %F\n")));
        QVERIFY(text.contains(QLatin1String("\nMimeType=application/x-trevix-style;\n")));
        QVERIFY(text.contains(QLatin1String("\nIcon=trevix-style-editor\n")));
    }

    // man finds the page by name and formats it without a complaint.
    void manualPageIsShownByName()
    {
        const ToolRun man = manualPage();
        QVERIFY2(man.exitCode() == 0 && man.err().isEmpty(), qPrintable(man.output()));
        QCOMPARE(manualSection(man.out(), QStringLiteral("NAME")),
                 QStringLiteral("trevix-style-editor - style editor for the Trevix chart"));
    }

    // The page's options are those of --help, in its words.
    void manualPageOptionsAreThoseOfHelp()
    {
        const ToolRun help(program(), {"--help"});
        QCOMPARE(help.exitCode(), 0);
        const QString entries = helpEntries(help.out());
        QVERIFY2(entries.contains(QLatin1String("--check STYLEFILE")), qPrintable(help.out()));
        QCOMPARE(manualSection(manualPage().out(), QStringLiteral("OPTIONS")), entries);
    }

    // Software centres list the program from its AppStream file, which names
    // the installed desktop entry; checked without reaching the network.
    void appStreamFileIsValid()
    {
        QVERIFY(!metainfo().isEmpty());
        const ToolRun validate(QStringLiteral("appstreamcli"),
                               {"validate-tree", "--pedantic", "--no-net", m_prefix.path()});
        QVERIFY2(validate.exitCode() == 0, qPrintable(validate.output()));
        // Not even hints.
        static const QRegularExpression issue(QStringLiteral("^\\s*[EWIP]: "),
                                              QRegularExpression::MultilineOption);
        QVERIFY2(!issue.match(validate.output()).hasMatch(), qPrintable(validate.output()));
    }

    void appStreamFileOpensTheStyleFileType()
    {
        const QStringList types = xmlValues(installed(QStringLiteral(
                                                    "share/mime/packages/trevix-style-editor.xml")),
                                            "mime-type", "type");
        QVERIFY(!types.isEmpty());
        QCOMPARE(xmlValues(metainfo(), QStringLiteral("mediatype")), types);
    }

    // The web site publishes the pictures of docs/ at the screenshots' address.
    void appStreamScreenshotsAreThoseOfDocs()
    {
        const QStringList images = xmlValues(metainfo(), QStringLiteral("image"));
        QVERIFY(!images.isEmpty());
        for (const QString &image : images) {
            const QUrl url(image);
            QVERIFY2(url.scheme() == QLatin1String("https"), qPrintable(image));
            QVERIFY2(QFileInfo::exists(TREVIX_DOCS_DIR "/" + url.fileName()), qPrintable(image));
        }
    }

    void runsWithoutADisplay()
    {
        const ToolRun version(program(), {"--version"});
        QCOMPARE(version.exitCode(), 0);
        QCOMPARE(version.out(), CommandLine::versionText());
    }

    // The installed program finds the profile beside itself, without a display.
    void checksAgainstTheInstalledProfile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("no lines") << QByteArray() << 1
                                  << ": holds no style lines (\"&name=value\")\n";
        QTest::newRow("unknown key") << QByteArray("&noSuchParameter=1\r\n") << 1
                                     << ":1: unknown key \"&noSuchParameter\" (Save will not keep "
                                        "this line)\n";
    }

    void checksAgainstTheInstalledProfile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir work;
        const QString file = work.filePath(QStringLiteral("chart.stl"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();

        const ToolRun check(program(), {"--check", file});
        QVERIFY2(check.err().isEmpty(), qPrintable(check.err()));
        QCOMPARE(check.exitCode(), exitCode);
        QCOMPARE(check.out(), output.isEmpty() ? output : file + output);
    }

    // Exit code 1 and the parser's reason, also where there is no display to start.
    void reportsAWrongCommandLineWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"--colour"};
        QTest::newRow("profile alone") << QStringList{"--profile", "Style.xml"};
        QTest::newRow("file with check") << QStringList{"--check", "a.stl", "b.stl"};
    }

    void reportsAWrongCommandLineWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        CommandLine parser;
        QVERIFY(!parser.parse(QStringList{program()} + arguments));
        const ToolRun wrong(program(), arguments);
        QCOMPARE(wrong.exitCode(), 1);
        QCOMPARE(wrong.err(), parser.errorText() + '\n');
        QVERIFY(wrong.out().isEmpty());
    }

    // Started as the desktop entry starts it, the program opens the file once
    // its window is up, which rewrites the working copy beside it.
    void opensTheStyleFileItIsStartedWith()
    {
        QTemporaryDir work;
        const QString file = work.filePath(QStringLiteral("chart.stl"));
        // The first value of the installed working copy alone: after the
        // open, the working copy holds just that line.
        const QByteArray seed = read(appDir() + "/style.txt");
        const QByteArray content = seed.left(seed.indexOf("\r\n") + 2);
        QVERIFY(content.size() > 2 && content.size() < seed.size());
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();

        QProcessEnvironment environment = ToolRun::bareEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), work.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           work.filePath(QStringLiteral("config")));
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(program(), {file});
        QVERIFY(editor.waitForStarted());
        const auto stop = qScopeGuard([&editor] {
            editor.kill();
            editor.waitForFinished();
        });
        QTRY_COMPARE_WITH_TIMEOUT(read(appDir() + "/style.txt"), content, 30000);
        QCOMPARE(editor.state(), QProcess::Running);
    }

    void styleFilesHaveTheirMimeType_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("type");
        QTest::newRow("style file")
                << QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n") << "application/x-trevix-style";
        QTest::newRow("long key") << QByteArray("&abcdefghijklmnopqrst=1\r\n")
                                  << "application/x-trevix-style";
        QTest::newRow("3D model") << QByteArray("solid cube\nendsolid cube\n") << "model/stl";
    }

    void styleFilesHaveTheirMimeType()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, type);
        const QString share = installed(QStringLiteral("share"));
        const ToolRun update(QStringLiteral("update-mime-database"), {share + "/mime"});
        QVERIFY2(update.exitCode() == 0, qPrintable(update.err()));

        QTemporaryDir work;
        const QString file = work.filePath(QStringLiteral("chart.stl"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();

        QProcessEnvironment environment = ToolRun::bareEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), share + QStringLiteral(":/usr/share"));
        const ToolRun query(QStringLiteral("xdg-mime"), {"query", "filetype", file}, environment);
        QCOMPARE(query.exitCode(), 0);
        QCOMPARE(query.out().trimmed(), type);
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"

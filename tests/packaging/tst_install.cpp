#include "app/CommandLine.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end with the given environment.
Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000)) {
        result.err = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

// An environment without any display or desktop: what a build server has.
QProcessEnvironment bareEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP",
                             "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

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
    return QSize(qFromBigEndian<quint32>(bytes.constData() + 16), qFromBigEndian<quint32>(bytes.constData() + 20));
}

} // namespace

class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QString appDir() const { return installed(QStringLiteral("lib/trevix-style-editor")); }
    QString program() const { return installed(QStringLiteral("bin/trevix-style-editor")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const Run install = run(QStringLiteral(TREVIX_CMAKE_COMMAND),
                                {"--install", TREVIX_BUILD_DIR, "--prefix", m_prefix.path()}, bareEnvironment());
        QVERIFY2(install.exitCode == 0, qPrintable(install.out + install.err));
    }

    void commandStartsTheProgramInItsFolder()
    {
        const QFileInfo command(program());
        QVERIFY(command.isSymLink());
        QVERIFY(command.isExecutable());
        QCOMPARE(command.canonicalFilePath(), QFileInfo(appDir() + "/TrevixStyleEditor").canonicalFilePath());
    }

    // Whatever the build puts beside the program is installed beside it, so
    // files added to the build later need no install rule of their own.
    void everyBundledFileIsBesideTheProgram()
    {
        const QDir built(QStringLiteral(TREVIX_APP_DIR));
        QDirIterator it(built.path(), QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        int files = 0;
        while (it.hasNext()) {
            const QString relative = built.relativeFilePath(it.next());
            QVERIFY2(QFileInfo::exists(appDir() + '/' + relative), qPrintable(relative));
            if (relative != QLatin1String("style.txt") && relative != QLatin1String("TrevixStyleEditor"))
                QVERIFY2(read(appDir() + '/' + relative) == read(it.filePath()), qPrintable(relative));
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
        QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/trevix-style-editor.svg" << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dpx icon", size)
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/trevix-style-editor.png").arg(size) << size;
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
        const QString entry = installed(QStringLiteral("share/applications/trevix-style-editor.desktop"));
        const Run validate = run(QStringLiteral("desktop-file-validate"), {entry}, bareEnvironment());
        QVERIFY2(validate.exitCode == 0 && validate.out.isEmpty(), qPrintable(validate.out + validate.err));
        const QString text = QString::fromUtf8(read(entry));
        QVERIFY(text.contains(QLatin1String("\nExec=trevix-style-editor %F\n")));
        QVERIFY(text.contains(QLatin1String("\nMimeType=application/x-trevix-style;\n")));
        QVERIFY(text.contains(QLatin1String("\nIcon=trevix-style-editor\n")));
    }

    void runsWithoutADisplay()
    {
        const Run version = run(program(), {"--version"}, bareEnvironment());
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, CommandLine::versionText());
    }

    // The installed program finds the profile beside itself, without a display.
    void checksAgainstTheInstalledProfile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("no lines") << QByteArray() << 0 << "";
        QTest::newRow("unknown key") << QByteArray("&noSuchParameter=1\r\n") << 1
                                     << ":1: unknown key \"&noSuchParameter\"\n";
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

        const Run check = run(program(), {"--check", file}, bareEnvironment());
        QVERIFY2(check.err.isEmpty(), qPrintable(check.err));
        QCOMPARE(check.exitCode, exitCode);
        QCOMPARE(check.out, output.isEmpty() ? output : file + output);
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

        QProcessEnvironment environment = bareEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), work.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
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
        QTest::newRow("style file") << QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n")
                                    << "application/x-trevix-style";
        QTest::newRow("long key") << QByteArray("&abcdefghijklmnopqrst=1\r\n") << "application/x-trevix-style";
        QTest::newRow("3D model") << QByteArray("solid cube\nendsolid cube\n") << "model/stl";
    }

    void styleFilesHaveTheirMimeType()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, type);
        const QString share = installed(QStringLiteral("share"));
        const Run update = run(QStringLiteral("update-mime-database"), {share + "/mime"}, bareEnvironment());
        QVERIFY2(update.exitCode == 0, qPrintable(update.err));

        QTemporaryDir work;
        const QString file = work.filePath(QStringLiteral("chart.stl"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();

        QProcessEnvironment environment = bareEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), share + QStringLiteral(":/usr/share"));
        const Run query = run(QStringLiteral("xdg-mime"), {"query", "filetype", file}, environment);
        QCOMPARE(query.exitCode, 0);
        QCOMPARE(query.out.trimmed(), type);
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"

#include "settings/StoredValueScrambler.h"
#include "support/PreviewAppDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

// Settings files edited by hand or by scripts, with values no dialog of the
// editor writes: the built editor, in a process of its own with its preview,
// must come up with its window and its chart page, stay within a bound of
// memory, end cleanly on SIGTERM, leave its window on the screen and keep
// the lines it did not change.
class tst_HostileSettings : public QObject
{
    Q_OBJECT

private:
    // Generous, and together within the five minutes QtTest gives a test function.
    static constexpr int WindowTimeoutMs = 60000;
    static constexpr int RestTimeoutMs = 120000;
    static constexpr int EndTimeoutMs = 60000;
    // Above the peak of a start with clean settings: a preview of 3000 x 3000
    // pixels, the largest Options allow, fits well within it.
    static constexpr qint64 AllowedGrowthKb = 256 << 10;
    static constexpr char Note[] = "; kept for Ann: do not touch";

    qint64 m_cleanPeakKb = 0;

    static QByteArray scrambled(const char *text, const char *key)
    {
        return StoredValueScrambler::scramble(QLatin1String(text), QLatin1String(key)).toLatin1();
    }
    static QByteArray width(const char *text) { return "SWFWidth=" + scrambled(text, "Brosendaw"); }
    static QByteArray height(const char *text)
    {
        return "SWFHeight=" + scrambled(text, "Tavelnok");
    }

    // The main window's values, one a line, and lines of the recent files' section.
    static QByteArray settingsFile(const QByteArray &values, const QByteArray &recentFiles = {})
    {
        QByteArray file = "[SOFTWARE]\n" + QByteArray(Note) + "\n";
        for (const QByteArray &line : values.split('\n')) {
            if (!line.isEmpty())
                file += "Melbrin\\TrevixStyleEditor\\" + line + '\n';
        }
        for (const QByteArray &line : recentFiles.split('\n')) {
            if (!line.isEmpty())
                file += "Melbrin\\TrevixStyleEditor\\ReopenList\\" + line + '\n';
        }
        return file;
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static qint64 peakKb(qint64 pid)
    {
        for (const QByteArray &line :
             readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
        return -1;
    }

    static bool sigtermCaught(qint64 pid)
    {
        for (const QByteArray &line :
             readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n')) {
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        }
        return false;
    }

    // The process and every process it started, the web engine's among them.
    static QList<qint64> processTree(qint64 pid)
    {
        QList<qint64> tree{pid};
        for (qsizetype i = 0; i < tree.size(); ++i) {
            const QByteArray children = readFile(
                    QStringLiteral("/proc/%1/task/%1/children").arg(tree[i]));
            for (const QByteArray &child : children.split(' ')) {
                if (!child.trimmed().isEmpty())
                    tree.append(child.trimmed().toLongLong());
            }
        }
        return tree;
    }

    // User and system time of the processes, in clock ticks.
    static qint64 ticks(const QList<qint64> &pids)
    {
        qint64 sum = 0;
        for (const qint64 pid : pids) {
            const QByteArray line = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 12)
                sum += fields[11].toLongLong() + fields[12].toLongLong();
        }
        return sum;
    }

    // Polled: true once the editor with all its processes has used less than 2%
    // of a core over a second, which it does only when its window and its
    // chart are drawn (a busy machine slows it down, but does not stop it).
    class RestWatch
    {
    public:
        explicit RestWatch(qint64 pid) : m_pid(pid) {}
        bool resting()
        {
            if (m_clock.isValid() && m_clock.elapsed() < 1000)
                return m_resting;
            const QList<qint64> tree = processTree(m_pid);
            const qint64 now = ticks(tree);
            m_resting = m_clock.isValid() && tree.size() > 2
                        && double(now - m_ticks) / sysconf(_SC_CLK_TCK)
                                   < 0.02 * m_clock.elapsed() / 1000.0;
            m_ticks = now;
            m_clock.start();
            return m_resting;
        }

    private:
        qint64 m_pid;
        qint64 m_ticks = 0;
        bool m_resting = false;
        QElapsedTimer m_clock;
    };

    struct Run
    {
        qint64 peakKb = -1;
        QByteArray settingsAfter;
    };

    // Starts the built editor on the settings with a style file named on its
    // command line, which it opens once its window is up, waits for its
    // chart page and ends it with SIGTERM.
    static Run runEditor(const QByteArray &settings)
    {
        Run run;
        PreviewAppDir appDir;
        // The program's folder is that of its executable, so the editor is copied there.
        const QString editor = appDir.path() + QStringLiteral("TrevixStyleEditor");
        if (!QFile::copy(QStringLiteral(TREVIX_BUILD_APP_DIR "/TrevixStyleEditor"), editor)) {
            qWarning("cannot copy the editor");
            return run;
        }
        QTemporaryDir home;
        const QString styleFile = home.filePath(QStringLiteral("blue.stl"));
        QFile style(styleFile);
        if (!style.open(QIODevice::WriteOnly) || style.write("&bgColor=0x0000FF\r\n") < 0)
            return run;
        style.close();
        const QString settingsPath = home.filePath(
                QStringLiteral("config/Melbrin/TrevixStyleEditor.conf"));
        QDir().mkpath(QFileInfo(settingsPath).path());
        QFile settingsOut(settingsPath);
        if (!settingsOut.open(QIODevice::WriteOnly) || settingsOut.write(settings) < 0)
            return run;
        settingsOut.close();

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(editor, {styleFile});
        [&] {
            QVERIFY(process.waitForStarted());
            // Opening the file rewrites style.txt: the window is up.
            QTRY_VERIFY_WITH_TIMEOUT(readFile(appDir.path() + QStringLiteral("style.txt"))
                                             .contains("&bgColor=0x0000FF"),
                                     WindowTimeoutMs);
            // The preview's page runs and the chart has been drawn.
            RestWatch watch(process.processId());
            QTRY_VERIFY_WITH_TIMEOUT(watch.resting(), RestTimeoutMs);
            QVERIFY(sigtermCaught(process.processId()));
            QCOMPARE(process.state(), QProcess::Running);
            run.peakKb = peakKb(process.processId());
            ::kill(pid_t(process.processId()), SIGTERM);
            QVERIFY(process.waitForFinished(EndTimeoutMs));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 0);
        }();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        run.settingsAfter = readFile(settingsPath);
        return run;
    }

    // The window's rectangle as the editor saved it at its end.
    static QRect savedWindow(const QByteArray &settings)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.conf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(settings) < 0)
            return QRect();
        file.close();
        const QStringList edges = QSettings(path, QSettings::IniFormat)
                                          .value(QStringLiteral(
                                                  "SOFTWARE/Melbrin/TrevixStyleEditor/NormPos"))
                                          .toString()
                                          .split(u',');
        if (edges.size() != 4)
            return QRect();
        return QRect(QPoint(edges[0].toInt(), edges[1].toInt()),
                     QPoint(edges[2].toInt() - 1, edges[3].toInt() - 1));
    }

private slots:
    void initTestCase()
    {
        const Run clean = runEditor(settingsFile(QByteArray()));
        QVERIFY(clean.peakKb > 0);
        m_cleanPeakKb = clean.peakKb;
        qInfo("peak with clean settings: %lld kB", m_cleanPeakKb);
    }

    void editorComesUpAndEnds_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("kept"); // a line the editor keeps as it was
        const QByteArray note = QByteArray(Note) + '\n';
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const QByteArray thisScreen
                = QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height()).toLatin1();
        QTest::newRow("height 16,777,215") << settingsFile(height("16777215")) << note;
        QTest::newRow("height 2,147,483,647") << settingsFile(height("2147483647")) << note;
        QTest::newRow("width 100,000") << settingsFile(width("100000")) << note;
        QTest::newRow("width 99,999,999") << settingsFile(width("99999999")) << note;
        QTest::newRow("width beyond any integer")
                << settingsFile(width("99999999999999999999")) << note;
        QTest::newRow("sizes negative")
                << settingsFile(width("-400") + '\n' + height("-2147483648")) << note;
        QTest::newRow("width no number") << settingsFile(width("wide")) << note;
        QTest::newRow("width not scrambled") << settingsFile("SWFWidth=99999999") << note;
        QTest::newRow("window 100,000 square")
                << settingsFile("NormPos=\"0,0,100000,100000\"") << note;
        QTest::newRow("window off the screen")
                << settingsFile("NormPos=\"5000,5000,5900,5550\"") << note;
        QTest::newRow("window left of and above the screen")
                << settingsFile("NormPos=\"-5000,-5000,-4100,-4450\"") << note;
        QTest::newRow("window of the whole integer range")
                << settingsFile("NormPos=\"-2147483648,-2147483648,2147483647,2147483647\"")
                << note;
        QTest::newRow("window for this screen size off the screen") << settingsFile(
                "NormPos" + thisScreen + "=\"3000,40,3900,540\"\nNormPos=\"40,40,900,500\"")
                                                                    << note;
        QTest::newRow("preview panel and columns of a billion pixels") << settingsFile(
                "PreviewPanelWidth=1000000000\nGridColumnWidths=\"1000000000,1000000000\"")
                                                                       << note;
        QTest::newRow("recent file of 50 MB")
                << settingsFile(QByteArray(), "MRU1=/" + QByteArray(50 << 20, 'x')) << note;
        QTest::newRow("recent files with commas and a byte that is not UTF-8")
                << settingsFile(QByteArray(), "MRU1=/home/ann/a,b.stl\nMRU2=/home/ann/Gr\xFCn.stl")
                << QByteArray("MRU3=/home/ann/Gr\xFCn.stl\n");
    }
    void editorComesUpAndEnds()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, kept);
        const Run run = runEditor(settings);
        QVERIFY(run.peakKb > 0);
        QVERIFY2(run.peakKb < m_cleanPeakKb + AllowedGrowthKb,
                 qPrintable(QStringLiteral("peak %1 kB, %2 kB with clean settings")
                                    .arg(run.peakKb)
                                    .arg(m_cleanPeakKb)));
        const QRect window = savedWindow(run.settingsAfter);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(window), qPrintable(QStringLiteral("window at %1,%2 %3x%4")
                                                             .arg(window.x())
                                                             .arg(window.y())
                                                             .arg(window.width())
                                                             .arg(window.height())));
        QVERIFY(run.settingsAfter.contains(kept));
    }
};

QTEST_MAIN(tst_HostileSettings)
#include "tst_hostilesettings.moc"

#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"
#include "support/TestPrompts.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qsessionmanager_p.h>
#include <qpa/qplatformsessionmanager.h>

#include <csignal>
#include <utility>

// The end of the user's session. A session manager's request to commit the
// data asks about unsaved changes where the manager allows questions (Cancel
// calls the end off) and writes the settings; the window then closes without
// asking again. SIGTERM, SIGHUP and SIGINT end a running editor through its
// event loop, with its settings written.
class tst_SessionEnd : public QObject
{
    Q_OBJECT

private:
    // The platform's side of the application's session manager: whether the
    // program may ask the user, and whether it asked to call the end off.
    class RecordingSessionManager : public QPlatformSessionManager
    {
    public:
        explicit RecordingSessionManager(bool interaction)
            : QPlatformSessionManager(QString(), QString()), m_interaction(interaction)
        {}
        bool allowsInteraction() override { return m_interaction; }
        void cancel() override { cancelled = true; }
        bool cancelled = false;

    private:
        bool m_interaction;
    };

    // The application's session manager talks to the recording one while the commit request runs.
    static void commitSession(RecordingSessionManager &platform)
    {
        QSessionManager *manager = QGuiApplicationPrivate::instance()->session_manager;
        QVERIFY(manager);
        auto *d = static_cast<QSessionManagerPrivate *>(QObjectPrivate::get(manager));
        QPlatformSessionManager *original = std::exchange(d->platformSessionManager, &platform);
        QGuiApplicationPrivate::instance()->commitData(); // as the platform does when the session ends
        d->platformSessionManager = original;
    }

    static QString stored(const QString &settingsPath, const QString &name)
    {
        return QSettings(settingsPath, QSettings::IniFormat)
                .value(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/") + name)
                .toString();
    }

    static bool signalCaught(qint64 pid, int signalNumber)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
        }
        return false;
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void commitRequest_data()
    {
        QTest::addColumn<bool>("interaction");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("unsaved changes, Cancel")
                << true << true << int(DocumentPrompts::Cancel) << true;
        QTest::newRow("unsaved changes, No") << true << true << int(DocumentPrompts::No) << false;
        QTest::newRow("unsaved changes, Yes") << true << true << int(DocumentPrompts::Yes) << false;
        QTest::newRow("nothing unsaved") << true << false << int(DocumentPrompts::Cancel) << false;
        QTest::newRow("no questions allowed")
                << false << true << int(DocumentPrompts::Cancel) << false;
    }

    void commitRequest()
    {
        QFETCH(bool, interaction);
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, cancelled);
        TestAppDir appDir;
        ReportedErrors reported;
        const QString styleFile = appDir.path(QStringLiteral("mine.stl"));
        {
            StyleDocument document;
            MainWindow form(document, appDir.dir(), {});
            TestPrompts prompts;
            prompts.answer = DocumentPrompts::Answer(answer);
            form.documentCommands().setPrompts(prompts);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.document().setFileName(styleFile);
            form.document().setModified(modified);

            RecordingSessionManager platform(interaction);
            commitSession(platform);
            QCOMPARE(platform.cancelled, cancelled);
            QCOMPARE(prompts.asked.size(), interaction && modified ? 1 : 0);
            QCOMPARE(QFile::exists(styleFile), answer == DocumentPrompts::Yes && !cancelled);
            QCOMPARE(stored(appDir.settingsPath(), QStringLiteral("FormVersion")),
                     cancelled ? QString() : QStringLiteral("0"));

            // The end closes the window: no second question once the first let it go.
            QCOMPARE(form.close(), !cancelled);
            QCOMPARE(prompts.asked.size(), (interaction && modified ? 1 : 0) + (cancelled ? 1 : 0));
        }
        reported.verifyNoneShown();
    }

    // The built editor in a process of its own, on an application directory
    // without the preview engine, opens a style file named on its command line
    // and is then ended by a signal.
    void signalEndsTheEditorWithItsSettings_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void signalEndsTheEditorWithItsSettings()
    {
        QFETCH(int, signalNumber);
        QTemporaryDir dir;
        const QString appDir = dir.filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(appDir));
        const QString editor = appDir + QStringLiteral("/TrevixStyleEditor");
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_BUILD_APP_DIR "/TrevixStyleEditor"), editor));
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/Style.xml"),
                            appDir + QStringLiteral("/Style.xml")));
        QFile styleTxt(appDir + QStringLiteral("/style.txt"));
        QVERIFY(styleTxt.open(QIODevice::WriteOnly));
        styleTxt.close();
        const QString styleFile = dir.filePath(QStringLiteral("blue.stl"));
        QFile style(styleFile);
        QVERIFY(style.open(QIODevice::WriteOnly));
        style.write("&bgColor=0x0000FF\r\n");
        style.close();

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(editor, {styleFile});
        QVERIFY(process.waitForStarted());
        // Opening the file rewrites style.txt with its values.
        QTRY_VERIFY_WITH_TIMEOUT(readFile(appDir + QStringLiteral("/style.txt"))
                                         .contains("&bgColor=0x0000FF"),
                                 20000);
        QVERIFY(signalCaught(process.processId(), signalNumber));

        ::kill(pid_t(process.processId()), signalNumber);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        const QString settings = dir.filePath(
                QStringLiteral("config/Melbrin/TrevixStyleEditor.conf"));
        QCOMPARE(stored(settings, QStringLiteral("FormVersion")), QStringLiteral("0"));
        QCOMPARE(stored(settings, QStringLiteral("ReopenList/MRU1")), styleFile);
    }
};

QTEST_MAIN(tst_SessionEnd)
#include "tst_sessionend.moc"

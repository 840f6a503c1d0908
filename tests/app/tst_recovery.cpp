#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/TrevixApplication.h"
#include "app/ValueHistory.h"
#include "base/SystemText.h"
#include "support/RawFiles.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"
#include "support/TestPrompts.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList records()
{
    return QDir(RecoveryRecord::folder()).entryList({QStringLiteral("*.txt")}, QDir::Files);
}

void edit(MainWindow &form, const QString &key, const QString &value)
{
    ParameterTable &table = form.document().table();
    table.setValue(table.indexOfKey(key), value);
}

// The editor of another process: opens the file (if any), makes one edit,
// says so once its record is on disk, and runs until it is ended.
int runEditor(const QString &appDir, const QString &file, const QString &margin)
{
    ReportedErrors errors;
    TestPrompts prompts;
    WindowUnderTest form(appDir, file.isEmpty() ? QStringList() : QStringList{file});
    form->documentCommands().setPrompts(prompts);
    form->show();
    if (!QTest::qWaitFor([&] { return !form->openTimer().isActive(); }, 60000)
        || form->document().fileName() != file)
        return 3;
    const qsizetype before = records().size();
    edit(*form, QStringLiteral("margin"), margin);
    if (!QTest::qWaitFor([&] { return records().size() > before; }, 60000) || !errors.isEmpty()
        || !prompts.asked.isEmpty())
        return 4;
    std::printf("edited\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

// Unsaved edits outlive an editor killed with SIGKILL: the next start offers
// them before anything else. Each editor keeps a record of its own in the
// user's data folder (XDG_DATA_HOME, a temporary folder here, shared with
// the editors the test starts).
class tst_Recovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestAppDir> m_appDir;
    std::unique_ptr<ReportedErrors> m_errors;
    std::vector<std::unique_ptr<QProcess>> m_editors;

    // An editor in a process of its own that has made its edit.
    QProcess *startEditor(const QString &file, const QString &margin)
    {
        auto editor = std::make_unique<QProcess>();
        editor->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The name percent-encoded: an argument would lose a byte that is not UTF-8.
        editor->start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--editor"), m_appDir->dir(),
                       QString::fromLatin1(SystemText::encode(file).toPercentEncoding()), margin});
        if (!editor->waitForStarted(60000)
            || !QTest::qWaitFor(
                    [&] { return editor->canReadLine() || editor->state() == QProcess::NotRunning; },
                    120000)
            || editor->readLine() != "edited\n")
            return nullptr;
        m_editors.push_back(std::move(editor));
        return m_editors.back().get();
    }
    static void kill(QProcess *editor)
    {
        ::kill(pid_t(editor->processId()), SIGKILL);
        QVERIFY(editor->waitForFinished(60000));
        QCOMPARE(editor->exitStatus(), QProcess::CrashExit);
    }
    // Kills the editor, starts the next one in this process choosing Restore,
    // and checks that it offered just the killed editor's edits.
    void restoreAfterKilling(QProcess *editor, WindowUnderTest &form, TestPrompts &prompts,
                             const QString &offered, const QString &margin)
    {
        kill(editor);
        prompts.choices = {1};
        start(form, prompts);
        QCOMPARE(prompts.asked.size(), 1);
        QVERIFY(prompts.asked.first().contains(offered));
        QCOMPARE(form->document().paramValue(QStringLiteral("margin")), margin);
    }
    // The next start of the editor, in this process.
    void start(WindowUnderTest &form, TestPrompts &prompts, const QStringList &arguments = {})
    {
        form.open(m_appDir->dir(), arguments);
        form->documentCommands().setPrompts(prompts);
        form->show();
        if (!QTest::qWaitFor([&] { return !form->openTimer().isActive(); }, 60000))
            qFatal("the window did not start");
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestAppDir>();
        // The records go where the user's go.
        RecoveryRecord::setFolder(QString());
        m_errors = std::make_unique<ReportedErrors>();
    }
    void cleanup()
    {
        m_editors.clear();
        m_errors->verifyNoneShown();
        m_errors.reset();
        QDir(RecoveryRecord::folder()).removeRecursively();
        m_appDir.reset();
    }

    void recordsAreKeptInTheUsersDataFolder()
    {
        QCOMPARE(RecoveryRecord::folder(),
                 qEnvironmentVariable("XDG_DATA_HOME")
                         + QStringLiteral("/Melbrin/TrevixStyleEditor/recovery"));
    }

    void killedEditorsEditsAreOffered_data()
    {
        QTest::addColumn<QByteArray>("name"); // of a file, or empty for a new document
        QTest::addColumn<int>("answer");      // 0 discard, 1 restore
        QTest::newRow("file, restored") << QByteArray("blue.stl") << 1;
        QTest::newRow("file, discarded") << QByteArray("blue.stl") << 0;
        QTest::newRow("file named by bytes that are not UTF-8, restored")
                << QByteArray("bl\xFC\xFF.stl") << 1;
        QTest::newRow("new document, restored") << QByteArray() << 1;
    }
    void killedEditorsEditsAreOffered()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, answer);
        const bool named = !name.isEmpty();
        const RawFiles::Folder folder;
        const QString file = named ? SystemText::decode(folder.path(name)) : QString();
        if (named)
            QVERIFY(RawFiles::write(folder.path(name), "&margin=10\r\n"));
        QProcess *editor = startEditor(file, QStringLiteral("33"));
        QVERIFY(editor);
        kill(editor);
        QCOMPARE(records().size(), 1);
        // The working copy is no record: another editor may have written it since.
        m_appDir->write(QStringLiteral("style.txt"), "&margin=5\r\n");

        TestPrompts prompts;
        prompts.choices = {answer};
        WindowUnderTest form;
        start(form, prompts);
        QCOMPARE(prompts.asked.size(), 1);
        QVERIFY(prompts.asked.first().contains(named ? file : QStringLiteral("Untitled")));
        const QString margin = form->document().paramValue(QStringLiteral("margin"));
        if (answer == 1) {
            QCOMPARE(form->document().fileName(), file);
            QCOMPARE(margin, QStringLiteral("33"));
            QVERIFY(form->document().isModified());
            QVERIFY(readFile(form->document().styleTxtPath()).contains("&margin=33\r\n"));
            if (named)
                QCOMPARE(RawFiles::read(folder.path(name)), QByteArray("&margin=10\r\n"));
            // Undo gives the file's values.
            form->history()->undo();
            QCOMPARE(form->document().paramValue(QStringLiteral("margin")),
                     named ? QStringLiteral("10") : QString());
            form->history()->redo();
        } else {
            QCOMPARE(margin, QStringLiteral("5"));
            QVERIFY(!form->document().isModified());
            QVERIFY(records().isEmpty());
        }
        // Restored edits are this editor's own now, kept when it ends without
        // a question; given up, nothing is left to offer.
        form.reset();
        TestPrompts again;
        start(form, again);
        QCOMPARE(again.asked.size(), answer);
        QCOMPARE(form->document().isModified(), answer == 1);
    }

    void offeredBeforeTheCommandLinesFile()
    {
        const QString blue = m_appDir->write(QStringLiteral("blue.stl"), "&margin=10\r\n");
        const QString red = m_appDir->write(QStringLiteral("red.stl"), "&margin=20\r\n");
        QProcess *editor = startEditor(blue, QStringLiteral("33"));
        QVERIFY(editor);
        kill(editor);

        // Restored, then the file of the command line asks about them like any other file.
        TestPrompts prompts;
        prompts.choices = {1};
        prompts.answer = DocumentPrompts::Cancel;
        WindowUnderTest form;
        start(form, prompts, {red});
        QCOMPARE(prompts.asked.size(), 2);
        QVERIFY(prompts.asked.at(0).contains(blue));
        QCOMPARE(prompts.asked.at(1), DocumentCommands::saveChangesMessage(blue));
        QCOMPARE(form->document().fileName(), blue);
        QCOMPARE(form->document().paramValue(QStringLiteral("margin")), QStringLiteral("33"));
        QVERIFY(form->document().isModified());
    }

    void savedRevertedOrGivenUpEditsLeaveNoRecord()
    {
        const QString blue = m_appDir->write(QStringLiteral("blue.stl"), "&margin=10\r\n");
        TestPrompts prompts;
        WindowUnderTest form;
        start(form, prompts, {blue});
        edit(*form, QStringLiteral("margin"), QStringLiteral("40"));
        QTRY_COMPARE(records().size(), 1);
        // A record is a style file of the values, after the file's name and what it held.
        const QByteArray record = readFile(
                QDir(RecoveryRecord::folder()).filePath(records().first()));
        QVERIFY(record.startsWith("file=" + QFile::encodeName(blue).toPercentEncoding()
                                  + "\r\nbase="));
        QVERIFY(record.contains("\r\n&margin=40\r\n"));
        form->saveAction()->trigger();
        QVERIFY(records().isEmpty());

        // Read anew after another program's change.
        edit(*form, QStringLiteral("margin"), QStringLiteral("41"));
        QTRY_COMPARE(records().size(), 1);
        prompts.choices = {0};
        m_appDir->write(QStringLiteral("blue.stl"), "&margin=12\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(form->document().paramValue(QStringLiteral("margin")),
                                  QStringLiteral("12"), 60000);
        QVERIFY(records().isEmpty());

        // Closed without saving.
        edit(*form, QStringLiteral("margin"), QStringLiteral("42"));
        QTRY_COMPARE(records().size(), 1);
        prompts.answer = DocumentPrompts::Cancel;
        QVERIFY(!form->close());
        QCOMPARE(records().size(), 1);
        prompts.answer = DocumentPrompts::No;
        QVERIFY(form->close());
        QVERIFY(records().isEmpty());
    }

    void twoEditorsKeepARecordEach()
    {
        const QString blue = m_appDir->write(QStringLiteral("blue.stl"), "&margin=10\r\n");
        QProcess *first = startEditor(blue, QStringLiteral("41"));
        QVERIFY(first);
        QProcess *second = startEditor(QString(), QStringLiteral("42"));
        QVERIFY(second);
        QCOMPARE(records().size(), 2);

        // The record of an editor that runs is not offered; the killed one's is.
        // The restored window stays open: its record is its own while it runs.
        TestPrompts prompts;
        WindowUnderTest form;
        restoreAfterKilling(second, form, prompts, QStringLiteral("Untitled"), QStringLiteral("42"));
        QCOMPARE(records().size(), 2);

        TestPrompts next;
        WindowUnderTest other;
        restoreAfterKilling(first, other, next, blue, QStringLiteral("41"));
    }
};

int main(int argc, char *argv[])
{
    // This process and the editors it starts keep their settings and records here.
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("TREVIX_TEST_HOME")) {
        qputenv("TREVIX_TEST_HOME", QFile::encodeName(home.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    }
    TrevixApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--editor") == 0) {
        return runEditor(QString::fromLocal8Bit(argv[2]),
                         SystemText::decode(QByteArray::fromPercentEncoding(argv[3])),
                         QString::fromLocal8Bit(argv[4]));
    }
    tst_Recovery test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_recovery.moc"

#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ValueHistory.h"
#include "style/StyleDocument.h"
#include "support/AppDirTestCase.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

// Another program changes, replaces, deletes or moves the open style file
// under the running main window: a process of its own does it, and the
// window notices through its watch or when it comes back to the foreground.
class tst_OutsideChanges : public AppDirTestCase
{
    Q_OBJECT

    enum Change { Rewrite, ReplaceByRename, Delete, MoveAway };

    // A main window with blue.stl open, its questions answered by the test.
    struct Editor
    {
        explicit Editor(const TestAppDir &appDir)
            : file(appDir.write(QStringLiteral("blue.stl"), "&bgColor=0x0000FF\r\n&margin=10\r\n")),
              form(document, appDir.dir(), {file})
        {
            form.documentCommands().setPrompts(prompts);
            form.show();
        }
        QByteArray read() const
        {
            QFile in(file);
            return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
        }
        QString value(const QString &key) { return form.document().paramValue(key); }
        void edit(const QString &key, const QString &value)
        {
            ParameterTable &table = form.document().table();
            table.setValue(table.indexOfKey(key), value);
        }
        QString statusMessage() const { return form.statusBar()->currentMessage(); }

        QString file;
        TestPrompts prompts;
        StyleDocument document;
        MainWindow form;
    };

    // Another program, in a process of its own; the test goes on once it has ended.
    static void change(Change how, const QString &file, const QByteArray &content = {})
    {
        static const char *const scripts[] = {
                "printf '%s' \"$2\" > \"$1\"",
                "printf '%s' \"$2\" > \"$1.new\" && mv \"$1.new\" \"$1\"",
                "rm \"$1\"",
                "mv \"$1\" \"$1.moved\"",
        };
        QProcess process;
        process.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QString::fromLatin1(scripts[how]),
                       QStringLiteral("sh"), file, QString::fromUtf8(content)});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
    }
    // The user leaves for another program and comes back. Delivered at once,
    // so the window looks before any notice of the watch can arrive.
    static void comeBackToTheForeground()
    {
        QWindowSystemInterface::handleApplicationStateChanged<
                QWindowSystemInterface::SynchronousDelivery>(Qt::ApplicationInactive);
        QWindowSystemInterface::handleApplicationStateChanged<
                QWindowSystemInterface::SynchronousDelivery>(Qt::ApplicationActive);
    }
    std::unique_ptr<Editor> start()
    {
        auto editor = std::make_unique<Editor>(*m_appDir);
        if (!QTest::qWaitFor([&] { return editor->form.document().fileName() == editor->file; },
                             30000))
            qFatal("the command line's file did not open");
        return editor;
    }

private slots:
    void unmodifiedDocumentReloads_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("written in place") << int(Rewrite);
        QTest::newRow("replaced by a rename") << int(ReplaceByRename);
    }
    void unmodifiedDocumentReloads()
    {
        auto e = start();
        QFETCH(int, how);
        change(Change(how), e->file, "&bgColor=0x00FF00\r\n&margin=12\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(e->value(QStringLiteral("margin")), QStringLiteral("12"), 30000);
        QCOMPARE(e->value(QStringLiteral("bgColor")), QStringLiteral("0x00FF00"));
        QVERIFY(!e->form.document().isModified());
        QVERIFY(e->statusMessage().contains(QStringLiteral("blue.stl")));
        QVERIFY(e->prompts.asked.isEmpty());
        // The working copy and so the preview follow.
        QFile styleTxt(e->form.document().styleTxtPath());
        QVERIFY(styleTxt.open(QIODevice::ReadOnly));
        QVERIFY(styleTxt.readAll().contains("&margin=12\r\n"));

        // The watch goes on after the first change, also on the new file a rename put in place.
        change(Change(how), e->file, "&margin=14\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(e->value(QStringLiteral("margin")), QStringLiteral("14"), 30000);
        QVERIFY(e->prompts.asked.isEmpty());
        // The values before each reload are one Undo away.
        e->form.history()->undo();
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("12"));
        e->form.history()->undo();
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("10"));
        QCOMPARE(e->value(QStringLiteral("bgColor")), QStringLiteral("0x0000FF"));
        QVERIFY(e->form.document().isModified());
    }

    void modifiedDocumentAsks_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("choice"); // 0 reload, 1 keep the edits
        QTest::newRow("written in place, reload") << int(Rewrite) << 0;
        QTest::newRow("written in place, keep") << int(Rewrite) << 1;
        QTest::newRow("replaced by a rename, keep") << int(ReplaceByRename) << 1;
    }
    void modifiedDocumentAsks()
    {
        auto e = start();
        QFETCH(int, how);
        QFETCH(int, choice);
        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        e->prompts.choices = {choice};
        change(Change(how), e->file, "&margin=12\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(e->prompts.asked.size(), 1, 30000);
        QVERIFY(e->prompts.asked.first().contains(e->file));
        if (choice == 0) {
            QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("12"));
            QVERIFY(!e->form.document().isModified());
            // The edits given up are still one Undo away.
            e->form.history()->undo();
            QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("30"));
            return;
        }
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("30"));
        QVERIFY(e->form.document().isModified());
        // Save asks before it overwrites the other program's content; Cancel leaves both as they are.
        e->prompts.choices = {1};
        e->form.saveAction()->trigger();
        QCOMPARE(e->prompts.asked.size(), 2);
        QCOMPARE(e->read(), QByteArray("&margin=12\r\n"));
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("30"));
        QVERIFY(e->form.document().isModified());
        e->prompts.choices = {0};
        e->form.saveAction()->trigger();
        QCOMPARE(e->prompts.asked.size(), 3);
        QVERIFY(e->read().contains("&margin=30\r\n"));
        QVERIFY(!e->form.document().isModified());
    }

    void saveAsksAfterAChangeNotNoticedYet()
    {
        auto e = start();
        // However the change came, Save looks itself before it overwrites.
        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        e->form.documentCommands().blockSignals(true);
        change(Rewrite, e->file, "&margin=12\r\n");
        e->form.saveAction()->trigger();
        QCOMPARE(e->prompts.asked.size(), 1);
        QVERIFY(e->prompts.asked.first().contains(e->file));
        QCOMPARE(e->read(), QByteArray("&margin=12\r\n"));
        QVERIFY(e->form.document().isModified());
    }

    void closingAfterAnOutsideChangeAsksBeforeSaving()
    {
        auto e = start();
        // Yes to saving the changes at the close, then Cancel to overwriting: the window stays.
        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        e->form.documentCommands().blockSignals(true);
        change(Rewrite, e->file, "&margin=12\r\n");
        e->prompts.answer = DocumentPrompts::Yes;
        e->prompts.choices = {1};
        QVERIFY(!e->form.close());
        QCOMPARE(e->prompts.asked.size(), 2);
        QCOMPARE(e->read(), QByteArray("&margin=12\r\n"));
        QVERIFY(e->form.document().isModified());
    }

    void deletedOrMovedFileIsWrittenAnewAfterAsking_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("modified");
        QTest::newRow("deleted, modified") << int(Delete) << true;
        QTest::newRow("moved away, modified") << int(MoveAway) << true;
        QTest::newRow("deleted, unmodified") << int(Delete) << false;
    }
    void deletedOrMovedFileIsWrittenAnewAfterAsking()
    {
        auto e = start();
        QFETCH(int, how);
        QFETCH(bool, modified);
        if (modified)
            e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        change(Change(how), e->file);
        QTRY_VERIFY_WITH_TIMEOUT(e->statusMessage().contains(QStringLiteral("blue.stl")), 30000);
        QVERIFY(e->prompts.asked.isEmpty());
        QCOMPARE(e->value(QStringLiteral("margin")),
                 modified ? QStringLiteral("30") : QStringLiteral("10"));
        QCOMPARE(e->form.document().isModified(), modified);
        e->prompts.choices = {1};
        e->form.saveAction()->trigger();
        QCOMPARE(e->prompts.asked.size(), 1);
        QCOMPARE(e->read(), QByteArray("<missing>"));
        e->prompts.choices = {0};
        e->form.saveAction()->trigger();
        QCOMPARE(e->prompts.asked.size(), 2);
        QVERIFY(e->read().contains(modified ? "&margin=30\r\n" : "&margin=10\r\n"));
        QVERIFY(!e->form.document().isModified());
    }

    void fileBackAsItWasIsNoChange()
    {
        auto e = start();
        // A checkout that deletes the file and writes the same content again.
        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        const QByteArray content = e->read();
        change(Delete, e->file);
        QTRY_VERIFY_WITH_TIMEOUT(e->statusMessage().contains(QStringLiteral("blue.stl")), 30000);
        QSignalSpy notices(&e->form.documentCommands(), &DocumentCommands::outsideChangeNoticed);
        change(Rewrite, e->file, content);
        QVERIFY(notices.wait(30000));
        e->form.saveAction()->trigger();
        QVERIFY(e->prompts.asked.isEmpty());
        QVERIFY(e->read().contains("&margin=30\r\n"));
    }

    void noticedWhenComingBackToTheForeground()
    {
        auto e = start();
        change(Rewrite, e->file, "&margin=12\r\n");
        comeBackToTheForeground();
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("12"));
        QVERIFY(e->statusMessage().contains(QStringLiteral("blue.stl")));

        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        change(Rewrite, e->file, "&margin=13\r\n");
        comeBackToTheForeground();
        QCOMPARE(e->prompts.asked.size(), 1);
        QVERIFY(e->prompts.asked.first().contains(e->file));
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("30"));
        // The change was looked at: neither the watch's notice nor the next return asks again.
        QSignalSpy notices(&e->form.documentCommands(), &DocumentCommands::outsideChangeNoticed);
        QVERIFY(notices.wait(30000));
        comeBackToTheForeground();
        QCOMPARE(e->prompts.asked.size(), 1);
    }

    void ownSavesAskNothing()
    {
        auto e = start();
        for (const QString &margin : {QStringLiteral("31"), QStringLiteral("32")}) {
            e->edit(QStringLiteral("margin"), margin);
            e->form.saveAction()->trigger();
            QVERIFY(e->read().contains(QStringLiteral("&margin=%1\r\n").arg(margin).toUtf8()));
        }
        // Another file of the folder makes the window look after the saves.
        QSignalSpy notices(&e->form.documentCommands(), &DocumentCommands::outsideChangeNoticed);
        change(Rewrite, m_appDir->path(QStringLiteral("red.stl")), "&margin=1\r\n");
        QVERIFY(notices.wait(30000));
        QVERIFY(e->prompts.asked.isEmpty());
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("32"));
        QVERIFY(!e->statusMessage().contains(QStringLiteral("blue.stl")));
    }

    void styleTxtIsNotWatched()
    {
        auto e = start();
        // Opened as the document, the working copy changes with every edit.
        const QString styleTxt = e->form.document().styleTxtPath();
        e->form.documentCommands().openStyleFile(styleTxt);
        e->edit(QStringLiteral("margin"), QStringLiteral("30"));
        change(Rewrite, styleTxt, "&margin=12\r\n");
        comeBackToTheForeground();
        e->form.saveAction()->trigger();
        QVERIFY(e->prompts.asked.isEmpty());
        QCOMPARE(e->value(QStringLiteral("margin")), QStringLiteral("30"));
    }
};

QTEST_MAIN(tst_OutsideChanges)
#include "tst_outsidechanges.moc"

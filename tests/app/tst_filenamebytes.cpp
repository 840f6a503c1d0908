#include "app/CommandLine.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/RecentFileList.h"
#include "base/SystemText.h"
#include "support/AppDirTestCase.h"
#include "support/RawFiles.h"
#include "support/TestPrompts.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTest>

#include <cstdlib>
#include <unistd.h>

// A style file whose name is not UTF-8 (a name from an older system, a
// Latin-1 archive) is a file like any other: opened from the command line,
// the recent files and a drop, saved under the very same bytes, watched for
// other programs, listed after a restart. Each case runs on an ordinary name
// too, which behaves as it always has.
class tst_FileNameBytes : public AppDirTestCase
{
    Q_OBJECT

    // The folder of the style file, by its bytes; gone with the test function's row.
    std::unique_ptr<RawFiles::Folder> m_styles;
    QByteArray m_folder;
    QByteArray folder() const { return m_folder; }
    // A file in a new folder (or a folder of that name in it), by its name as the program holds it.
    QString write(const QByteArray &bytes, const QByteArray &content,
                  const QByteArray &subfolder = {})
    {
        m_styles = std::make_unique<RawFiles::Folder>();
        m_folder = m_styles->path();
        if (!subfolder.isEmpty()) {
            m_folder = m_styles->path(subfolder);
            if (::mkdir(m_folder.constData(), 0755) != 0)
                qFatal("cannot make %s", subfolder.constData());
        }
        if (!RawFiles::write(m_folder + '/' + bytes, content))
            qFatal("cannot write %s", bytes.constData());
        return SystemText::decode(m_folder + '/' + bytes);
    }

    static void edit(MainWindow &form, const QString &key, const QString &value)
    {
        ParameterTable &table = form.document().table();
        table.setValue(table.indexOfKey(key), value);
    }
    static QString value(MainWindow &form, const QString &key)
    {
        return form.document().paramValue(key);
    }
    // A window started as the editor starts on the command line's arguments.
    void start(WindowUnderTest &form, const QStringList &arguments, TestPrompts &prompts)
    {
        CommandLine commandLine;
        if (!commandLine.parse(QStringList{QStringLiteral("TrevixStyleEditor")} + arguments))
            qFatal("%s", qPrintable(commandLine.errorText()));
        form.open(m_appDir->dir(), commandLine.styleFiles());
        form->documentCommands().setPrompts(prompts);
        form->show();
        if (!QTest::qWaitFor([&] { return !form->openTimer().isActive(); }, 60000))
            qFatal("the window did not start");
    }
    // Another program, given the name as bytes in $f (a QProcess argument
    // would pass it through UTF-8): each byte above 127 goes as \0ooo to printf.
    static void runScript(QProcess &process, const char *script, const QString &file,
                          const QStringList &arguments = {})
    {
        QByteArray escaped;
        for (const char c : SystemText::encode(file)) {
            if (uchar(c) < 0x80 && c != '\\')
                escaped += c;
            else
                escaped += "\\0" + QByteArray::number(uchar(c), 8);
        }
        process.start(QStringLiteral("sh"),
                      QStringList{QStringLiteral("-c"),
                                  QStringLiteral("f=$(printf '%b' \"$1\") && shift && ")
                                          + QLatin1String(script),
                                  QStringLiteral("sh"), QString::fromLatin1(escaped)}
                              + arguments);
        if (!process.waitForFinished(60000))
            qFatal("%s did not finish", script);
    }
    static void change(const char *script, const QString &file, const QByteArray &content = {})
    {
        QProcess process;
        runScript(process, script, file, {QString::fromLatin1(content)});
        QCOMPARE(process.exitCode(), 0);
    }

private slots:
    void names_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray("gr\xC3\xBCn.stl");
        QTest::newRow("Latin-1 byte") << QByteArray("gr\xFCn.stl");
        QTest::newRow("bytes of no text") << QByteArray("\xFF\xFE\x80.stl");
    }

    // The built editor takes the name's bytes from its command line: --check
    // reads the file and names it as it was given.
    void builtEditorChecksTheFileOfTheBytes_data() { names_data(); }
    void builtEditorChecksTheFileOfTheBytes()
    {
        QFETCH(QByteArray, bytes);
        const QString file = write(bytes, "&margin=10\r\n&unknownKey=1\r\n");
        QProcess process;
        runScript(process, "cd \"$1\" && exec \"$2\" --profile \"$3\" --check \"$f\"",
                  SystemText::decode(bytes),
                  {QFile::decodeName(folder()),
                   QStringLiteral(TREVIX_BUILD_APP_DIR "/TrevixStyleEditor"),
                   m_appDir->path(QStringLiteral("Style.xml"))});
        QCOMPARE(process.readAllStandardError(), QByteArray());
        const QByteArray out = process.readAllStandardOutput();
        QVERIFY2(out.startsWith(bytes + ":2: "), out.constData());
        QCOMPARE(out.count('\n'), 1);
        QCOMPARE(process.exitCode(), 1);
    }

    void openedEditedAndSavedUnderItsOwnBytes_data()
    {
        QTest::addColumn<QByteArray>("subfolder");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray() << QByteArray("gr\xC3\xBCn.stl");
        QTest::newRow("Latin-1 byte") << QByteArray() << QByteArray("gr\xFCn.stl");
        QTest::newRow("bytes of no text") << QByteArray() << QByteArray("\xFF\xFE\x80.stl");
        QTest::newRow("in a folder whose name is not UTF-8")
                << QByteArray("d\xE9") << QByteArray("blue.stl");
    }
    void openedEditedAndSavedUnderItsOwnBytes()
    {
        QFETCH(QByteArray, subfolder);
        QFETCH(QByteArray, bytes);
        const QString file = write(bytes, "&bgColor=0x0000FF\r\n&margin=10\r\n", subfolder);
        TestPrompts prompts;
        // By a relative name, as typed in the folder.
        char *current = ::getcwd(nullptr, 0);
        const auto back = qScopeGuard([current] {
            if (::chdir(current) != 0)
                qFatal("cannot go back to %s", current);
            std::free(current);
        });
        QVERIFY(::chdir(folder().constData()) == 0);
        WindowUnderTest form;
        start(form, {SystemText::decode(bytes)}, prompts);
        QCOMPARE(form->document().fileName(), file);
        QCOMPARE(value(*form, QStringLiteral("margin")), QStringLiteral("10"));
        // The title shows a byte that is not text as U+FFFD.
        QVERIFY(form->windowTitle().endsWith(SystemText::displayed(file) + QLatin1Char(']')));
        QVERIFY(!form->windowTitle().contains(QChar(0xDCFC)));
        QCOMPARE(form->recentFiles()->items().first(), file);

        edit(*form, QStringLiteral("margin"), QStringLiteral("33"));
        form->saveAction()->trigger();
        QVERIFY(!form->document().isModified());
        QCOMPARE(prompts.asked, QStringList());
        QCOMPARE(RawFiles::read(folder() + '/' + bytes),
                 QByteArray("&bgColor=0x0000FF\r\n&margin=33\r\n"));
        // No second file, under U+FFFD or '?', nor a temporary one.
        QCOMPARE(RawFiles::list(folder()), QList<QByteArray>{bytes});
    }

    // Another program writes the file in place or replaces it: the window
    // reads it anew, while it is in the foreground.
    void changeByAnotherProgramIsNoticed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("UTF-8, in place") << QByteArray("gr\xC3\xBCn.stl") << true;
        QTest::newRow("Latin-1 byte, in place") << QByteArray("gr\xFCn.stl") << true;
        QTest::newRow("Latin-1 byte, replaced") << QByteArray("gr\xFCn.stl") << false;
    }
    void changeByAnotherProgramIsNoticed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, inPlace);
        const QString file = write(bytes, "&margin=10\r\n");
        TestPrompts prompts;
        WindowUnderTest form;
        start(form, {file}, prompts);
        QCOMPARE(value(*form, QStringLiteral("margin")), QStringLiteral("10"));
        const char *script = inPlace ? "printf '%s' \"$1\" > \"$f\""
                                     : "printf '%s' \"$1\" > \"$f.new\" && mv \"$f.new\" \"$f\"";
        change(script, file, "&margin=12\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(value(*form, QStringLiteral("margin")), QStringLiteral("12"),
                                  60000);
        QVERIFY(!form->document().isModified());
        QVERIFY(form->statusBar()->currentMessage().startsWith(
                SystemText::displayed(SystemText::decode(bytes))));

        // Deleted: said once; Save then asks before it writes the file anew.
        change("rm \"$f\"", file);
        QTRY_VERIFY_WITH_TIMEOUT(form->statusBar()->currentMessage().contains(
                                         QStringLiteral("was deleted or moved")),
                                 60000);
        edit(*form, QStringLiteral("margin"), QStringLiteral("14"));
        prompts.choices = {0};
        form->saveAction()->trigger();
        QCOMPARE(prompts.asked.size(), 1);
        QVERIFY(prompts.asked.first().contains(file));
        QCOMPARE(RawFiles::read(folder() + '/' + bytes), QByteArray("&margin=14\r\n"));
        QCOMPARE(RawFiles::list(folder()), QList<QByteArray>{bytes});
    }

    // The recent files keep the name's bytes through the settings file: the
    // next start opens the same file from the list.
    void reopenedFromTheRecentFilesAfterARestart_data() { names_data(); }
    void reopenedFromTheRecentFilesAfterARestart()
    {
        QFETCH(QByteArray, bytes);
        const QString file = write(bytes, "&margin=10\r\n");
        TestPrompts prompts;
        WindowUnderTest form;
        start(form, {file}, prompts);
        QCOMPARE(form->recentFiles()->items(), QStringList{file});
        QVERIFY(form->close());
        form.reset();
        QFile settings(m_appDir->settingsPath());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("\\ReopenList\\MRU1=" + folder() + '/' + bytes + '\n'));

        start(form, {}, prompts);
        QCOMPARE(form->recentFiles()->items(), QStringList{file});
        form->recentFiles()->click(0);
        QCOMPARE(form->document().fileName(), file);
        QCOMPARE(value(*form, QStringLiteral("margin")), QStringLiteral("10"));
        QVERIFY(prompts.asked.isEmpty());
    }

    // A file dropped on the window: its URL holds the byte as %FC.
    void droppedFileOpens_data() { names_data(); }
    void droppedFileOpens()
    {
        QFETCH(QByteArray, bytes);
        const QString file = write(bytes, "&margin=10\r\n");
        TestPrompts prompts;
        WindowUnderTest form;
        start(form, {}, prompts);
        QMimeData data;
        data.setUrls(
                {QUrl::fromEncoded("file://" + (folder() + '/' + bytes).toPercentEncoding("/"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QCOMPARE(form->document().fileName(), file);
        QCOMPARE(value(*form, QStringLiteral("margin")), QStringLiteral("10"));
    }
};

QTEST_MAIN(tst_FileNameBytes)
#include "tst_filenamebytes.moc"

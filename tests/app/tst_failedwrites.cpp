#include "app/DocumentCommands.h"
#include "app/RecentFileList.h"
#include "app/ValueHistory.h"
#include "base/EditorError.h"
#include "base/ErrorReport.h"
#include "style/RecoveryRecord.h"
#include "style/StyleDocument.h"
#include "support/TestMount.h"
#include "support/TestPrompts.h"

#include <QDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Writes of style files that fail: the user's file stays as it was, the
// document keeps its values and its name and stays modified, the report shows
// the message that names the file, and the next write that can succeed does.
class tst_FailedWrites : public QObject
{
    Q_OBJECT

private:
    enum Failure { ReadOnlyFolder, FullDisk, TargetIsAFolder, FolderVanished };

    QTemporaryDir m_dir;

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    void loadProfile(StyleDocument &doc)
    {
        const QString profile = m_dir.filePath(QStringLiteral("Style.xml"));
        writeFile(profile,
                  "<root>root<s>Chart<bgColor type=\"color\" "
                  "default=\"0xFFFFFF\">Background</bgColor>"
                  "<width type=\"spin\" values=\"0,10\" default=\"5\">Width</width></s></root>");
        doc.loadProfile(profile);
    }

    // Sets up the failure for a file in folder, whose earlier content (if it
    // can have one) is oldBytes. Returns false when the test cannot make it.
    static bool prepare(Failure failure, const QString &folder, const QString &file,
                        const QByteArray &oldBytes, std::unique_ptr<TestMount> &mount)
    {
        switch (failure) {
        case ReadOnlyFolder:
        case FullDisk:
            mount = std::make_unique<TestMount>(folder, 64 * 1024);
            if (!mount->mounted())
                return false;
            writeFile(file, oldBytes);
            if (failure == FullDisk)
                mount->fill();
            return failure == FullDisk || mount->makeReadOnly();
        case TargetIsAFolder:
            return QDir().mkpath(file);
        case FolderVanished:
            // The dialog offered the folder; it is gone when the write comes.
            return QDir().mkpath(folder) && QDir(folder).removeRecursively();
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        RecoveryRecord::setFolder(m_dir.filePath(QStringLiteral("recovery")));
    }

    void cases_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<bool>("hasOldFile");
        QTest::newRow("read-only folder") << int(ReadOnlyFolder) << true;
        QTest::newRow("full disk") << int(FullDisk) << true;
        QTest::newRow("target is a folder") << int(TargetIsAFolder) << false;
        QTest::newRow("folder vanished") << int(FolderVanished) << false;
    }

    // Save (to the document's own file) and Save as (to the file the dialog
    // gave), run as the main window runs them: the error goes to the report.
    void saveCommands_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<int>("failure");
        QTest::addColumn<bool>("hasOldFile");
        QTest::newRow("save, read-only folder") << false << int(ReadOnlyFolder) << true;
        QTest::newRow("save, full disk") << false << int(FullDisk) << true;
        QTest::newRow("save as, read-only folder") << true << int(ReadOnlyFolder) << true;
        QTest::newRow("save as, full disk") << true << int(FullDisk) << true;
        QTest::newRow("save as, target is a folder") << true << int(TargetIsAFolder) << false;
        QTest::newRow("save as, folder vanished after the dialog")
                << true << int(FolderVanished) << false;
    }

    void saveCommands()
    {
        QFETCH(bool, saveAs);
        QFETCH(int, failure);
        QFETCH(bool, hasOldFile);
        const QString folder = m_dir.filePath(QStringLiteral("save%1%2").arg(saveAs).arg(failure));
        const QString path = folder + QStringLiteral("/mine.stl");
        const QByteArray oldBytes = "&bgColor=0x000000\r\n";
        std::unique_ptr<TestMount> mount;
        if (!prepare(Failure(failure), folder, path, oldBytes, mount))
            QSKIP("this machine does not let the test mount a small file system");

        StyleDocument doc;
        loadProfile(doc);
        const QString before = saveAs ? QStringLiteral("/elsewhere/earlier.stl") : path;
        doc.setFileName(before);
        doc.setModified(true);
        RecentFileList recentFiles;
        TestPrompts prompts;
        prompts.saveName = path;
        ValueHistory history(&doc, nullptr);
        DocumentCommands commands(doc, recentFiles, history, prompts);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        QStringList reported;
        const auto previous = ErrorReport::setHandler(
                [&reported](const QString &message) { reported << message; });
        const auto restore = qScopeGuard([&previous] { ErrorReport::setHandler(previous); });

        QVERIFY(!ErrorReport::guard([&] { saveAs ? commands.saveAs() : commands.save(); }));
        QCOMPARE(reported, QStringList{QStringLiteral("Cannot create file %1.").arg(path)});
        if (hasOldFile)
            QCOMPARE(readFile(path), oldBytes);
        else
            QVERIFY(!QFileInfo(path).isFile());
        QVERIFY(doc.isModified());
        QCOMPARE(doc.fileName(), before);
        QCOMPARE(doc.table().record(0).value(), QStringLiteral("0xFFFFFF"));
        QCOMPARE(refresh.count(), 0);
        QVERIFY(QDir(folder)
                        .entryList(QDir::Files | QDir::Hidden)
                        .filter(QStringLiteral("mine.stl."))
                        .isEmpty());

        // The program goes on: Save as to a place that can take the file works.
        prompts.saveName = m_dir.filePath(
                QStringLiteral("elsewhere%1%2.stl").arg(saveAs).arg(failure));
        QVERIFY(ErrorReport::guard([&] { commands.saveAs(); }));
        QCOMPARE(readFile(prompts.saveName), QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n"));
        QVERIFY(!doc.isModified());
        QCOMPARE(doc.fileName(), prompts.saveName);
    }

    // A folder that takes no new file around a file that may be written (a
    // shared file in a folder of someone else's): Save writes the file in
    // place, and where the new content does not fit on the disk the old one
    // stays, whole.
    void saveInPlaceWhereOnlyTheFileIsWritable_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<int>("parameters"); // each with a nine-digit value
        QTest::addColumn<QByteArray>("oldBytes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("room on the disk") << false << 400 << QByteArray("&p1=1\r\n") << true;
        QTest::newRow("full disk, shorter content") << true << 2 << QByteArray(3000, '#') << true;
        QTest::newRow("full disk, longer content")
                << true << 400 << QByteArray("&p1=1\r\n") << false;
    }

    void saveInPlaceWhereOnlyTheFileIsWritable()
    {
        QFETCH(bool, fullDisk);
        QFETCH(int, parameters);
        QFETCH(QByteArray, oldBytes);
        QFETCH(bool, saved);
        const QString folder = m_dir.filePath(
                QStringLiteral("shared%1%2").arg(fullDisk).arg(parameters));
        const QString path = folder + QStringLiteral("/shared.stl");
        TestMount mount(folder, 64 * 1024);
        if (!mount.mounted())
            QSKIP("this machine does not let the test mount a small file system");
        writeFile(path, oldBytes);
        if (fullDisk)
            mount.fill();
        QVERIFY(mount.makeReadOnlyExcept(path));
        QVERIFY(!QFile(folder + QStringLiteral("/new.stl"))
                         .open(QIODevice::WriteOnly)); // the folder refuses

        StyleDocument doc;
        QByteArray profile = "<root>root<s>Chart";
        QByteArray content;
        for (int i = 1; i <= parameters; ++i) {
            profile += QStringLiteral("\n<p%1 type=\"spin\" default=\"123456789\">P</p%1>")
                               .arg(i)
                               .toLatin1();
            content += QStringLiteral("&p%1=123456789\r\n").arg(i).toLatin1();
        }
        writeFile(m_dir.filePath(QStringLiteral("Style.xml")), profile + "</s></root>");
        doc.loadProfile(m_dir.filePath(QStringLiteral("Style.xml")));
        doc.setFileName(path);
        doc.setModified(true);
        RecentFileList recentFiles;
        TestPrompts prompts;
        prompts.choices = {0}; // Save replaces what the file held
        ValueHistory history(&doc, nullptr);
        DocumentCommands commands(doc, recentFiles, history, prompts);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        QStringList reported;
        const auto previous = ErrorReport::setHandler(
                [&reported](const QString &message) { reported << message; });
        const auto restore = qScopeGuard([&previous] { ErrorReport::setHandler(previous); });

        QCOMPARE(ErrorReport::guard([&] { commands.save(); }), saved);
        if (saved) {
            QCOMPARE(reported, QStringList());
            QCOMPARE(readFile(path), content);
            QVERIFY(!doc.isModified());
            QCOMPARE(refresh.count(), 1);
        } else {
            QCOMPARE(reported, QStringList{QStringLiteral("Cannot create file %1.").arg(path)});
            QCOMPARE(readFile(path), oldBytes);
            QVERIFY(doc.isModified());
            QCOMPARE(refresh.count(), 0);
        }
        QCOMPARE(doc.fileName(), path);
    }

    void styleTxtAfterAnEdit_data() { cases_data(); }
    void styleTxtAfterAnEdit()
    {
        QFETCH(int, failure);
        QFETCH(bool, hasOldFile);
        const QString folder = m_dir.filePath(QStringLiteral("app%1").arg(failure));
        const QString styleTxt = folder + QStringLiteral("/style.txt");
        const QByteArray oldBytes = "&width=7\r\n";
        std::unique_ptr<TestMount> mount;
        if (!prepare(Failure(failure), folder, styleTxt, oldBytes, mount))
            QSKIP("this machine does not let the test mount a small file system");

        StyleDocument doc;
        loadProfile(doc);
        doc.setAppDir(folder + QLatin1Char('/'));
        doc.setModified(false);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        try {
            doc.table().setValue(1, QStringLiteral("9"));
            QFAIL("the write did not fail");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot create file %1").arg(styleTxt));
        }
        // The edit stays and marks the document; the working copy keeps the last good write.
        QCOMPARE(doc.table().record(1).value(), QStringLiteral("9"));
        QVERIFY(doc.isModified());
        QCOMPARE(refresh.count(), 0);
        if (hasOldFile)
            QCOMPARE(readFile(styleTxt), oldBytes);
        QVERIFY(doc.isTableReady());
    }
};

QTEST_MAIN(tst_FailedWrites)
#include "tst_failedwrites.moc"

#include "app/DocumentCommands.h"
#include "app/RecentFileList.h"
#include "app/ValueHistory.h"
#include "base/EditorError.h"
#include "style/RecoveryRecord.h"
#include "style/StyleDocument.h"
#include "support/TestPrompts.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The document commands over a three-parameter profile in a temporary
// application folder; the prompts are answered by the test.
class tst_DocumentCommands : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        QTemporaryDir dir;
        StyleDocument doc;
        RecentFileList recent;
        ValueHistory history{&doc, nullptr};
        TestPrompts prompts;
        DocumentCommands commands{doc, recent, history, prompts};
        QSignalSpy titles{&commands, &DocumentCommands::updateTitleRequested};
        QSignalSpy movies{&commands, &DocumentCommands::movieRequested};
        QSignalSpy fronts{&commands, &DocumentCommands::bringToFrontRequested};
        QSignalSpy refreshes{&doc, &StyleDocument::refreshRequested};

        Fixture()
        {
            write(QStringLiteral("Style.xml"),
                  "<root>root<s>Chart<a default=\"1\">A</a><b default=\"2\">B</b>"
                  "<c default=\"3\">C</c></s></root>");
            write(QStringLiteral("style.txt"), "&a=10\r\n&b=20\r\n");
            write(QStringLiteral("blue.stl"), "&a=blue\r\n&c=sky\r\n");
            doc.setAppDir(dir.path() + QLatin1Char('/'));
            doc.loadProfile(path(QStringLiteral("Style.xml")));
            doc.loadStyleValues(doc.styleTxtPath());
            doc.setModified(false);
            refreshes.clear();
            // Records of edits go where the folder goes.
            RecoveryRecord::setFolder(path(QStringLiteral("recovery")));
        }

        QString path(const QString &name) const { return dir.filePath(name); }
        void write(const QString &name, const QByteArray &bytes) const
        {
            QFile file(path(name));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
        QByteArray read(const QString &name) const
        {
            QFile file(path(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        }
        QString values() const
        {
            QStringList out;
            for (int i = 0; i < doc.table().count(); ++i)
                out << doc.table().record(i).value();
            return out.join(QLatin1Char('|'));
        }
        // A user edit of parameter a.
        void edit(const QString &value) { doc.table().setValue(0, value); }
    };

    static QString message(const std::function<void()> &command)
    {
        try {
            command();
        } catch (const EditorError &e) {
            return e.message();
        }
        return QString();
    }

private slots:
    // Save keeps only the profile's parameters, one line each: before it
    // replaces a file it would change beyond the values, it asks, once.
    void saveAsksBeforeChangingMoreThanTheValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("asks");
        QTest::newRow("the editor's own layout") << QByteArray("&a=blue\r\n&c=sky\r\n") << false;
        QTest::newRow("comment and unknown key")
                << QByteArray("# mine\r\n&a=blue\r\n&zz=1\r\n") << true;
        QTest::newRow("repeated key") << QByteArray("&a=blue\r\n&A=red\r\n") << true;
        QTest::newRow("value longer than kept")
                << QByteArray("&a=blue\r\n&b=123456789012345678901\r\n") << true;
        QTest::newRow("a picture")
                << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20) << true;
    }
    void saveAsksBeforeChangingMoreThanTheValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, asks);
        Fixture f;
        f.write(QStringLiteral("blue.stl"), content);
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        f.prompts.asked.clear();
        f.edit(QStringLiteral("new"));

        f.prompts.choices = {1};
        f.commands.save();
        QCOMPARE(f.prompts.asked.size(), asks ? 1 : 0);
        if (asks) {
            QVERIFY(f.prompts.asked.first().contains(QStringLiteral("blue.stl")));
            QCOMPARE(f.read(QStringLiteral("blue.stl")), content);
            QVERIFY(f.doc.isModified());
            f.prompts.choices = {0};
            f.commands.save();
        }
        QVERIFY(f.read(QStringLiteral("blue.stl")).startsWith("&a=new\r\n"));
        QVERIFY(!f.doc.isModified());
        f.edit(QStringLiteral("newer"));
        f.commands.save();
        QCOMPARE(f.prompts.asked.size(), asks ? 2 : 0);
        QVERIFY(f.read(QStringLiteral("blue.stl")).startsWith("&a=newer\r\n"));
    }

    void openingAFileWithoutStyleLinesSaysSo_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("told");
        QTest::newRow("style file") << QByteArray("# mine\r\n&zz=1\r\n") << false;
        QTest::newRow("notes") << QByteArray("shopping\nmilk\n") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << true;
    }
    void openingAFileWithoutStyleLinesSaysSo()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, told);
        Fixture f;
        f.write(QStringLiteral("notes.txt"), content);
        f.commands.openStyleFile(f.path(QStringLiteral("notes.txt")));
        QCOMPARE(f.prompts.asked.size(), told ? 1 : 0);
        if (told)
            QVERIFY(f.prompts.asked.first().startsWith(
                    QStringLiteral("notes.txt holds no style lines")));
    }

    void newOnAnUnchangedDocumentDoesNotAsk()
    {
        Fixture f;
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        const QByteArray styleTxt = f.read(QStringLiteral("style.txt"));
        f.commands.newDocument();
        QVERIFY(f.prompts.asked.isEmpty());
        QCOMPARE(f.values(), QStringLiteral("||"));
        QVERIFY(f.doc.fileName().isEmpty());
        QVERIFY(!f.doc.isModified());
        QCOMPARE(f.movies.size(), 1);
        QCOMPARE(f.movies.first().first().toString(), f.path(QStringLiteral("empty.swf")));
        QCOMPARE(f.titles.size(), 2);
        QCOMPARE(f.read(QStringLiteral("style.txt")), styleTxt);
    }

    void promptBeforeNewOnAnUntitledChange_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveName");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("yes, saved")
                << int(DocumentPrompts::Yes) << QStringLiteral("saved.stl") << true << 1;
        QTest::newRow("yes, save dialog cancelled")
                << int(DocumentPrompts::Yes) << QString() << false << 1;
        QTest::newRow("no") << int(DocumentPrompts::No) << QString() << true << 0;
        QTest::newRow("cancel") << int(DocumentPrompts::Cancel) << QString() << false << 0;
    }
    void promptBeforeNewOnAnUntitledChange()
    {
        QFETCH(int, answer);
        QFETCH(QString, saveName);
        QFETCH(bool, cleared);
        QFETCH(int, saveDialogs);
        Fixture f;
        f.edit(QStringLiteral("11"));
        f.prompts.answer = DocumentPrompts::Answer(answer);
        f.prompts.saveName = saveName.isEmpty() ? QString() : f.path(saveName);
        f.commands.newDocument();
        QCOMPARE(f.prompts.asked,
                 QStringList{QStringLiteral("Do You wand save file \"Untitled\"")});
        QCOMPARE(f.prompts.saveDialogs, saveDialogs);
        QCOMPARE(f.values(), cleared ? QStringLiteral("||") : QStringLiteral("11|20|"));
        QCOMPARE(f.doc.isModified(), !cleared);
        if (!saveName.isEmpty())
            QCOMPARE(f.read(saveName), QByteArray("&a=11\r\n&b=20\r\n"));
    }

    void promptOnATitledChangeSavesWithoutDialog()
    {
        Fixture f;
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        f.edit(QStringLiteral("navy"));
        f.prompts.answer = DocumentPrompts::Yes;
        f.commands.newDocument();
        QCOMPARE(f.prompts.asked, QStringList{QStringLiteral("Do You wand save file \"%1\"")
                                                      .arg(f.path(QStringLiteral("blue.stl")))});
        QCOMPARE(f.prompts.saveDialogs, 0);
        QCOMPARE(f.read(QStringLiteral("blue.stl")), QByteArray("&a=navy\r\n&c=sky\r\n"));
        QCOMPARE(f.values(), QStringLiteral("||"));
    }

    void failedSaveInThePromptEndsTheCommand()
    {
        Fixture f;
        f.edit(QStringLiteral("11"));
        f.prompts.answer = DocumentPrompts::Yes;
        f.prompts.saveName = f.path(QStringLiteral("no/such/folder/x.stl"));
        QCOMPARE(message([&] { f.commands.newDocument(); }),
                 QStringLiteral("Cannot create file %1").arg(f.prompts.saveName));
        QCOMPARE(f.values(), QStringLiteral("11|20|"));
        QVERIFY(f.doc.isModified());
        QVERIFY(f.doc.fileName().isEmpty());

        bool canClose = true;
        QVERIFY(!message([&] { f.commands.queryClose(canClose); }).isEmpty());
        QVERIFY(!canClose);
    }

    void openTakesTheChosenFile()
    {
        Fixture f;
        f.prompts.openName = f.path(QStringLiteral("blue.stl"));
        f.commands.open();
        QVERIFY(f.prompts.asked.isEmpty());
        QCOMPARE(f.values(), QStringLiteral("blue||sky"));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QVERIFY(!f.doc.isModified());
        QCOMPARE(f.titles.size(), 1);
        QCOMPARE(f.read(QStringLiteral("style.txt")), QByteArray("&a=blue\r\n&c=sky\r\n"));
        QCOMPARE(f.refreshes.size(), 1);
        QCOMPARE(f.recent.items(), QStringList{f.path(QStringLiteral("blue.stl"))});
    }

    void openAsksFirstAndStopsOnCancel()
    {
        Fixture f;
        f.edit(QStringLiteral("11"));
        f.prompts.openName = f.path(QStringLiteral("blue.stl"));
        f.prompts.answer = DocumentPrompts::Cancel;
        f.commands.open();
        QCOMPARE(f.prompts.openDialogs, 0);
        QCOMPARE(f.values(), QStringLiteral("11|20|"));

        f.prompts.answer = DocumentPrompts::No;
        f.prompts.openName.clear(); // the dialog is cancelled
        f.commands.open();
        QCOMPARE(f.prompts.openDialogs, 1);
        QCOMPARE(f.values(), QStringLiteral("11|20|"));
        QVERIFY(f.doc.isModified());
    }

    void openingAFileThatCannotBeReadChangesNothing()
    {
        Fixture f;
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        f.edit(QStringLiteral("navy"));
        f.titles.clear();
        const QString missing = f.path(QStringLiteral("gone.stl"));
        QCOMPARE(message([&] { f.commands.openStyleFile(missing); }),
                 QStringLiteral("Cannot open file %1").arg(missing));
        QCOMPARE(f.values(), QStringLiteral("navy||sky"));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QVERIFY(f.doc.isModified());
        QCOMPARE(f.titles.size(), 0);
        QCOMPARE(f.recent.items(), QStringList{f.path(QStringLiteral("blue.stl"))});
    }

    void anyFileCanBeOpened()
    {
        Fixture f;
        f.write(QStringLiteral("notes.txt"), "just some text\r\nwithout values\r\n");
        f.commands.openStyleFile(f.path(QStringLiteral("notes.txt")));
        QCOMPARE(f.values(), QStringLiteral("||"));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("notes.txt")));
        QVERIFY(!f.doc.isModified());
    }

    void styleTxtThatCannotBeWrittenLeavesTheOpenedFileModified()
    {
        Fixture f;
        QFile::remove(f.doc.styleTxtPath());
        QVERIFY(QDir().mkpath(f.doc.styleTxtPath())); // a folder where style.txt should be
        QCOMPARE(message([&] { f.commands.openStyleFile(f.path(QStringLiteral("blue.stl"))); }),
                 QStringLiteral("Cannot create file %1").arg(f.doc.styleTxtPath()));
        QCOMPARE(f.values(), QStringLiteral("blue||sky"));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.titles.size(), 1);
        QVERIFY(f.doc.isModified());
        QVERIFY(f.recent.items().isEmpty());
    }

    void saveWritesTheTitledFile()
    {
        Fixture f;
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        f.edit(QStringLiteral("navy"));
        f.refreshes.clear();
        f.commands.save();
        QCOMPARE(f.read(QStringLiteral("blue.stl")), QByteArray("&a=navy\r\n&c=sky\r\n"));
        QVERIFY(!f.doc.isModified());
        QCOMPARE(f.refreshes.size(), 1);
        QCOMPARE(f.prompts.saveDialogs, 0);
    }

    void saveOfAnUntitledDocumentRunsSaveAs()
    {
        Fixture f;
        f.edit(QStringLiteral("11"));
        f.commands.save(); // dialog cancelled
        QCOMPARE(f.prompts.saveDialogs, 1);
        QVERIFY(f.doc.isModified());
        QVERIFY(f.doc.fileName().isEmpty());

        f.prompts.saveName = f.path(QStringLiteral("new.stl"));
        f.commands.save();
        QCOMPARE(f.read(QStringLiteral("new.stl")), QByteArray("&a=11\r\n&b=20\r\n"));
        QCOMPARE(f.doc.fileName(), f.prompts.saveName);
        QVERIFY(!f.doc.isModified());
        QCOMPARE(f.titles.size(), 1);
        QVERIFY(f.recent.items().isEmpty());
    }

    void saveThatFailsKeepsTheDocumentModified()
    {
        Fixture f;
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        f.edit(QStringLiteral("navy"));
        QFile::remove(f.path(QStringLiteral("blue.stl")));
        QVERIFY(QDir().mkpath(f.path(QStringLiteral("blue.stl"))));
        f.refreshes.clear();
        f.prompts.choices = {0}; // write it anew
        QCOMPARE(message([&] { f.commands.save(); }),
                 QStringLiteral("Cannot create file %1").arg(f.path(QStringLiteral("blue.stl"))));
        QCOMPARE(f.prompts.asked.size(), 1);
        QVERIFY(f.doc.isModified());
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.refreshes.size(), 0);
    }

    void closeQuery_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveName");
        QTest::addColumn<bool>("canClose");
        QTest::addColumn<int>("asked");
        QTest::newRow("unchanged")
                << false << int(DocumentPrompts::Cancel) << QString() << true << 0;
        QTest::newRow("yes, saved")
                << true << int(DocumentPrompts::Yes) << QStringLiteral("x.stl") << true << 1;
        QTest::newRow("yes, cancelled")
                << true << int(DocumentPrompts::Yes) << QString() << false << 1;
        QTest::newRow("no") << true << int(DocumentPrompts::No) << QString() << true << 1;
        QTest::newRow("cancel") << true << int(DocumentPrompts::Cancel) << QString() << false << 1;
    }
    void closeQuery()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveName);
        QFETCH(bool, canClose);
        QFETCH(int, asked);
        Fixture f;
        if (modified)
            f.edit(QStringLiteral("11"));
        f.prompts.answer = DocumentPrompts::Answer(answer);
        f.prompts.saveName = saveName.isEmpty() ? QString() : f.path(saveName);
        bool allowed = true;
        f.commands.queryClose(allowed);
        QCOMPARE(allowed, canClose);
        QCOMPARE(f.prompts.asked.size(), asked);
    }

    void dropOpensTheFirstFileAndComesToTheFront()
    {
        Fixture f;
        f.write(QStringLiteral("red.stl"), "&b=red\r\n");
        f.commands.openDroppedFiles({f.path(QStringLiteral("blue.stl")),
                                     f.path(QStringLiteral("red.stl")),
                                     f.path(QStringLiteral("style.txt"))});
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.recent.items(), QStringList{f.path(QStringLiteral("blue.stl"))});
        QCOMPARE(f.fronts.size(), 1);

        f.commands.openDroppedFiles({});
        QCOMPARE(f.fronts.size(), 2);
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
    }

    void dropOnUnsavedChangesAsksFirst()
    {
        Fixture f;
        f.edit(QStringLiteral("11"));
        f.prompts.answer = DocumentPrompts::Cancel;
        f.commands.openDroppedFiles({f.path(QStringLiteral("blue.stl"))});
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.values(), QStringLiteral("11|20|"));
        QCOMPARE(f.fronts.size(), 1);

        f.prompts.answer = DocumentPrompts::No;
        f.commands.openDroppedFiles({f.path(QStringLiteral("blue.stl"))});
        QCOMPARE(f.values(), QStringLiteral("blue||sky"));
    }

    void droppedFileThatCannotBeReadStillComesToTheFront()
    {
        Fixture f;
        QVERIFY(!message([&] {
                     f.commands.openDroppedFiles({f.path(QStringLiteral("gone.stl"))});
                 }).isEmpty());
        QCOMPARE(f.fronts.size(), 1);
    }

    void recentFileChoice()
    {
        Fixture f;
        connect(&f.recent, &RecentFileList::clicked, &f.commands, &DocumentCommands::openRecentFile);
        f.write(QStringLiteral("red.stl"), "&b=red\r\n");
        f.write(QStringLiteral("green.stl"), "&c=green\r\n");
        for (const char *name : {"green.stl", "red.stl", "blue.stl"})
            f.commands.openStyleFile(f.path(QLatin1String(name)));

        f.edit(QStringLiteral("11"));
        f.prompts.answer = DocumentPrompts::Cancel;
        f.recent.click(2); // green, third from the top
        QCOMPARE(f.recent.items().first(), f.path(QStringLiteral("green.stl")));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.values(), QStringLiteral("11||sky"));

        f.prompts.answer = DocumentPrompts::No;
        f.recent.click(1); // blue
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.values(), QStringLiteral("blue||sky"));
        QCOMPARE(f.recent.items(), (QStringList{f.path(QStringLiteral("blue.stl")),
                                                f.path(QStringLiteral("green.stl")),
                                                f.path(QStringLiteral("red.stl"))}));
    }

    void recentFileThatIsGoneStaysOnTop()
    {
        Fixture f;
        connect(&f.recent, &RecentFileList::clicked, &f.commands, &DocumentCommands::openRecentFile);
        f.write(QStringLiteral("red.stl"), "&b=red\r\n");
        f.commands.openStyleFile(f.path(QStringLiteral("red.stl")));
        f.commands.openStyleFile(f.path(QStringLiteral("blue.stl")));
        QFile::remove(f.path(QStringLiteral("red.stl")));
        QCOMPARE(message([&] { f.recent.click(1); }),
                 QStringLiteral("Cannot open file %1").arg(f.path(QStringLiteral("red.stl"))));
        QCOMPARE(f.recent.items().first(), f.path(QStringLiteral("red.stl")));
        QCOMPARE(f.doc.fileName(), f.path(QStringLiteral("blue.stl")));
        QCOMPARE(f.values(), QStringLiteral("blue||sky"));
    }
};

QTEST_MAIN(tst_DocumentCommands)
#include "tst_documentcommands.moc"

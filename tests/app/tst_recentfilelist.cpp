#include "app/RecentFileList.h"
#include "base/EditorError.h"
#include "settings/SettingsBackingStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Section = QStringLiteral("Melbrin\\TrevixStyleEditor\\ReopenList");
const QString Key = QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/ReopenList/");
} // namespace

class tst_RecentFileList : public QObject
{
    Q_OBJECT

private:
    static void fill(RecentFileList &list, const QStringList &newestFirst)
    {
        for (auto it = newestFirst.crbegin(); it != newestFirst.crend(); ++it)
            list.addFile(*it);
    }

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        m_path = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction())
                                + QStringLiteral(".conf"));
        SettingsBackingStore::setUserFilePath(m_path);
    }
    void cleanupTestCase() { SettingsBackingStore::setUserFilePath(QString()); }

    void addFile_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("changes");
        const QStringList five = {QStringLiteral("/s/e.stl"), QStringLiteral("/s/d.stl"),
                                  QStringLiteral("/s/c.stl"), QStringLiteral("/s/b.stl"),
                                  QStringLiteral("/s/a.stl")};
        QTest::newRow("into an empty list") << QStringList() << QStringLiteral("/s/a.stl")
                                            << QStringList{QStringLiteral("/s/a.stl")} << 1;
        QTest::newRow("sixth distinct file drops the oldest")
                << five << QStringLiteral("/s/f.stl")
                << QStringList{QStringLiteral("/s/f.stl"), QStringLiteral("/s/e.stl"),
                               QStringLiteral("/s/d.stl"), QStringLiteral("/s/c.stl"),
                               QStringLiteral("/s/b.stl")}
                << 2;
        QTest::newRow("third entry moves to the top")
                << five << QStringLiteral("/s/c.stl")
                << QStringList{QStringLiteral("/s/c.stl"), QStringLiteral("/s/e.stl"),
                               QStringLiteral("/s/d.stl"), QStringLiteral("/s/b.stl"),
                               QStringLiteral("/s/a.stl")}
                << 2;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QTest::newRow("other letter case keeps one entry with the new name")
                << QStringList{QStringLiteral("c:\\a\\y.stl"), QStringLiteral("c:\\a\\x.stl")}
                << QStringLiteral("C:\\A\\X.STL")
                << QStringList{QStringLiteral("C:\\A\\X.STL"), QStringLiteral("c:\\a\\y.stl")} << 2;
#else
        QTest::newRow("other letter case is another file")
                << QStringList{QStringLiteral("/s/case.stl")} << QStringLiteral("/s/CASE.stl")
                << QStringList{QStringLiteral("/s/CASE.stl"), QStringLiteral("/s/case.stl")} << 1;
#endif
        QTest::newRow("top entry again")
                << QStringList{QStringLiteral("/s/a.stl")} << QStringLiteral("/s/a.stl")
                << QStringList{QStringLiteral("/s/a.stl")} << 1;
        QTest::newRow("relative name stays relative")
                << QStringList() << QStringLiteral("styles/blue.stl")
                << QStringList{QStringLiteral("styles/blue.stl")} << 1;
    }
    void addFile()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(QStringList, after);
        QFETCH(int, changes);
        RecentFileList list;
        fill(list, before);
        QCOMPARE(list.items(), before);
        QSignalSpy changed(&list, &RecentFileList::changed);
        list.addFile(added);
        QCOMPARE(list.items(), after);
        QCOMPARE(changed.size(), changes);
    }

    void duplicateEntriesFromTheStoreOnlyTheUpperMoves()
    {
        QSettings raw(m_path, QSettings::IniFormat);
        raw.setValue(Key + QStringLiteral("MRU1"), QStringLiteral("/s/a.stl"));
        raw.setValue(Key + QStringLiteral("MRU2"), QStringLiteral("/s/x.stl"));
        raw.setValue(Key + QStringLiteral("MRU3"), QStringLiteral("/s/x.stl"));
        raw.sync();
        RecentFileList list;
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        list.loadFromStore(store, Section);
        list.addFile(QStringLiteral("/s/x.stl"));
        QCOMPARE(list.items(), (QStringList{QStringLiteral("/s/x.stl"), QStringLiteral("/s/a.stl"),
                                            QStringLiteral("/s/x.stl")}));
    }

    void captions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name"); // of the entry at position
        QTest::addColumn<QString>("caption");
        QTest::newRow("first") << 0 << "/s/0.stl"
                               << "&1 /s/0.stl";
        QTest::newRow("ninth") << 8 << "/s/8.stl"
                               << "&9 /s/8.stl";
        QTest::newRow("tenth") << 9 << "/s/9.stl"
                               << "&A /s/9.stl";
        QTest::newRow("35th") << 34 << "/s/34.stl"
                              << "&Z /s/34.stl";
        QTest::newRow("36th") << 35 << "/s/35.stl"
                              << "/s/35.stl";
        QTest::newRow("ampersand") << 0 << "/s/R&D.stl"
                                   << "&1 /s/R&&D.stl";
        QTest::newRow("ampersand without accelerator") << 35 << "/s/R&D.stl"
                                                       << "/s/R&&D.stl";
        QTest::newRow("byte that is not UTF-8")
                << 1 << QStringLiteral("/s/Gr") + QChar(0xDCFC) + QStringLiteral("n.stl")
                << QStringLiteral("&2 /s/Gr\uFFFDn.stl");
    }
    void captions()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        RecentFileList list;
        list.setMaxItems(40);
        for (int i = 39; i >= 0; --i)
            list.addFile(i == position ? name : QStringLiteral("/s/%1.stl").arg(i));
        QCOMPARE(list.caption(position), caption);
    }

    void clickMovesToTheTopThenRaisesOnClick()
    {
        RecentFileList list;
        fill(list,
             {QStringLiteral("/s/a.stl"), QStringLiteral("/s/b.stl"), QStringLiteral("/s/c.stl")});
        QStringList itemsWhenClicked;
        connect(&list, &RecentFileList::clicked, this, [&](const QString &fileName) {
            itemsWhenClicked = list.items();
            QCOMPARE(fileName, QStringLiteral("/s/c.stl"));
        });
        list.click(2);
        QCOMPARE(itemsWhenClicked,
                 (QStringList{QStringLiteral("/s/c.stl"), QStringLiteral("/s/a.stl"),
                              QStringLiteral("/s/b.stl")}));

        QSignalSpy clicked(&list, &RecentFileList::clicked);
        list.click(3);
        list.click(-1);
        QCOMPARE(clicked.size(), 0);
    }

    void storeRoundTripCompactsTheValues()
    {
        {
            QSettings raw(m_path, QSettings::IniFormat);
            raw.setValue(Key + QStringLiteral("MRU1"), QStringLiteral("/s/a.stl"));
            raw.setValue(Key + QStringLiteral("MRU3"), QStringLiteral("/s/c.stl"));
            raw.setValue(Key + QStringLiteral("MRU4"), QString());
            raw.setValue(Key + QStringLiteral("MRU6"), QStringLiteral("/s/never.stl"));
        }
        RecentFileList list;
        list.addFile(QStringLiteral("/s/old.stl"));
        {
            SettingsBackingStore store(QStringLiteral("SOFTWARE"));
            list.loadFromStore(store, Section);
        }
        QCOMPARE(list.items(),
                 (QStringList{QStringLiteral("/s/a.stl"), QStringLiteral("/s/c.stl")}));
        {
            SettingsBackingStore store(QStringLiteral("SOFTWARE"), SettingsBackingStore::ReadWrite);
            list.saveToStore(store, Section);
            store.close();
        }
        QSettings raw(m_path, QSettings::IniFormat);
        raw.beginGroup(Key);
        QCOMPARE(raw.childKeys(), (QStringList{QStringLiteral("MRU1"), QStringLiteral("MRU2"),
                                               QStringLiteral("MRU6")}));
        QCOMPARE(raw.value(QStringLiteral("MRU2")).toString(), QStringLiteral("/s/c.stl"));
    }

    void emptyStoreRaisesNoChange()
    {
        RecentFileList list;
        QSignalSpy changed(&list, &RecentFileList::changed);
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        list.loadFromStore(store, Section);
        QVERIFY(list.items().isEmpty());
        QCOMPARE(changed.size(), 0);
    }

    void nonTextValueKeepsWhatWasLoaded()
    {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\ReopenList\\MRU1=/s/a.stl\n"
                   "Melbrin\\TrevixStyleEditor\\ReopenList\\MRU2=@ByteArray(x)\n"
                   "Melbrin\\TrevixStyleEditor\\ReopenList\\MRU3=/s/c.stl\n");
        file.close();
        RecentFileList list;
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        QVERIFY_THROWS_EXCEPTION(EditorError, list.loadFromStore(store, Section));
        QCOMPARE(list.items(), QStringList{QStringLiteral("/s/a.stl")});
    }
};

QTEST_GUILESS_MAIN(tst_RecentFileList)
#include "tst_recentfilelist.moc"

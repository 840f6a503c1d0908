#include "base/EditorError.h"
#include "settings/SettingsBackingStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Section = QStringLiteral("Melbrin\\TrevixStyleEditor");
const QString Software = QStringLiteral("SOFTWARE");
} // namespace

class tst_SettingsBackingStore : public QObject
{
    Q_OBJECT

private:
    QString writeRawFile(const QByteArray &content)
    {
        QFile file(m_path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return m_path;
    }

    QTemporaryDir m_dir;
    QString m_base; // a fresh folder for each test
    QString m_path;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_base = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-') +
                                QString::fromLatin1(QTest::currentDataTag()));
        m_path = m_base + QStringLiteral("/Melbrin/TrevixStyleEditor.conf");
        SettingsBackingStore::setUserFilePath(m_path);
    }
    void cleanupTestCase() { SettingsBackingStore::setUserFilePath(QString()); }

    void defaultFileFollowsXdgConfigHome()
    {
        SettingsBackingStore::setUserFilePath(QString());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
        QCOMPARE(SettingsBackingStore::userFilePath(), m_dir.path() + QStringLiteral("/Melbrin/TrevixStyleEditor.conf"));
        SettingsBackingStore::setUserFilePath(m_path);
    }

    void textRoundTripsThroughTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("trevix.swf");
        QTest::newRow("empty") << QString();
        QTest::newRow("commas") << QStringLiteral("10,20,710,420");
        QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
        QTest::newRow("blanks and quotes") << QStringLiteral("  \"a\" = b; c  ");
        QTest::newRow("path") << QStringLiteral("C:\\Styles\\Blue.stl");
        QTest::newRow("non-ascii") << QStringLiteral("Gr\u00fcn \u20ac");
    }
    void textRoundTripsThroughTheFile()
    {
        QFETCH(QString, text);
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            store.writeText(Section, QStringLiteral("Value"), text);
            store.close();
        }
        SettingsBackingStore store(Software);
        QCOMPARE(store.readText(Section, QStringLiteral("Value"), QStringLiteral("default")), text);
    }

    void sectionsAreKeyPathsBelowTheOpenedKey()
    {
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            store.writeText(Section + QStringLiteral("\\ReopenList"), QStringLiteral("MRU1"), QStringLiteral("/a.stl"));
        }
        QSettings raw(m_path, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/ReopenList/MRU1")).toString(),
                 QStringLiteral("/a.stl"));
    }

    void missingSectionOrValueGivesTheDefault()
    {
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            store.writeText(Section, QStringLiteral("Empty"), QString());
        }
        SettingsBackingStore store(Software);
        QCOMPARE(store.readText(QStringLiteral("Melbrin\\Nowhere"), QStringLiteral("Empty"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(store.readText(Section, QStringLiteral("Missing"), QStringLiteral("d")), QStringLiteral("d"));
        QCOMPARE(store.readText(Section, QStringLiteral("Empty"), QStringLiteral("d")), QString());
    }

    void valueThatIsNotTextFailsTheRead_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("list") << QByteArray("Value=a, b");
        QTest::newRow("typed variant") << QByteArray("Value=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)");
        QTest::newRow("byte array") << QByteArray("Value=@ByteArray(abc)");
        QTest::newRow("point") << QByteArray("Value=@Point(1 2)");
    }
    void valueThatIsNotTextFailsTheRead()
    {
        QFETCH(QByteArray, line);
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        writeRawFile("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\" + line + "\n");
        SettingsBackingStore store(Software);
        try {
            store.readText(Section, QStringLiteral("Value"), QString());
            QFAIL("no error");
        } catch (const EditorError &e) {
            QCOMPARE(e.message(), QStringLiteral("Invalid data type for 'Value'"));
        }
    }

    void readInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QStringLiteral("96") << 96;
        QTest::newRow("negative") << QStringLiteral("-1") << -1;
        QTest::newRow("not a number") << QStringLiteral("ninety") << 7;
        QTest::newRow("hex") << QStringLiteral("0x10") << 7;
        QTest::newRow("empty") << QString() << 7;
    }
    void readInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
        store.writeText(Section, QStringLiteral("N"), text);
        QCOMPARE(store.readInteger(Section, QStringLiteral("N"), 7), expected);
        QCOMPARE(store.readInteger(Section, QStringLiteral("Missing"), 7), 7);
    }

    void removeValue()
    {
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            store.writeText(Section, QStringLiteral("A"), QStringLiteral("1"));
            store.writeText(Section, QStringLiteral("B"), QStringLiteral("2"));
        }
        {
            SettingsBackingStore readOnly(Software);
            readOnly.removeValue(Section, QStringLiteral("A"));
        }
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            QCOMPARE(store.readText(Section, QStringLiteral("A"), QString()), QStringLiteral("1"));
            store.removeValue(Section, QStringLiteral("A"));
            store.removeValue(Section, QStringLiteral("Missing"));
            store.removeValue(QStringLiteral("Melbrin\\Nowhere"), QStringLiteral("A"));
        }
        SettingsBackingStore store(Software);
        QCOMPARE(store.readText(Section, QStringLiteral("A"), QStringLiteral("gone")), QStringLiteral("gone"));
        QCOMPARE(store.readText(Section, QStringLiteral("B"), QString()), QStringLiteral("2"));
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("blocker");   // a path made into something that stops the write
        QTest::addColumn<bool>("blockerIsFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder cannot be made") << QStringLiteral("Melbrin") << true
                                               << QStringLiteral("Failed to create key Melbrin\\TrevixStyleEditor");
        QTest::newRow("file cannot be written") << QStringLiteral("Melbrin/TrevixStyleEditor.conf") << false
                                                << QStringLiteral("Failed to set data for 'Flags'");
    }
    void writeFailures()
    {
        QFETCH(QString, blocker);
        QFETCH(bool, blockerIsFile);
        QFETCH(QString, message);
        const QString path = m_base + QLatin1Char('/') + blocker;
        if (blockerIsFile) {
            QVERIFY(QDir().mkpath(m_base));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(path));
        }
        SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
        try {
            store.writeText(Section, QStringLiteral("Flags"), QStringLiteral("0"));
            QFAIL("no error");
        } catch (const EditorError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void readOnlyHandleRefusesWrites()
    {
        SettingsBackingStore store(Software);
        QVERIFY_THROWS_EXCEPTION(EditorError, store.writeText(Section, QStringLiteral("X"), QStringLiteral("1")));
        QVERIFY(!QFile::exists(m_path));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsBackingStore)
#include "tst_settingsbackingstore.moc"

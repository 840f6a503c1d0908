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
        m_base = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-')
                                + QString::fromLatin1(QTest::currentDataTag()));
        m_path = m_base + QStringLiteral("/Melbrin/TrevixStyleEditor.conf");
        SettingsBackingStore::setUserFilePath(m_path);
    }
    void cleanupTestCase() { SettingsBackingStore::setUserFilePath(QString()); }

    void defaultFileFollowsXdgConfigHome()
    {
        SettingsBackingStore::setUserFilePath(QString());
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
        QCOMPARE(SettingsBackingStore::userFilePath(),
                 m_dir.path() + QStringLiteral("/Melbrin/TrevixStyleEditor.conf"));
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
            store.writeText(Section + QStringLiteral("\\ReopenList"), QStringLiteral("MRU1"),
                            QStringLiteral("/a.stl"));
        }
        QSettings raw(m_path, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/ReopenList/MRU1"))
                         .toString(),
                 QStringLiteral("/a.stl"));
    }

    void missingSectionOrValueGivesTheDefault()
    {
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            store.writeText(Section, QStringLiteral("Empty"), QString());
        }
        SettingsBackingStore store(Software);
        QCOMPARE(store.readText(QStringLiteral("Melbrin\\Nowhere"), QStringLiteral("Empty"),
                                QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(store.readText(Section, QStringLiteral("Missing"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(store.readText(Section, QStringLiteral("Empty"), QStringLiteral("d")), QString());
    }

    void valueThatIsNotTextFailsTheRead_data()
    {
        QTest::addColumn<QByteArray>("line");
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

    // Values as a user or a script writes them are read as text.
    void handEditedValuesReadAsText_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("unquoted comma")
                << QByteArray("Value=/home/ann/a,b.stl") << QStringLiteral("/home/ann/a,b.stl");
        QTest::newRow("unquoted comma and blanks") << QByteArray("Value= /home/ann/a , b.stl ")
                                                   << QStringLiteral("/home/ann/a , b.stl");
        QTest::newRow("unquoted semicolon")
                << QByteArray("Value=/home/ann/a;b.stl") << QStringLiteral("/home/ann/a;b.stl");
        QTest::newRow("byte FC") << QByteArray("Value=Gr\xFCn")
                                 << QStringLiteral("Gr") + QChar(0xDCFC) + QStringLiteral("n");
        QTest::newRow("longer than a path")
                << "Value=" + QByteArray(4097, 'x') << QStringLiteral("default");
        QTest::newRow("as long as a path")
                << "Value=" + QByteArray(4096, 'x') << QString(4096, u'x');
    }
    void handEditedValuesReadAsText()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        QVERIFY(QDir().mkpath(QFileInfo(m_path).path()));
        writeRawFile("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\" + line + '\n');
        SettingsBackingStore store(Software);
        QCOMPARE(store.readText(Section, QStringLiteral("Value"), QStringLiteral("default")), text);
    }

    // A file edited by hand keeps every line the program does not change:
    // comments, spelling, line ends, bytes that are not UTF-8, values it
    // cannot read; only the value written (or removed) changes.
    void handEditedFileKeepsItsLines_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QString>("name"); // written in Section
        QTest::addColumn<QString>("text"); // null: removed
        QTest::addColumn<QByteArray>("expected");
        const QByteArray head = "[SOFTWARE]\n";
        const QByteArray key = "Melbrin\\TrevixStyleEditor\\";
        const QByteArray a = key + "A=1\n";
        QTest::newRow("comment lines") << head + "; kept for Ann\n" + a + ";last\n"
                                       << QStringLiteral("A") << QStringLiteral("2")
                                       << head + "; kept for Ann\n" + key + "A=2\n;last\n";
        QTest::newRow("a byte that is not UTF-8 in another value")
                << head + key + "T=Gr\xFCn\n" + a << QStringLiteral("A") << QStringLiteral("2")
                << head + key + "T=Gr\xFCn\n" + key + "A=2\n";
        QTest::newRow("a byte that is not UTF-8 written")
                << head + a << QStringLiteral("A")
                << QStringLiteral("Gr") + QChar(0xDCFC) + QStringLiteral("n")
                << head + key + "A=Gr\xFCn\n";
        QTest::newRow("unquoted comma, same text written")
                << head + key + "A=/home/ann/a, b.stl\n"
                << QStringLiteral("A") << QStringLiteral("/home/ann/a, b.stl")
                << head + key + "A=/home/ann/a, b.stl\n";
        QTest::newRow("spelling, line ends and byte order mark")
                << "\xEF\xBB\xBF[SOFTWARE]\r\n  " + key + "B = \"x\"\r\n" + key + "A=1\r\n"
                << QStringLiteral("A") << QStringLiteral("2")
                << "\xEF\xBB\xBF[SOFTWARE]\r\n  " + key + "B = \"x\"\r\n" + key + "A=2\r\n";
        QTest::newRow("new value in a file of CRLF lines")
                << head.chopped(1) + "\r\n" + key + "B=1\r\n"
                << QStringLiteral("N") << QStringLiteral("n")
                << head.chopped(1) + "\r\n" + key + "B=1\r\n" + key + "N=n\r\n";
        QTest::newRow("other sections and junk")
                << "junk\n[Other]\nX=@Rect(1 2 3 4)\n\n" + head + a + "[Third]\nY=1"
                << QStringLiteral("A") << QStringLiteral("2")
                << "junk\n[Other]\nX=@Rect(1 2 3 4)\n\n" + head + key + "A=2\n[Third]\nY=1";
        QTest::newRow("repeated key: the one read is written")
                << head + key + "A=0\n" + a << QStringLiteral("A") << QStringLiteral("2")
                << head + key + "A=0\n" + key + "A=2\n";
        QTest::newRow("new value below the last of its section")
                << head + a + "; after\n\n[Third]\nY=1\n"
                << QStringLiteral("N") << QStringLiteral("n")
                << head + a + key + "N=n\n; after\n\n[Third]\nY=1\n";
        QTest::newRow("new value after a last line without its end")
                << head + a.chopped(1) << QStringLiteral("N") << QStringLiteral("n")
                << head + a + key + "N=n\n";
        QTest::newRow("new value in a new section")
                << QByteArray("; only a comment") << QStringLiteral("N") << QStringLiteral("n")
                << "; only a comment\n\n" + head + key + "N=n\n";
        QTest::newRow("removed value")
                << head + "; note\n" + a + key + "B=2\n"
                << QStringLiteral("A") << QString() << head + "; note\n" + key + "B=2\n";
        const QByteArray tooLong = key + "L=" + QByteArray(5000, 'x') + '\n';
        QTest::newRow("value too long to read, another written")
                << head + tooLong + a << QStringLiteral("A") << QStringLiteral("2")
                << head + tooLong + key + "A=2\n";
        QTest::newRow("value too long to read, removed")
                << head + tooLong << QStringLiteral("L") << QString() << head + tooLong;
        QTest::newRow("value too long to read, written anew")
                << head + tooLong << QStringLiteral("L") << QStringLiteral("/s/a.stl")
                << head + key + "L=/s/a.stl\n";
    }
    void handEditedFileKeepsItsLines()
    {
        QFETCH(QByteArray, original);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QVERIFY(QDir().mkpath(QFileInfo(m_path).path()));
        writeRawFile(original);
        {
            SettingsBackingStore store(Software, SettingsBackingStore::ReadWrite);
            if (text.isNull())
                store.removeValue(Section, name);
            else
                store.writeText(Section, name, text);
            store.close();
        }
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
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
        QCOMPARE(store.readText(Section, QStringLiteral("A"), QStringLiteral("gone")),
                 QStringLiteral("gone"));
        QCOMPARE(store.readText(Section, QStringLiteral("B"), QString()), QStringLiteral("2"));
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("blocker"); // a path made into something that stops the write
        QTest::addColumn<bool>("blockerIsFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder cannot be made")
                << QStringLiteral("Melbrin") << true
                << QStringLiteral("Failed to create key Melbrin\\TrevixStyleEditor");
        QTest::newRow("file cannot be written")
                << QStringLiteral("Melbrin/TrevixStyleEditor.conf") << false
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
        QVERIFY_THROWS_EXCEPTION(EditorError, store.writeText(Section, QStringLiteral("X"),
                                                              QStringLiteral("1")));
        QVERIFY(!QFile::exists(m_path));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsBackingStore)
#include "tst_settingsbackingstore.moc"

#include "base/LocalFile.h"
#include "base/SystemText.h"
#include "support/RawFiles.h"

#include <QTest>

#include <sys/stat.h>

// Files named by text that may keep bytes that are not UTF-8: the system
// sees the very bytes, for names with and without such bytes alike.
class tst_LocalFile : public QObject
{
    Q_OBJECT

    RawFiles::Folder m_dir;

    QByteArray rawPath(const QByteArray &name) const { return m_dir.path(name); }
    QString name(const QByteArray &bytes) const { return SystemText::decode(rawPath(bytes)); }

private slots:
    void names_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ASCII") << QByteArray("plain.stl") << false;
        QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9.stl") << false;
        QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9.stl") << true;
        QTest::newRow("bytes of no text") << QByteArray("\xFF\xFE\x80.stl") << true;
    }

    void readsAndWritesTheFileOfTheBytes_data() { names_data(); }
    void readsAndWritesTheFileOfTheBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, kept);
        const QString fileName = name(bytes);
        QCOMPARE(LocalFile::holdsKeptBytes(fileName), kept);
        QCOMPARE(LocalFile::encodedName(fileName), rawPath(bytes));
        QVERIFY(!LocalFile::exists(fileName));
        QVERIFY(RawFiles::write(rawPath(bytes), "&a=1\r\n"));
        QVERIFY(LocalFile::exists(fileName));
        QVERIFY(LocalFile::isFile(fileName));

        QFile reader;
        QVERIFY(LocalFile::open(reader, fileName, QIODevice::ReadOnly));
        QCOMPARE(reader.readAll(), QByteArray("&a=1\r\n"));
        reader.close();

        // Writing alone starts the file anew; reading and writing keeps it.
        QFile writer;
        QVERIFY(LocalFile::open(writer, fileName, QIODevice::WriteOnly));
        QCOMPARE(writer.write("&b=2\r\n"), 6);
        writer.close();
        QCOMPARE(RawFiles::read(rawPath(bytes)), QByteArray("&b=2\r\n"));
        QFile both;
        QVERIFY(LocalFile::open(both, fileName, QIODevice::ReadWrite | QIODevice::ExistingOnly));
        QCOMPARE(both.readAll(), QByteArray("&b=2\r\n"));
        QVERIFY(both.resize(0));
        both.close();
        QCOMPARE(RawFiles::read(rawPath(bytes)), QByteArray());
        // No other file came of it (one named with U+FFFD or '?', say).
        QCOMPARE(RawFiles::list(m_dir.path()), QList<QByteArray>{bytes});
        QVERIFY(::unlink(rawPath(bytes).constData()) == 0);
    }

    void missingFilesAndFolders_data() { names_data(); }
    void missingFilesAndFolders()
    {
        QFETCH(QByteArray, bytes);
        const QString fileName = name(bytes);
        QFile file;
        QVERIFY(!LocalFile::open(file, fileName, QIODevice::ReadOnly));
        QVERIFY(!LocalFile::open(file, fileName, QIODevice::ReadWrite | QIODevice::ExistingOnly));
        QVERIFY(!LocalFile::exists(fileName));
        QVERIFY(LocalFile::changeMark(fileName).isEmpty());
        QVERIFY(RawFiles::list(m_dir.path()).isEmpty());

        // A folder exists but is no file, and opens as none.
        QVERIFY(::mkdir(rawPath(bytes).constData(), 0755) == 0);
        QVERIFY(LocalFile::exists(fileName));
        QVERIFY(!LocalFile::isFile(fileName));
        QVERIFY(!LocalFile::open(file, fileName, QIODevice::ReadOnly));
        QVERIFY(!file.isOpen());
        QVERIFY(::rmdir(rawPath(bytes).constData()) == 0);
    }

    void changeMarkFollowsWritesAndReplacements_data() { names_data(); }
    void changeMarkFollowsWritesAndReplacements()
    {
        QFETCH(QByteArray, bytes);
        const QString fileName = name(bytes);
        QVERIFY(RawFiles::write(rawPath(bytes), "&a=1\r\n"));
        const QByteArray first = LocalFile::changeMark(fileName);
        QVERIFY(!first.isEmpty());
        QCOMPARE(LocalFile::changeMark(fileName), first);
        QVERIFY(RawFiles::write(rawPath(bytes), "&a=12\r\n"));
        const QByteArray written = LocalFile::changeMark(fileName);
        QVERIFY(written != first);
        // Replaced by a rename with the same bytes: another file.
        QVERIFY(RawFiles::write(rawPath("other"), "&a=12\r\n"));
        QVERIFY(::rename(rawPath("other").constData(), rawPath(bytes).constData()) == 0);
        QVERIFY(LocalFile::changeMark(fileName) != written);
        QVERIFY(::unlink(rawPath(bytes).constData()) == 0);
        QVERIFY(LocalFile::changeMark(fileName).isEmpty());
    }

    void namesOfFileUrls_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("ASCII") << QUrl(QStringLiteral("file:///tmp/blue.stl"))
                               << QStringLiteral("/tmp/blue.stl");
        QTest::newRow("blank") << QUrl(QStringLiteral("file:///tmp/a%20b.stl"))
                               << QStringLiteral("/tmp/a b.stl");
        QTest::newRow("UTF-8") << QUrl::fromLocalFile(QStringLiteral("/tmp/caf\u00E9.stl"))
                               << QStringLiteral("/tmp/caf\u00E9.stl");
        QTest::newRow("a byte that is not UTF-8") << QUrl::fromEncoded("file:///tmp/caf%E9.stl")
                                                  << SystemText::decode("/tmp/caf\xE9.stl");
    }
    void namesOfFileUrls()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, fileName);
        QCOMPARE(LocalFile::nameOf(url), fileName);
    }
};

QTEST_GUILESS_MAIN(tst_LocalFile)
#include "tst_localfile.moc"

#include "base/SystemText.h"
#include "style/WholeFileWriter.h"
#include "support/RawFiles.h"
#include "support/TestMount.h"

#include <QTest>

#include <sys/stat.h>

// Whole-file writes under names with and without bytes that are not UTF-8:
// the file of the very bytes gets the content, its permissions stay, and no
// other file is left in the folder.
class tst_WholeFileWriter : public QObject
{
    Q_OBJECT

    static mode_t modeOf(const QByteArray &path)
    {
        struct stat status;
        return ::lstat(path.constData(), &status) == 0 ? status.st_mode : 0;
    }

private slots:
    void names_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QByteArray("plain.stl");
        QTest::newRow("a byte that is not UTF-8") << QByteArray("caf\xE9.stl");
    }

    void replacesTheFile_data() { names_data(); }
    void replacesTheFile()
    {
        QFETCH(QByteArray, bytes);
        const RawFiles::Folder dir;
        const QByteArray &folder = dir.path();
        const QByteArray path = folder + '/' + bytes;
        const QString fileName = SystemText::decode(path);

        // A new file gets the permissions of any new file.
        const mode_t mask = ::umask(022);
        QVERIFY(WholeFileWriter::write(fileName, "&a=1\r\n"));
        ::umask(mask);
        QCOMPARE(RawFiles::read(path), QByteArray("&a=1\r\n"));
        QCOMPARE(modeOf(path) & 0777, mode_t(0644));

        // An existing one keeps its own.
        QVERIFY(::chmod(path.constData(), 0640) == 0);
        QVERIFY(WholeFileWriter::write(fileName, "&a=22\r\n"));
        QCOMPARE(RawFiles::read(path), QByteArray("&a=22\r\n"));
        QCOMPARE(modeOf(path) & 0777, mode_t(0640));
        QCOMPARE(RawFiles::list(folder), QList<QByteArray>{bytes});
    }

    // A link stays a link: the file it leads to gets the content.
    void writesThroughALink_data() { names_data(); }
    void writesThroughALink()
    {
        QFETCH(QByteArray, bytes);
        const RawFiles::Folder dir;
        const QByteArray &folder = dir.path();
        const QByteArray target = folder + "/target-" + bytes;
        const QByteArray link = folder + '/' + bytes;
        QVERIFY(RawFiles::write(target, "old"));
        QVERIFY(::symlink(target.constData(), link.constData()) == 0);
        QVERIFY(WholeFileWriter::write(SystemText::decode(link), "&a=1\r\n"));
        QVERIFY(S_ISLNK(modeOf(link)));
        QCOMPARE(RawFiles::read(target), QByteArray("&a=1\r\n"));
        QCOMPARE(RawFiles::list(folder), (QList<QByteArray>{bytes, "target-" + bytes}));
    }

    // A folder that takes no new file around a file that may be written:
    // the file is written in place. Neither writable: the old content stays.
    void folderThatTakesNoNewFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("fileWritable");
        QTest::newRow("ASCII, file writable") << QByteArray("plain.stl") << true;
        QTest::newRow("not UTF-8, file writable") << QByteArray("caf\xE9.stl") << true;
        QTest::newRow("ASCII, read-only") << QByteArray("plain.stl") << false;
        QTest::newRow("not UTF-8, read-only") << QByteArray("caf\xE9.stl") << false;
    }
    void folderThatTakesNoNewFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, fileWritable);
        const RawFiles::Folder dir;
        const QString folderName = QFile::decodeName(dir.path("mount"));
        TestMount mount(folderName, 64 * 1024);
        if (!mount.mounted())
            QSKIP("this machine does not let the test mount a small file system");
        const QByteArray folder = QFile::encodeName(folderName);
        const QByteArray path = folder + '/' + bytes;
        const QString fileName = SystemText::decode(path);
        QVERIFY(RawFiles::write(path, "&a=1\r\n"));
        QVERIFY(fileWritable ? mount.makeReadOnlyExcept(fileName) : mount.makeReadOnly());
        QVERIFY(!RawFiles::write(folder + "/new", "x")); // the folder refuses

        QCOMPARE(WholeFileWriter::write(fileName, "&a=22\r\n"), fileWritable);
        QCOMPARE(RawFiles::read(path), fileWritable ? QByteArray("&a=22\r\n") : "&a=1\r\n");
        QCOMPARE(RawFiles::list(folder), QList<QByteArray>{bytes});
    }
};

QTEST_GUILESS_MAIN(tst_WholeFileWriter)
#include "tst_wholefilewriter.moc"

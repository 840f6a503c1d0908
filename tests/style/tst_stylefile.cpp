#include "base/EditorError.h"
#include "style/StyleFile.h"
#include "support/TestMount.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_StyleFile : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // a null string: no line matches

        QTest::newRow("CR LF lines") << "&a=1\r\n&width=5\r\n"
                                     << "width"
                                     << "5";
        QTest::newRow("LF lines") << "&a=1\n&width=5\n"
                                  << "width"
                                  << "5";
        QTest::newRow("CR lines") << "&a=1\r&width=5\r"
                                  << "width"
                                  << "5";
        QTest::newRow("last line without end") << "&a=1\r\n&width=5"
                                               << "width"
                                               << "5";
        QTest::newRow("key ignores letter case") << "&BGCOLOR=0x000000\r\n"
                                                 << "bgColor"
                                                 << "0x000000";
        QTest::newRow("first line wins") << "&width=5\r\n&width=7\r\n"
                                         << "width"
                                         << "5";
        QTest::newRow("value keeps further =") << "&note=a=b\r\n"
                                               << "note"
                                               << "a=b";
        QTest::newRow("value keeps its blanks") << "&t= x \r\n"
                                                << "t"
                                                << " x ";
        QTest::newRow("empty value") << "&t=\r\n"
                                     << "t"
                                     << "";
        QTest::newRow("blank after the key does not match") << "&width =5\r\n"
                                                            << "width" << QString();
        QTest::newRow("blank before the key does not match") << " &width=5\r\n"
                                                             << "width" << QString();
        QTest::newRow("no ampersand") << "width=5\r\n"
                                      << "width" << QString();
        QTest::newRow("no equals sign") << "&width\r\n"
                                        << "width" << QString();
        QTest::newRow("byte order mark spoils the first line")
                << QStringLiteral("\uFEFF&width=5\r\n") << "width" << QString();
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const std::optional<QString> value = StyleFile::fromText(text).value(name);
        QCOMPARE(value.has_value(), !expected.isNull());
        if (value)
            QCOMPARE(*value, expected);
    }

    void lines_data()
    {
        // Each line as "number:key" or "number:key=value".
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("mixed line ends") << "&a=1\r\n&b=2\r&c=3\n&d=4"
                                         << QStringList{"1:&a=1", "2:&b=2", "3:&c=3", "4:&d=4"};
        QTest::newRow("empty lines count") << "\r\n\n&a=1\r\n" << QStringList{"1:", "2:", "3:&a=1"};
        QTest::newRow("no equals sign") << "&width 5\r\n" << QStringList{"1:&width 5"};
        QTest::newRow("empty value") << "&a=\r\n=5" << QStringList{"1:&a=", "2:=5"};
        QTest::newRow("nothing") << "" << QStringList{};
        QTest::newRow("NUL ends the text")
                << QStringLiteral("&a=1\r\n&b") + QChar(0) + "=2" << QStringList{"1:&a=1", "2:&b"};
    }

    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QStringList seen;
        StyleFile::readTextLines(text, [&seen](const StyleFile::Line &line) {
            QString shown = QString::number(line.number) + ':' + line.key;
            if (line.value)
                shown += '=' + *line.value;
            seen << shown;
        });
        QCOMPARE(seen, lines);
    }

    void fileReadStopsAtNul()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.stl"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xEF\xBB\xBF&x=1\r\n&a=1\r\n\0&b=2\r\n", 23));
        file.close();
        const StyleFile style = StyleFile::load(path);
        QCOMPARE(style.value(QStringLiteral("a")), std::optional<QString>(QStringLiteral("1")));
        QVERIFY(!style.value(QStringLiteral("b")));
        QVERIFY(!style.value(QStringLiteral("x"))); // the byte order mark is part of the first key
    }

    void hugeLinesKeepMemorySmall()
    {
        // A value far longer than any the table keeps, and a key too long to name a parameter.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.stl"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("&big=");
        const QByteArray block(1 << 20, 'v');
        for (int i = 0; i < 64; ++i)
            file.write(block);
        file.write("\r\n&" + QByteArray(1 << 20, 'k') + "=1\r\n&after=2");
        file.close();
        const StyleFile style = StyleFile::load(path);
        QCOMPARE(style.value(QStringLiteral("big"))->size(), qsizetype(StyleFile::ValueLimit));
        QCOMPARE(style.value(QStringLiteral("after")), std::optional<QString>(QStringLiteral("2")));
    }

    void hasValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("three blanks") << "   " << false;
        QTest::newRow("tab and control") << "\t\x01" << false;
        QTest::newRow("digit with blanks") << " 5 " << true;
    }

    void hasValue()
    {
        QFETCH(QString, value);
        QFETCH(bool, expected);
        QCOMPARE(StyleFile::hasValue(value), expected);
    }

    void writingEndsEveryLineWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.stl"));
        StyleFile::save(path,
                        {StyleFile::line(QStringLiteral("bgColor"), QStringLiteral("0xFFFFFF")),
                         StyleFile::line(QStringLiteral("t"), QStringLiteral(" 5 "))});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("&bgColor=0xFFFFFF\r\n&t= 5 \r\n"));
    }

    void failedWriteKeepsTheOldFile()
    {
        // Neither the folder nor the file takes a write.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.stl"));
        StyleFile::save(path, {QStringLiteral("&a=1")});
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        // Privileges that ignore permissions (root) meet a read-only file system instead.
        std::unique_ptr<TestMount> mount;
        if (QFile(path).open(QIODevice::ReadWrite)) {
            mount = std::make_unique<TestMount>(dir.path(), 1024 * 1024);
            if (!mount->mounted())
                QSKIP("running with privileges that ignore permissions, and no mount permitted");
            StyleFile::save(path, {QStringLiteral("&a=1")});
            QVERIFY(mount->makeReadOnly());
            QVERIFY(!QFile(path).open(QIODevice::ReadWrite));
        }
        try {
            StyleFile::save(path, {QStringLiteral("&a=2")});
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot create file %1").arg(path));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("&a=1\r\n"));
    }

    void targetThatIsAFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("style.stl")));
        const QString path = dir.filePath(QStringLiteral("style.stl"));
        QVERIFY_THROWS_EXCEPTION(EditorError, StyleFile::save(path, {QStringLiteral("&a=1")}));
        QVERIFY(QFileInfo(path).isDir());
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("none.stl"));
        try {
            StyleFile::load(path);
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot open file %1").arg(path));
        }
    }
};

QTEST_GUILESS_MAIN(tst_StyleFile)
#include "tst_stylefile.moc"

#include "style/SaveReview.h"
#include "style/StyleDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// What Save would change in a file beyond the edited values, as the Save
// prompt words it, over a three-parameter profile.
class tst_SaveReview : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

private slots:
    void changes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("edit"); // a new value of "a", or none
        // Parts of the message in order; none: Save asks nothing.
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("the editor's own file")
                << QByteArray("&a=1\r\n&b=xyz\r\n") << QString() << QStringList{};
        QTest::newRow("an edited value")
                << QByteArray("&a=1\r\n&b=xyz\r\n") << QStringLiteral("9") << QStringList{};
        QTest::newRow("keys in other letter case")
                << QByteArray("&A=1\r\n") << QString()
                << QStringList{"rewrite blue.stl in the editor's own layout"};
        QTest::newRow("LF line ends") << QByteArray("&a=1\n&b=2\n") << QStringLiteral("5")
                                      << QStringList{"rewrite blue.stl in the editor's own layout"};
        QTest::newRow("another order")
                << QByteArray("&b=2\r\n&a=1\r\n") << QString() << QStringList{"rewrite blue.stl"};
        QTest::newRow("unknown key, comment, repeat, no =")
                << QByteArray("# mine\r\n&a=1\r\n&zz=3\r\n&a=2\r\n&b\r\n\r\nplain\r\n")
                << QStringLiteral("7")
                << QStringList{"Save will drop 5 lines of blue.stl that the profile does not know: "
                               "1: # mine; 3: &zz=3; "
                               "4: &a=2; 5: &b; 7: plain"};
        QTest::newRow("more than five dropped")
                << QByteArray("x1\nx2\nx3\nx4\nx5\nx6\n&a=1\n") << QString()
                << QStringList{"Save will drop 6 lines of blue.stl that the profile does not know: "
                               "1: x1; 2: x2; 3: x3; "
                               "4: x4; 5: x5; ..."};
        QTest::newRow("a value cut") << QByteArray("&c=123456789012345678901\r\n") << QString()
                                     << QStringList{"Save will cut 1 value of blue.stl to 20 "
                                                    "characters: 1: &c=123456789012345678901"};
        QTest::newRow("one line dropped")
                << QByteArray("&a=1\r\n&a\x1b[2K=2\r\n") << QString()
                << QStringList{"Save will drop 1 line of blue.stl that the profile does not know: "
                               "2: &a\\x1b[2K=2"};
        QTest::newRow("a picture")
                << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << QString()
                << QStringList{"blue.stl holds no style lines (\"&name=value\"): Save will "
                               "replace all of its content"};
    }

    void changes()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, edit);
        QFETCH(QStringList, expected);
        write(QStringLiteral("Style.xml"), "<root>root<s>S<a>A</a><b>B</b><c>C</c></s></root>");
        const QString file = write(QStringLiteral("blue.stl"), content);
        StyleDocument document;
        document.setAppDir(m_dir.path() + QLatin1Char('/'));
        document.loadProfile(m_dir.filePath(QStringLiteral("Style.xml")));
        document.loadStyleValues(file);
        if (!edit.isEmpty())
            document.table().setValue(0, edit);

        const QString changes = SaveReview::changes(document, file);
        if (expected.isEmpty())
            QCOMPARE(changes, QString());
        qsizetype from = 0;
        for (const QString &part : expected) {
            from = changes.indexOf(part, from);
            QVERIFY2(from >= 0, qPrintable(changes));
        }
    }

    void missingFileNeedsNoQuestion()
    {
        StyleDocument document;
        write(QStringLiteral("Style.xml"), "<root>root<s>S<a>A</a></s></root>");
        document.loadProfile(m_dir.filePath(QStringLiteral("Style.xml")));
        QCOMPARE(SaveReview::changes(document, m_dir.filePath(QStringLiteral("gone.stl"))),
                 QString());
    }
};

QTEST_GUILESS_MAIN(tst_SaveReview)
#include "tst_savereview.moc"

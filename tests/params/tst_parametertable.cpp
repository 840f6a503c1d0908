#include "params/ParameterTable.h"

#include <QSignalSpy>
#include <QTest>

class tst_ParameterTable : public QObject
{
    Q_OBJECT

private:
    static void fill(ParameterTable &table, int rows)
    {
        for (int i = 0; i < rows; ++i) {
            ParameterRecord record;
            record.setId(i + 1);
            record.setName(QStringLiteral("p%1").arg(i));
            table.append(record);
        }
    }

private slots:
    void fieldCuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");

        QTest::newRow("caption of 120")
                << QString(120, u'c') << int(ParameterRecord::TextWidth) << QString(100, u'c');
        QTest::newRow("domain of 1500")
                << QString(1500, u'v') << int(ParameterRecord::ValuesWidth) << QString(1200, u'v');
        QTest::newRow("value of 25")
                << QString(25, u'x') << int(ParameterRecord::DefaultWidth) << QString(20, u'x');
        QTest::newRow("value of 20 kept")
                << QString(20, u'x') << int(ParameterRecord::DefaultWidth) << QString(20, u'x');
        QTest::newRow("accented letters count as one")
                << QString(25, QChar(0xE9)) << int(ParameterRecord::DefaultWidth)
                << QString(20, QChar(0xE9));
        const QString clef = QString::fromUtf8(
                "\xF0\x9D\x84\x9E"); // outside the BMP: two UTF-16 units
        QTest::newRow("surrogate pairs never split")
                << clef.repeated(25) << int(ParameterRecord::DefaultWidth) << clef.repeated(20);
        QTest::newRow("pair at the cut")
                << QString(19, u'a') + clef + QStringLiteral("b")
                << int(ParameterRecord::DefaultWidth) << QString(19, u'a') + clef;
    }

    void fieldCuts()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(ParameterRecord::cut(text, width), expected);
    }

    void setterCutsToTheFieldWidth()
    {
        ParameterRecord record;
        record.setName(QString(25, u'k'));
        record.setGroup(QString(60, u'g'));
        record.setType(QStringLiteral("fontstyle_x"));
        QCOMPARE(record.name().size(), 20);
        QCOMPARE(record.group().size(), 50);
        QCOMPARE(record.type(), QStringLiteral("fontstyle_"));
    }

    void appendPostsAndTheFirstRecordIsCurrent()
    {
        ParameterTable table;
        QSignalSpy posts(&table, &ParameterTable::afterPost);
        fill(table, 3);
        QCOMPARE(posts.count(), 3);
        QCOMPARE(table.currentIndex(), 0);
    }

    void onlyTheViewMovesTheCurrentRow()
    {
        ParameterTable table;
        fill(table, 3);
        QSignalSpy moves(&table, &ParameterTable::currentChanged);
        table.setCurrentIndex(1);
        table.setCurrentIndex(-1);
        table.setCurrentIndex(3);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(table.currentIndex(), 1);
        table.setValue(2, QStringLiteral("v"));
        QCOMPARE(table.record(2).value(), QStringLiteral("v"));
        QCOMPARE(table.currentIndex(), 1);
        QCOMPARE(moves.count(), 1);
    }

    void indexOfKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("known") << QStringLiteral("p2") << 2;
        QTest::newRow("letter case matters") << QStringLiteral("P2") << -1;
        QTest::newRow("unknown") << QStringLiteral("p9") << -1;
        QTest::newRow("empty") << QString() << -1;
    }

    void indexOfKey()
    {
        QFETCH(QString, key);
        QFETCH(int, index);
        ParameterTable table;
        fill(table, 3);
        QCOMPARE(table.indexOfKey(key), index);
    }

    void recordsOfKeys_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("in the keys' order") << QStringList{"p2", "p0"} << QList<int>{2, 0};
        QTest::newRow("any letter case") << QStringList{"P1"} << QList<int>{1};
        QTest::newRow("unknown left out") << QStringList{"nothing", "p1", "p9"} << QList<int>{1};
        QTest::newRow("each once") << QStringList{"p1", "P1", "p1"} << QList<int>{1};
        QTest::newRow("none known") << QStringList{"nothing"} << QList<int>();
        QTest::newRow("no keys") << QStringList() << QList<int>();
    }

    void recordsOfKeys()
    {
        QFETCH(QStringList, keys);
        QFETCH(QList<int>, records);
        ParameterTable table;
        fill(table, 3);
        QCOMPARE(table.recordsOfKeys(keys), records);
    }

    void emptyTable()
    {
        ParameterTable table;
        QCOMPARE(table.currentIndex(), -1);
        QCOMPARE(table.indexOfKey(QStringLiteral("p0")), -1);
        table.setCurrentIndex(0);
        QCOMPARE(table.currentIndex(), -1);
    }

    void valueChangesAreQuietWhileControlsAreDisabled()
    {
        ParameterTable table;
        fill(table, 2);
        QSignalSpy changed(&table, &ParameterTable::valueChanged);
        QSignalSpy posts(&table, &ParameterTable::afterPost);
        table.setValue(0, QStringLiteral("a"));
        QCOMPARE(changed.count(), 1);
        table.setValue(0, QStringLiteral("a")); // unchanged value: still a post
        QCOMPARE(changed.count(), 1);
        QCOMPARE(posts.count(), 2);
        table.disableControls();
        table.setValue(0, QStringLiteral("b"));
        QCOMPARE(changed.count(), 1);
        table.enableControls();
        QCOMPARE(table.record(0).value(), QStringLiteral("b"));
    }
};

QTEST_GUILESS_MAIN(tst_ParameterTable)
#include "tst_parametertable.moc"

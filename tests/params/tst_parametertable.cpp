#include "base/EditorError.h"
#include "params/TableWalk.h"

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
            record.id = i + 1;
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

        QTest::newRow("caption of 120") << QString(120, u'c') << int(ParameterRecord::TextWidth) << QString(100, u'c');
        QTest::newRow("domain of 1500") << QString(1500, u'v') << int(ParameterRecord::ValuesWidth) << QString(1200, u'v');
        QTest::newRow("value of 25") << QString(25, u'x') << int(ParameterRecord::DefaultWidth) << QString(20, u'x');
        QTest::newRow("value of 20 kept") << QString(20, u'x') << int(ParameterRecord::DefaultWidth) << QString(20, u'x');
        QTest::newRow("accented letters count as one")
            << QString(25, QChar(0xE9)) << int(ParameterRecord::DefaultWidth) << QString(20, QChar(0xE9));
        const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // outside the BMP: two UTF-16 units
        QTest::newRow("surrogate pairs never split") << clef.repeated(25) << int(ParameterRecord::DefaultWidth)
                                                     << clef.repeated(20);
        QTest::newRow("pair at the cut") << QString(19, u'a') + clef + QStringLiteral("b")
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

    void appendPostsAndMovesToTheRecord()
    {
        ParameterTable table;
        QSignalSpy posts(&table, &ParameterTable::afterPost);
        fill(table, 3);
        QCOMPARE(posts.count(), 3);
        QCOMPARE(table.recNo(), 3);
    }

    void movesRaiseAfterScroll()
    {
        ParameterTable table;
        fill(table, 2);
        QSignalSpy scrolls(&table, &ParameterTable::afterScroll);
        table.first();
        table.next();
        QCOMPARE(scrolls.count(), 2);
        QVERIFY(!table.eof());
        table.next(); // past the last row: end of table, the row stays
        QVERIFY(table.eof());
        QCOMPARE(table.recNo(), 2);
        QCOMPARE(scrolls.count(), 2);
    }

    void setRecNoIgnoresPositionsOutside()
    {
        ParameterTable table;
        fill(table, 3);
        table.setRecNo(2);
        table.setRecNo(0);
        table.setRecNo(4);
        QCOMPARE(table.recNo(), 2);
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
        table.first();
        QVERIFY(table.eof());
        QCOMPARE(table.recNo(), 0);
        int visited = 0;
        for (TableWalk walk(table); !table.eof(); table.next())
            ++visited;
        QCOMPARE(visited, 0);
    }

    void walkVisitsAllAndReturns()
    {
        ParameterTable table;
        fill(table, 4);
        table.setRecNo(3);
        QStringList visited;
        for (TableWalk walk(table); !table.eof(); table.next()) {
            QVERIFY(table.controlsDisabled());
            visited << table.current().name();
        }
        QCOMPARE(visited, QStringList({"p0", "p1", "p2", "p3"}));
        QCOMPARE(table.recNo(), 3);
        QVERIFY(!table.controlsDisabled());
    }

    void walkReturnsAlsoWhenItFails()
    {
        ParameterTable table;
        fill(table, 4);
        table.setRecNo(2);
        QSignalSpy resumed(&table, &ParameterTable::controlsEnabled);
        try {
            for (TableWalk walk(table); !table.eof(); table.next()) {
                if (table.recNo() == 4)
                    throw EditorError(QStringLiteral("boom"));
            }
            QFAIL("no error");
        } catch (const EditorError &) {
        }
        QCOMPARE(table.recNo(), 2);
        QVERIFY(!table.controlsDisabled());
        QCOMPARE(resumed.count(), 1);
    }

    void valueChangesAreQuietWhileControlsAreDisabled()
    {
        ParameterTable table;
        fill(table, 2);
        QSignalSpy changed(&table, &ParameterTable::valueChanged);
        QSignalSpy posts(&table, &ParameterTable::afterPost);
        table.setRecNo(1);
        table.postValue(QStringLiteral("a"));
        QCOMPARE(changed.count(), 1);
        table.postValue(QStringLiteral("a")); // unchanged value: still a post
        QCOMPARE(changed.count(), 1);
        QCOMPARE(posts.count(), 2);
        table.disableControls();
        table.postValue(QStringLiteral("b"));
        QCOMPARE(changed.count(), 1);
        table.enableControls();
        QCOMPARE(table.current().value(), QStringLiteral("b"));
    }
};

QTEST_GUILESS_MAIN(tst_ParameterTable)
#include "tst_parametertable.moc"

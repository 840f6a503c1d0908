#include "preview/PickReport.h"

#include <QTest>

// The editor's own check of what the preview page reports as picked: the
// page checks the same shape, and anything else is no report.
class tst_PickReport : public QObject
{
    Q_OBJECT

private slots:
    void keysOfAReport_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("keys");
        const QString prefix = QLatin1String(PickReport::Prefix);
        QTest::newRow("one key") << prefix + "titleText" << QStringList{"titleText"};
        QTest::newRow("several keys") << prefix + "titleFont,titleColor,title_2.x-y"
                                      << QStringList{"titleFont", "titleColor", "title_2.x-y"};
        QTest::newRow("20 characters")
                << prefix + QString(20, 'k') << QStringList{QString(20, 'k')};
        QStringList sixteen;
        for (int i = 0; i < 16; ++i)
            sixteen << QStringLiteral("k%1").arg(i);
        QTest::newRow("16 keys") << prefix + sixteen.join(',') << sixteen;

        QTest::newRow("no prefix") << QStringLiteral("titleText") << QStringList();
        QTest::newRow("prefix in other case")
                << QStringLiteral("TREVIX-PICK:titleText") << QStringList();
        QTest::newRow("prefix later")
                << QStringLiteral("Loading trevix-pick:titleText") << QStringList();
        QTest::newRow("nothing after the prefix") << prefix << QStringList();
        QTest::newRow("21 characters") << prefix + QString(21, 'k') << QStringList();
        QTest::newRow("17 keys") << prefix + sixteen.join(',') + ",k16" << QStringList();
        QTest::newRow("empty key") << prefix + "a,,b" << QStringList();
        QTest::newRow("leading comma") << prefix + ",titleText" << QStringList();
        QTest::newRow("trailing comma") << prefix + "titleText," << QStringList();
        QTest::newRow("blank") << prefix + "titleText " << QStringList();
        QTest::newRow("line break at the end") << prefix + "titleText\n" << QStringList();
        QTest::newRow("script") << prefix + "titleText;alert(1)" << QStringList();
        QTest::newRow("markup") << prefix + "<b>titleText</b>" << QStringList();
        QTest::newRow("letter beyond ASCII") << prefix + QStringLiteral("títle") << QStringList();
        QTest::newRow("digit beyond ASCII") << prefix + QStringLiteral("title٣") << QStringList();
    }

    void keysOfAReport()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, keys);
        QCOMPARE(PickReport::keys(message), keys);
    }
};

QTEST_APPLESS_MAIN(tst_PickReport)
#include "tst_pickreport.moc"

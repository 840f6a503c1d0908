#include "settings/ScreenFit.h"

#include <QTest>

// A window put back from the settings lies wholly on one screen.
class tst_ScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void reachable_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QList<QRect>>("areas");
        QTest::addColumn<QRect>("expected");
        const QList<QRect> one{QRect(0, 0, 1280, 770)};
        // Side by side, the right one smaller and lower.
        const QList<QRect> two{QRect(0, 0, 1280, 770), QRect(1280, 200, 1024, 738)};
        QTest::newRow("on the screen") << QRect(40, 30, 900, 500) << one << QRect(40, 30, 900, 500);
        QTest::newRow("filling the screen")
                << QRect(0, 0, 1280, 770) << one << QRect(0, 0, 1280, 770);
        QTest::newRow("far right and below")
                << QRect(5000, 5000, 900, 550) << one << QRect(380, 220, 900, 550);
        QTest::newRow("far left and above")
                << QRect(-5000, -5000, 900, 550) << one << QRect(0, 0, 900, 550);
        QTest::newRow("past the right edge")
                << QRect(1000, 100, 900, 500) << one << QRect(380, 100, 900, 500);
        QTest::newRow("larger than the screen")
                << QRect(0, 0, 100000, 100000) << one << QRect(0, 0, 1280, 770);
        QTest::newRow("larger and off the screen")
                << QRect(-300, 500, 2000, 900) << one << QRect(0, 0, 1280, 770);
        QTest::newRow("on a screen that shrank")
                << QRect(200, 100, 1080, 700) << QList<QRect>{QRect(0, 0, 1024, 738)}
                << QRect(0, 38, 1024, 700);
        QTest::newRow("mostly on the second screen")
                << QRect(1200, 300, 800, 400) << two << QRect(1280, 300, 800, 400);
        QTest::newRow("above the second screen")
                << QRect(1500, 0, 800, 400) << two << QRect(1500, 200, 800, 400);
        QTest::newRow("nearest the second screen")
                << QRect(3000, 900, 400, 300) << two << QRect(1904, 638, 400, 300);
        QTest::newRow("on the gap below the second screen's top")
                << QRect(1300, 0, 300, 150) << two << QRect(1300, 200, 300, 150);
        QTest::newRow("no screens")
                << QRect(5000, 5000, 900, 550) << QList<QRect>() << QRect(5000, 5000, 900, 550);
    }
    void reachable()
    {
        QFETCH(QRect, frame);
        QFETCH(QList<QRect>, areas);
        QFETCH(QRect, expected);
        QCOMPARE(ScreenFit::reachable(frame, areas), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ScreenFit)
#include "tst_screenfit.moc"

#include "base/ErrorReport.h"

#include <QTest>

class tst_ErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void period_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Cannot open file a.stl"
                                << "Cannot open file a.stl.";
        QTest::newRow("closing quote") << "'x' is not a valid integer value"
                                       << "'x' is not a valid integer value.";
        QTest::newRow("digit") << "Line too long on line 1"
                               << "Line too long on line 1.";
        QTest::newRow("period kept") << "Done."
                                     << "Done.";
        QTest::newRow("exclamation kept") << "Stop!"
                                          << "Stop!";
        QTest::newRow("hyphen kept") << "a -"
                                     << "a -";
        QTest::newRow("empty") << ""
                               << "";
    }

    void period()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorReport::withPeriod(message), shown);
    }

    void guardReportsAndGoesOn()
    {
        QStringList reported;
        const auto previous = ErrorReport::setHandler([&](const QString &m) { reported << m; });
        const bool ok = ErrorReport::guard(
                [] { throw EditorError(QStringLiteral("Cannot create file b")); });
        const bool fine = ErrorReport::guard([] {});
        ErrorReport::setHandler(previous);
        QVERIFY(!ok);
        QVERIFY(fine);
        QCOMPARE(reported, QStringList{QStringLiteral("Cannot create file b.")});
    }
};

QTEST_GUILESS_MAIN(tst_ErrorReport)
#include "tst_errorreport.moc"

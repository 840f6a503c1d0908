#include "app/StartupPreparation.h"

#include <QTest>

// What the start-up sets for the window system before it starts.
class tst_StartupPreparation : public QObject
{
    Q_OBJECT

private slots:
    void openGlIntegration_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: not set
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("unset: none") << QByteArray() << QByteArray("none");
        QTest::newRow("the user's choice stands") << QByteArray("glx") << QByteArray("glx");
        QTest::newRow("set but empty stands") << QByteArray("\0", 0) << QByteArray();
    }

    void openGlIntegration()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const char *name = "QT_XCB_GL_INTEGRATION";
        if (before.isNull())
            qunsetenv(name);
        else
            qputenv(name, before);
        {
            StartupPreparation preparation;
        }
        QVERIFY(qEnvironmentVariableIsSet(name));
        QCOMPARE(qgetenv(name), after);
    }
};

QTEST_APPLESS_MAIN(tst_StartupPreparation)
#include "tst_startuppreparation.moc"

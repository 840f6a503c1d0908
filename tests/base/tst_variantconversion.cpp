#include "base/EditorError.h"
#include "base/VariantConversion.h"

#include <QTest>

// Stored values to numbers: numbers as they are, texts read as decimals,
// anything else refused with the conversion error.
class tst_VariantConversion : public QObject
{
    Q_OBJECT

private slots:
    void converts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("whole");
        QTest::newRow("integer") << QVariant(400) << 400.0 << 400;
        QTest::newRow("double") << QVariant(2.5) << 2.5 << 3;
        QTest::newRow("text") << QVariant("300") << 300.0 << 300;
        QTest::newRow("text with blanks") << QVariant(" 12 ") << 12.0 << 12;
        QTest::newRow("negative fraction") << QVariant("-7.5") << -7.5 << -8;
        QTest::newRow("plus sign") << QVariant("+10") << 10.0 << 10;
    }

    void converts()
    {
        QFETCH(QVariant, value);
        QFETCH(double, number);
        QFETCH(int, whole);
        QCOMPARE(VariantConversion::toDouble(value), number);
        QCOMPARE(VariantConversion::toInt(value), whole);
    }

    void refuses_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("letters") << QVariant("abc");
        QTest::newRow("empty text") << QVariant("");
        QTest::newRow("null") << QVariant();
        QTest::newRow("number then letters") << QVariant("400px");
        QTest::newRow("localized comma") << QVariant("1,5");
        QTest::newRow("not finite") << QVariant("inf");
        QTest::newRow("too big for a whole number") << QVariant("1e12");
    }

    void refuses()
    {
        QFETCH(QVariant, value);
        try {
            VariantConversion::toInt(value);
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Invalid variant type conversion"));
        }
    }
};

QTEST_APPLESS_MAIN(tst_VariantConversion)
#include "tst_variantconversion.moc"

#include "preview/PreviewSettings.h"

#include <QTest>

// The preview settings as the settings store holds them: text after a
// restore, numbers after Options, and whatever a hand-edited file holds.
class tst_PreviewSettings : public QObject
{
    Q_OBJECT

private:
    using Item = PreviewSettings::Item;

private slots:
    void sizesAreBoundedWhenRead_data()
    {
        QTest::addColumn<QVariant>("stored"); // as both width and height
        QTest::addColumn<QSize>("size");
        QTest::newRow("text") << QVariant("640") << QSize(640, 640);
        QTest::newRow("number from Options") << QVariant(640) << QSize(640, 640);
        QTest::newRow("blanks around the text") << QVariant(" 250 ") << QSize(250, 250);
        QTest::newRow("plus sign") << QVariant("+250") << QSize(250, 250);
        QTest::newRow("fraction rounded") << QVariant("250.6") << QSize(251, 251);
        QTest::newRow("fraction rounded down") << QVariant(99.4) << QSize(99, 99);
        QTest::newRow("smallest") << QVariant("10") << QSize(10, 10);
        QTest::newRow("largest") << QVariant("3000") << QSize(3000, 3000);
        QTest::newRow("too large") << QVariant("5000") << QSize(3000, 3000);
        QTest::newRow("too small") << QVariant("4") << QSize(10, 10);
        QTest::newRow("zero") << QVariant("0") << QSize(10, 10);
        QTest::newRow("negative") << QVariant("-7.5") << QSize(10, 10);
        QTest::newRow("a screen of pixels") << QVariant("16777215") << QSize(3000, 3000);
        QTest::newRow("largest int") << QVariant("2147483647") << QSize(3000, 3000);
        QTest::newRow("past the largest int") << QVariant("2147483648") << QSize(3000, 3000);
        QTest::newRow("exponent") << QVariant("1e10") << QSize(3000, 3000);
        QTest::newRow("far below zero") << QVariant("-1e10") << QSize(10, 10);
        QTest::newRow("large number") << QVariant(1e10) << QSize(3000, 3000);
        QTest::newRow("twenty digits") << QVariant("99999999999999999999") << QSize(3000, 3000);
        // No number at all: the defaults, so the preview and Options still work.
        QTest::newRow("letters") << QVariant("abc") << QSize(400, 300);
        QTest::newRow("number then letters") << QVariant("400px") << QSize(400, 300);
        QTest::newRow("localized comma") << QVariant("1,5") << QSize(400, 300);
        QTest::newRow("empty") << QVariant("") << QSize(400, 300);
        QTest::newRow("missing") << QVariant() << QSize(400, 300);
        QTest::newRow("not finite") << QVariant("inf") << QSize(400, 300);
        QTest::newRow("not a number") << QVariant("nan") << QSize(400, 300);
        QTest::newRow("beyond a double") << QVariant("1e400") << QSize(400, 300);
    }
    void sizesAreBoundedWhenRead()
    {
        QFETCH(QVariant, stored);
        QFETCH(QSize, size);
        const PreviewSettings settings = PreviewSettings::read([&](const QString &name) {
            return name.startsWith(QLatin1String("SWFWidth"))
                                   || name.startsWith(QLatin1String("SWFHeight"))
                           ? stored
                           : QVariant();
        });
        QCOMPARE(settings.size(), size);
    }

    // Names are taken as stored, neither trimmed nor checked; the preview meets them.
    void namesAreReadAsStored()
    {
        const QVariantMap stored{{QStringLiteral("SWFFile"), QStringLiteral(" other.swf")},
                                 {QStringLiteral("SWFDataFile"), QStringLiteral(" d=1&e.txt ")},
                                 {QStringLiteral("SWFWidth"), QStringLiteral("640")},
                                 {QStringLiteral("SWFHeight"), QStringLiteral("480")}};
        const PreviewSettings settings = PreviewSettings::read(
                [&](const QString &name) { return stored.value(name); });
        QCOMPARE(settings, PreviewSettings(QStringLiteral(" other.swf"), QSize(640, 480),
                                           QStringLiteral(" d=1&e.txt ")));
    }

    // What Options stores reads back as the same settings, sizes as numbers.
    void storedValuesReadBack()
    {
        const PreviewSettings settings(QStringLiteral("demo.swf"), QSize(5000, 4),
                                       QStringLiteral("sales.txt"));
        QCOMPARE(settings.size(), QSize(3000, 10));
        QVariantMap stored;
        for (const Item item : PreviewSettings::items())
            stored.insert(PreviewSettings::storedName(item), settings.storedValue(item));
        QCOMPARE(stored.value(QStringLiteral("SWFWidth")), QVariant(3000));
        QCOMPARE(stored.value(QStringLiteral("SWFFile")), QVariant(QStringLiteral("demo.swf")));
        QCOMPARE(PreviewSettings::read([&](const QString &name) { return stored.value(name); }),
                 settings);
    }
};

QTEST_APPLESS_MAIN(tst_PreviewSettings)
#include "tst_previewsettings.moc"

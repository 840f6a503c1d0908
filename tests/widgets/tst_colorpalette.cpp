#include "base/EditorError.h"
#include "settings/SettingsBackingStore.h"
#include "widgets/ColorPalette.h"
#include "widgets/CustomColors.h"
#include "widgets/DropDownPlacement.h"

#include <QtTest>

// The palette's table and marking rule, the custom colours' storage and the
// placement of the pickers' windows.
class tst_ColorPalette : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void indexOf_data();
    void indexOf();
    void tableHasNoDuplicates();
    void customColorsStartEmpty();
    void customColorsRoundTrip();
    void customColorsInvalidSlot();
    void palettePlacement_data();
    void palettePlacement();
    void previewPlacement_data();
    void previewPlacement();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ColorPalette::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    SettingsBackingStore::setUserFilePath(m_dir->filePath(QStringLiteral("user.conf")));
}

void tst_ColorPalette::cleanup()
{
    SettingsBackingStore::setUserFilePath(QString());
    m_dir.reset();
}

void tst_ColorPalette::indexOf_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("index");
    // Plain colours by row and column (from 1): index (row - 1) * 8 + column - 1.
    QTest::newRow("#000000 row 1 column 1") << 0x000000u << 0;
    QTest::newRow("#800000 row 2 column 3") << ColorRefs::fromRgb(0x800000) << 10;
    QTest::newRow("#0000FF row 4 column 7") << ColorRefs::fromRgb(0x0000FF) << 30;
    QTest::newRow("#C0C0C0 row 5 column 2, never a system entry")
            << ColorRefs::fromRgb(0xC0C0C0) << 33;
    QTest::newRow("#FFC0FF row 7 column 8") << ColorRefs::fromRgb(0xFFC0FF) << 55;
    QTest::newRow("Active Border first system entry") << 0x8000000Au << 56;
    QTest::newRow("Button Face") << 0x8000000Fu << 60;
    QTest::newRow("Window Text last entry") << 0x80000008u << 82;
    QTest::newRow("#123456 goes to the custom button") << ColorRefs::fromRgb(0x123456) << -1;
    QTest::newRow("unknown system index") << 0x80000019u << -1;
}

void tst_ColorPalette::indexOf()
{
    QFETCH(uint, color);
    QTEST(ColorPalette::indexOf(color), "index");
}

void tst_ColorPalette::tableHasNoDuplicates()
{
    QSet<ColorRef> seen;
    for (const ColorPalette::Entry &entry : ColorPalette::entries())
        seen.insert(entry.color);
    QCOMPARE(seen.size(), ColorPalette::Count);
    QCOMPARE(QLatin1String(ColorPalette::entries()[60].hint), QLatin1String("Button Face"));
    QCOMPARE(QLatin1String(ColorPalette::entries()[0].hint), QLatin1String(""));
}

void tst_ColorPalette::customColorsStartEmpty()
{
    CustomColors colors;
    colors.load(SettingsBackingStore(CustomColors::key()));
    for (ColorRef c : colors.colors())
        QCOMPARE(c, CustomColors::Empty);
}

void tst_ColorPalette::customColorsRoundTrip()
{
    {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        store.writeText(CustomColors::section(), QStringLiteral("ColorB"), QStringLiteral("ff8000"));
        store.close();
    }
    CustomColors colors;
    colors.load(SettingsBackingStore(CustomColors::key()));
    std::array<ColorRef, CustomColors::Count> saved = colors.colors();
    QCOMPARE(saved[0], CustomColors::Empty);
    QCOMPARE(saved[1], 0xFF8000u);

    // Written back after the end of the program: untouched slots as they
    // were read, and after an OK of the dialog every slot, empty ones as FFFFFFFF.
    {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        colors.save(store);
        store.close();
    }
    QCOMPARE(SettingsBackingStore(CustomColors::key())
                     .readText(CustomColors::section(), QStringLiteral("ColorA"),
                               QStringLiteral("missing")),
             QString());

    saved[2] = 0x123;
    colors.setColors(saved);
    {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        colors.save(store);
        store.close();
    }
    const SettingsBackingStore store(CustomColors::key());
    QStringList texts;
    for (int i = 0; i < CustomColors::Count; ++i)
        texts << store.readText(CustomColors::section(), CustomColors::valueName(i),
                                QStringLiteral("missing"));
    QCOMPARE(texts.mid(0, 4), (QStringList{"FFFFFFFF", "FF8000", "000123", "FFFFFFFF"}));
    QCOMPARE(texts.count(QStringLiteral("FFFFFFFF")), 14);
    QCOMPARE(CustomColors::valueName(15), QStringLiteral("ColorP"));

    // The INI file keeps the registry's key path.
    QSettings ini(SettingsBackingStore::userFilePath(), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("RtColorPicker/CustomColors/ColorC")).toString(),
             QStringLiteral("000123"));
}

void tst_ColorPalette::customColorsInvalidSlot()
{
    {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        store.writeText(CustomColors::section(), QStringLiteral("ColorD"), QStringLiteral("12G4"));
        store.close();
    }
    CustomColors colors;
    colors.load(SettingsBackingStore(CustomColors::key())); // not checked when read
    QCOMPARE(colors.text(3), QStringLiteral("12G4"));
    try {
        colors.colors();
        QFAIL("no error for a slot that is not hexadecimal");
    } catch (const EditorError &error) {
        QCOMPARE(error.message(), QStringLiteral("'$12G4' is not a valid integer value"));
    }
}

void tst_ColorPalette::palettePlacement_data()
{
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QPoint>("topLeft");
    // Screen 1280 x 800, palette 255 x 177, control 39 x 22.
    QTest::newRow("room below") << QRect(100, 100, 39, 22) << QPoint(100, 122);
    QTest::newRow("right edge exactly reached") << QRect(1025, 100, 39, 22) << QPoint(1025, 122);
    QTest::newRow("past the right edge shifts left")
            << QRect(1200, 100, 39, 22) << QPoint(1025, 122);
    QTest::newRow("past the bottom opens above") << QRect(100, 700, 39, 22) << QPoint(100, 523);
    QTest::newRow("bottom-right corner") << QRect(1230, 770, 39, 22) << QPoint(1025, 593);
    QTest::newRow("left of the screen shifts right") << QRect(-100, 100, 39, 22) << QPoint(0, 122);
}

void tst_ColorPalette::palettePlacement()
{
    QFETCH(QRect, control);
    QTEST(DropDownPlacement::palette(control, QSize(255, 177), QRect(0, 0, 1280, 800)), "topLeft");
}

void tst_ColorPalette::previewPlacement_data()
{
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QPoint>("topLeft");
    // Screen 1280 x 800, preview 240 x 60, control 145 x 24.
    QTest::newRow("beside the list") << QRect(100, 100, 145, 24) << QPoint(245, 124);
    QTest::newRow("right edge: to the control's left")
            << QRect(1000, 100, 145, 24) << QPoint(760, 124);
    QTest::newRow("bottom edge: above the control") << QRect(100, 750, 145, 24) << QPoint(245, 690);
    QTest::newRow("left of the screen shifts right") << QRect(-200, 100, 145, 24) << QPoint(0, 124);
}

void tst_ColorPalette::previewPlacement()
{
    QFETCH(QRect, control);
    QTEST(DropDownPlacement::fontPreview(control, QSize(240, 60), QRect(0, 0, 1280, 800)),
          "topLeft");
}

QTEST_APPLESS_MAIN(tst_ColorPalette)
#include "tst_colorpalette.moc"

#include "base/ErrorReport.h"
#include "settings/SettingsBackingStore.h"
#include "widgets/ColorButton.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/CustomColors.h"

#include <QColorDialog>
#include <QToolButton>
#include <QtTest>

#include <functional>

// The colour picker control with its palette window and colour dialog.
class tst_ColorPicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void widthFollowsHeight();
    void activeColorRaisesOnChangedOnlyOnChange();
    void opensBelowTheControl();
    void marksTheCurrentColor_data();
    void marksTheCurrentColor();
    void choosingWritesAndCloses();
    void customColorIsChosenAsItIs();
    void escapeAndDeactivationCloseUnchanged();
    void keyboardOnly();
    void dialogOkChoosesAndKeepsColors();
    void dialogCancelKeepsPaletteOpen();
    void unreadableCustomSlotReportsAndKeepsOpen();

private:
    void createHost();
    ColorPalettePopup *openPalette();
    // Runs action on the colour dialog once it is shown modally.
    void whenDialogShows(std::function<void(QColorDialog *)> action);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_host;
    ColorPickerButton *m_combo = nullptr;
    QStringList m_errors;
};

void tst_ColorPicker::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    SettingsBackingStore::setUserFilePath(m_dir->filePath(QStringLiteral("user.conf")));
    m_errors.clear();
    ErrorReport::setHandler([this](const QString &message) { m_errors << message; });
    createHost();
}

void tst_ColorPicker::createHost()
{
    m_host = std::make_unique<QWidget>();
    m_host->resize(200, 100);
    m_combo = new ColorPickerButton(m_host.get());
    m_combo->setGeometry(40, 8, 39, 22);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void tst_ColorPicker::cleanup()
{
    m_host.reset(); // the palette belongs to it once opened
    delete ColorPalettePopup::instance();
    SettingsBackingStore::setUserFilePath(QString());
    m_dir.reset();
}

ColorPalettePopup *tst_ColorPicker::openPalette()
{
    m_combo->showPopup();
    ColorPalettePopup *palette = ColorPalettePopup::instance();
    if (!QTest::qWaitForWindowActive(palette))
        return nullptr;
    return palette;
}

void tst_ColorPicker::whenDialogShows(std::function<void(QColorDialog *)> action)
{
    QTimer::singleShot(0, this, [this, action] {
        auto *dialog = ColorPalettePopup::instance()->colorDialog();
        if (!dialog->isVisible()) {
            whenDialogShows(action);
            return;
        }
        action(dialog);
    });
}

void tst_ColorPicker::widthFollowsHeight()
{
    QCOMPARE(m_combo->size(), QSize(39, 22));
    m_combo->setGeometry(0, 0, 200, 30);
    QCOMPARE(m_combo->size(), QSize(51, 30));
    m_combo->resize(10, 40);
    QCOMPARE(m_combo->size(), QSize(66, 40));
}

void tst_ColorPicker::activeColorRaisesOnChangedOnlyOnChange()
{
    QSignalSpy changed(m_combo, &ColorPickerButton::colorChanged);
    QCOMPARE(m_combo->activeColor(), ColorRefs::Black);
    m_combo->setActiveColor(ColorRefs::Black);
    QCOMPARE(changed.count(), 0);
    m_combo->setActiveColor(0x80);
    m_combo->setActiveColor(0x80);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_combo->activeColor(), 0x80u);
}

void tst_ColorPicker::opensBelowTheControl()
{
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    QCOMPARE(palette->frameGeometry().topLeft(), m_combo->mapToGlobal(QPoint(0, m_combo->height())));
    QCOMPARE(palette->size(), QSize(255, 177));
    QCOMPARE(palette->otherButton()->text(), QStringLiteral("&Other colors..."));
    QCOMPARE(palette->otherButton()->geometry(), QRect(28, 150, 222, 20));
    QCOMPARE(palette->colorButton(10)->geometry(), QRect(45, 25, 20, 20));
    QCOMPARE(palette->colorButton(82)->geometry(), QRect(210, 125, 20, 20));
    QCOMPARE(palette->colorButton(60)->toolTip(), QStringLiteral("Button Face"));
}

void tst_ColorPicker::marksTheCurrentColor_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("pressed");
    QTest::newRow("#0000FF row 4 column 7") << 0x00FF0000u << 30;
    QTest::newRow("#800000 row 2 column 3") << 0x00000080u << 10;
    QTest::newRow("Button Face") << 0x8000000Fu << 60;
    QTest::newRow("#C0C0C0 never a system entry") << 0x00C0C0C0u << 33;
    QTest::newRow("#123456 on the custom button") << 0x00563412u << ColorPalettePopup::CustomIndex;
}

void tst_ColorPicker::marksTheCurrentColor()
{
    QFETCH(uint, color);
    QFETCH(int, pressed);
    m_combo->setActiveColor(color);
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    for (int i = 0; i <= ColorPalettePopup::CustomIndex; ++i)
        QCOMPARE(palette->colorButton(i)->isChecked(), i == pressed);
    QCOMPARE(palette->colorButton(pressed)->squareColor(), ColorRef(color));
    QCOMPARE(palette->color(), ColorRef(color));
}

void tst_ColorPicker::choosingWritesAndCloses()
{
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    QSignalSpy changed(m_combo, &ColorPickerButton::colorChanged);
    QTest::mouseClick(palette->colorButton(10), Qt::LeftButton);
    QCOMPARE(m_combo->activeColor(), 0x80u);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!palette->isVisible());

    // Reopened, the choice is marked; the other buttons are released.
    QVERIFY(openPalette());
    QVERIFY(palette->colorButton(10)->isChecked());
    QTest::mouseClick(palette->colorButton(60), Qt::LeftButton);
    QCOMPARE(m_combo->activeColor(), 0x8000000Fu);
    QVERIFY(!palette->colorButton(10)->isChecked());
}

void tst_ColorPicker::customColorIsChosenAsItIs()
{
    m_combo->setActiveColor(0x00563412);
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    m_combo->setActiveColor(0);
    QTest::mouseClick(palette->colorButton(ColorPalettePopup::CustomIndex), Qt::LeftButton);
    QCOMPARE(m_combo->activeColor(), 0x00563412u);
}

void tst_ColorPicker::escapeAndDeactivationCloseUnchanged()
{
    m_combo->setActiveColor(0x80);
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    QTest::keyClick(palette->focusWidget(), Qt::Key_Escape);
    QVERIFY(!palette->isVisible());
    QCOMPARE(m_combo->activeColor(), 0x80u);

    QVERIFY(openPalette());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!palette->isVisible());
    QCOMPARE(m_combo->activeColor(), 0x80u);
}

void tst_ColorPicker::keyboardOnly()
{
    m_combo->setFocus();
    m_combo->setActiveColor(0); // row 1, column 1
    QTest::keyClick(m_combo, Qt::Key_Down, Qt::AltModifier);
    ColorPalettePopup *palette = ColorPalettePopup::instance();
    QVERIFY(QTest::qWaitForWindowActive(palette));
    QCOMPARE(palette->focusWidget(), palette->colorButton(0));
    QTest::keyClick(palette->focusWidget(), Qt::Key_Right);
    QTest::keyClick(palette->focusWidget(), Qt::Key_Right);
    QTest::keyClick(palette->focusWidget(), Qt::Key_Down);
    QCOMPARE(palette->focusWidget(), palette->colorButton(10));
    QCOMPARE(m_combo->activeColor(), 0u); // moving chooses nothing
    QTest::keyClick(palette->focusWidget(), Qt::Key_Return);
    QCOMPARE(m_combo->activeColor(), 0x80u);
    QVERIFY(!palette->isVisible());
}

void tst_ColorPicker::dialogOkChoosesAndKeepsColors()
{
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    QColor startedFrom;
    whenDialogShows([&](QColorDialog *dialog) {
        QVERIFY(palette->dialogOpen());
        QVERIFY(palette->isVisible()); // the dialog's activation does not close the palette
        startedFrom = dialog->currentColor();
        QColorDialog::setCustomColor(2, QColor(0x12, 0x34, 0x56));
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    QTest::mouseClick(palette->otherButton(), Qt::LeftButton);
    QCOMPARE(startedFrom, QColor(Qt::black));
    QVERIFY(!palette->dialogOpen());
    QVERIFY(!palette->isVisible());
    QCOMPARE(m_combo->activeColor(), 0x00563412u);
    QCOMPARE(palette->colorButton(ColorPalettePopup::CustomIndex)->squareColor(), 0x00563412u);

    // The next dialog starts from the last accepted colour.
    QVERIFY(openPalette());
    whenDialogShows([&](QColorDialog *dialog) {
        startedFrom = dialog->currentColor();
        dialog->reject();
    });
    QTest::mouseClick(palette->otherButton(), Qt::LeftButton);
    QCOMPARE(startedFrom, QColor(0x12, 0x34, 0x56));

    // At the end of the program the 16 slots are written, empty ones as FFFFFFFF.
    m_host.reset();
    delete ColorPalettePopup::instance();
    const SettingsBackingStore store(CustomColors::key());
    QCOMPARE(store.readText(CustomColors::section(), QStringLiteral("ColorC"), QString()),
             QStringLiteral("563412"));
    QCOMPARE(store.readText(CustomColors::section(), QStringLiteral("ColorA"), QString()),
             QStringLiteral("FFFFFFFF"));
    QCOMPARE(store.readText(CustomColors::section(), QStringLiteral("ColorP"), QString()),
             QStringLiteral("FFFFFFFF"));
}

void tst_ColorPicker::dialogCancelKeepsPaletteOpen()
{
    m_combo->setActiveColor(0x80);
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    whenDialogShows([](QColorDialog *dialog) {
        dialog->setCurrentColor(Qt::green);
        dialog->reject();
    });
    QTest::mouseClick(palette->otherButton(), Qt::LeftButton);
    QVERIFY(!palette->dialogOpen());
    QVERIFY(palette->isVisible());
    QCOMPARE(m_combo->activeColor(), 0x80u);
    QVERIFY(QTest::qWaitForWindowActive(palette));
    QTest::keyClick(palette, Qt::Key_Escape);
    QVERIFY(!palette->isVisible());
    QCOMPARE(m_combo->activeColor(), 0x80u);

    // Nothing is written for a dialog that never ended with OK.
    m_host.reset();
    delete ColorPalettePopup::instance();
    QCOMPARE(SettingsBackingStore(CustomColors::key())
                     .readText(CustomColors::section(), QStringLiteral("ColorA"),
                               QStringLiteral("missing")),
             QString());
}

void tst_ColorPicker::unreadableCustomSlotReportsAndKeepsOpen()
{
    m_host.reset();
    delete ColorPalettePopup::instance();
    {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        store.writeText(CustomColors::section(), QStringLiteral("ColorB"), QStringLiteral("xyz"));
        store.close();
    }
    createHost();
    ColorPalettePopup *palette = openPalette();
    QVERIFY(palette);
    QTest::mouseClick(palette->otherButton(), Qt::LeftButton);
    QCOMPARE(m_errors, QStringList{QStringLiteral("'$xyz' is not a valid integer value.")});
    QVERIFY(!palette->colorDialog()->isVisible());
    QVERIFY(!palette->dialogOpen()); // cleared, so a click elsewhere still closes the palette
    QVERIFY(palette->isVisible());
}

QTEST_MAIN(tst_ColorPicker)
#include "tst_colorpicker.moc"

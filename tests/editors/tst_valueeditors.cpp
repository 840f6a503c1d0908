#include "editors/ColorPopup.h"
#include "editors/FontPopup.h"
#include "editors/FontStylePopup.h"
#include "editors/ListPopup.h"
#include "editors/NumberPopup.h"
#include "editors/ValueEditors.h"
#include "editors/ValuePopup.h"
#include "support/EditingWindowTest.h"
#include "widgets/ColorButton.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/FontComboBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

// The value popups opened from the sample profile's rows in the main
// window, driven with the keyboard and the mouse.
class tst_ValueEditors : public EditingWindowTest
{
    Q_OBJECT

private slots:
    void initTestCase() { m_locale = QLocale(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void popupsHaveTheirShape();
    void listWithTheKeyboard();
    void conditionalListFollowsItsKey();
    void escapeWritesNothing_data();
    void escapeWritesNothing();
    void spinLimitsAndWrites();
    void spinWritesWhatItShows_data();
    void spinWritesWhatItShows();
    void emptyNumberReportsAndOpensNothing();
    void colorFromThePalette();
    void fontStyleBoxesAreSetEveryTime();
    void fontKeepsValueWithoutNewPick();
    void fontPickedInTheOpenList();
    void fontNotInstalled_data();
    void fontNotInstalled();
    void fontListOffersFamilyNames();
};

void tst_ValueEditors::popupsHaveTheirShape()
{
    ValueEditors *editors = m_form->valueEditors();
    const QList<QPair<QDialog *, QSize>> popups = {
            {editors->formList(), QSize(160, 61)},       {editors->formFont(), QSize(160, 61)},
            {editors->formSpin(), QSize(160, 61)},       {editors->formColor(), QSize(160, 61)},
            {editors->formFontStyle(), QSize(160, 112)},
    };
    for (const auto &[popup, size] : popups) {
        static_cast<ValuePopup *>(popup)->fitToControls();
        QVERIFY(popup->width() >= size.width() && popup->height() >= size.height());
        QVERIFY(popup->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(popup->isModal());
        auto *ok = popup->findChild<QPushButton *>(QStringLiteral("BtnOK"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->width() >= 75 && ok->height() >= 25);
    }
    // The editor's control above OK; the layout itself is checked with the
    // other dialogs' (tst_dialoglayout).
    for (QWidget *control : std::initializer_list<QWidget *>{editors->formList()->comboBox(),
                                                             editors->formFont()->fontComboBox(),
                                                             editors->formSpin()->spinEdit()}) {
        QVERIFY(control->width() >= 145);
        QVERIFY(control->geometry().bottom()
                < static_cast<ValuePopup *>(control->window())->okButton()->y());
    }
    QCOMPARE(editors->formColor()->colorPick()->size(), QSize(39, 22));
    FontStylePopup *style = editors->formFontStyle();
    QVERIFY(style->checkBoxBold()->y() < style->checkBoxItalic()->y());
    QVERIFY(style->checkBoxItalic()->y() < style->checkBoxUnderline()->y());
    QCOMPARE(style->checkBoxBold()->x(), style->checkBoxUnderline()->x());
    QVERIFY(style->checkBoxUnderline()
                    ->mapTo(style, QPoint(0, style->checkBoxUnderline()->height()))
                    .y()
            <= style->okButton()->mapTo(style, QPoint()).y());
    QCOMPARE(editors->formFont()->fontComboBox()->fontKinds(),
             FontKind::TrueTypeText | FontKind::TrueTypeSymbol);
}

void tst_ValueEditors::listWithTheKeyboard()
{
    focus(QStringLiteral("chartType"));
    QStringList choices;
    QString preselected;
    edit([&](QWidget *) {
        QComboBox *box = m_form->valueEditors()->formList()->comboBox();
        for (int i = 0; i < box->count(); ++i)
            choices << box->itemText(i);
        preselected = box->currentText();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(choices.size(), 5);
    QCOMPARE(preselected, QStringLiteral("bar - vertical bars"));
    QCOMPARE(value(QStringLiteral("chartType")), QStringLiteral("hbar "));
    QVERIFY(styleTxt().contains("&chartType=hbar \r\n"));
    QVERIFY(m_form->document().isModified());
    QVERIFY(!m_form->document().isInValueEditor());
}

void tst_ValueEditors::conditionalListFollowsItsKey()
{
    setValue(QStringLiteral("chartType"), QStringLiteral("line"));
    focus(QStringLiteral("lineStyle"));
    QStringList choices;
    edit([&](QWidget *popup) {
        QComboBox *box = m_form->valueEditors()->formList()->comboBox();
        for (int i = 0; i < box->count(); ++i)
            choices << box->itemText(i);
        box->setCurrentIndex(2);
        QTest::keyClick(popup, Qt::Key_Enter);
    });
    QCOMPARE(choices, (QStringList{"solid", "dashed", "dotted"}));
    QCOMPARE(value(QStringLiteral("lineStyle")), QStringLiteral("dotted"));
    QCOMPARE(value(QStringLiteral("chartType")), QStringLiteral("line"));
}

void tst_ValueEditors::escapeWritesNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("list") << "chartType";
    QTest::newRow("font") << "titleFont";
    QTest::newRow("spin") << "borderWidth";
    QTest::newRow("color") << "bgColor";
    QTest::newRow("fontstyle") << "titleStyle";
}

void tst_ValueEditors::escapeWritesNothing()
{
    QFETCH(QString, key);
    const QString before = value(key);
    const QByteArray file = styleTxt();
    focus(key);
    edit([](QWidget *) {
        // Change the control first: Escape must still write nothing.
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused, focused->inherits("QCheckBox") ? Qt::Key_Space : Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QCOMPARE(value(key), before);
    QVERIFY(!m_form->document().isModified());
    QCOMPARE(styleTxt(), file);
}

void tst_ValueEditors::spinLimitsAndWrites()
{
    setValue(QStringLiteral("borderWidth"), QStringLiteral("250"));
    focus(QStringLiteral("borderWidth"));
    int shown = -1;
    edit([&](QWidget *popup) {
        QSpinBox *spin = m_form->valueEditors()->formSpin()->spinEdit();
        shown = spin->value();
        QCOMPARE(spin->minimum(), 0);
        QCOMPARE(spin->maximum(), 10);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QCOMPARE(shown, 10);
    QCOMPARE(value(QStringLiteral("borderWidth")), QStringLiteral("9"));

    // Typed digits, confirmed with Enter from the number box itself.
    edit([&](QWidget *) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(value(QStringLiteral("borderWidth")), QStringLiteral("4"));
}

void tst_ValueEditors::spinWritesWhatItShows_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed"); // over the selected number before OK
    QTest::addColumn<QString>("shown"); // when the popup opens
    QTest::addColumn<QString>("written");

    const QString minus = QStringLiteral("\u2212");
    const QString arabicMinus = QStringLiteral("\u061C-");
    auto arabic = [](const char *digits) {
        QString text;
        for (const char *d = digits; *d; ++d)
            text += QChar(0x0660 + (*d - '0'));
        return text;
    };
    QTest::newRow("C") << "-10,10"
                       << "7"
                       << "C"
                       << ""
                       << "7"
                       << "7";
    QTest::newRow("C negative") << "-10,10"
                                << "-5"
                                << "C"
                                << ""
                                << "-5"
                                << "-5";
    QTest::newRow("C typed") << "-10,10"
                             << "7"
                             << "C"
                             << "-3"
                             << "7"
                             << "-3";
    QTest::newRow("sv_SE negative") << "-10,10"
                                    << "-5"
                                    << "sv_SE"
                                    << "" << minus + "5"
                                    << "-5";
    QTest::newRow("sv_SE typed") << "-10,10"
                                 << "0"
                                 << "sv_SE"
                                 << "-3"
                                 << "0"
                                 << "-3";
    QTest::newRow("ar_EG") << "-10,10"
                           << "7"
                           << "ar_EG"
                           << "" << arabic("7") << "7";
    QTest::newRow("ar_EG negative") << "-10,10"
                                    << "-5"
                                    << "ar_EG"
                                    << "" << arabicMinus + arabic("5") << "-5";
    QTest::newRow("ar_EG typed") << "-10,10"
                                 << "7"
                                 << "ar_EG" << arabic("3") << arabic("7") << "3";
    QTest::newRow("ar_EG typed negative") << "-10,10"
                                          << "7"
                                          << "ar_EG"
                                          << "-" + arabic("4") << arabic("7") << "-4";
    QTest::newRow("ar_EG above the maximum") << "0,60"
                                             << "250"
                                             << "ar_EG"
                                             << "" << arabic("60") << "60";
    QTest::newRow("de_DE") << "-2000,2000"
                           << "-1500"
                           << "de_DE"
                           << ""
                           << "-1500"
                           << "-1500";
    QTest::newRow("de_DE typed") << "0,100000"
                                 << "5"
                                 << "de_DE"
                                 << "12345"
                                 << "5"
                                 << "12345";
    QTest::newRow("minimum above maximum, below both") << "10,0"
                                                       << "-4"
                                                       << "C"
                                                       << ""
                                                       << "0"
                                                       << "0";
    QTest::newRow("minimum above maximum, between") << "10,0"
                                                    << "5"
                                                    << "C"
                                                    << ""
                                                    << "5"
                                                    << "5";
    QTest::newRow("minimum above maximum, above both") << "10,0"
                                                       << "250"
                                                       << "C"
                                                       << ""
                                                       << "10"
                                                       << "10";
    QTest::newRow("minimum above maximum, sv_SE") << "10,-10"
                                                  << "3"
                                                  << "sv_SE"
                                                  << ""
                                                  << "3"
                                                  << "3";
    // One bound on the first use: the maximum is still 0, so the range is 0..5.
    QTest::newRow("one bound, first use") << "5"
                                          << "3"
                                          << "C"
                                          << ""
                                          << "3"
                                          << "3";
    QTest::newRow("equal bounds do not limit") << "3,3"
                                               << "250"
                                               << "C"
                                               << ""
                                               << "250"
                                               << "250";
}

void tst_ValueEditors::spinWritesWhatItShows()
{
    QFETCH(QString, domain);
    QFETCH(QString, stored);
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    // The popups take the locale the program starts in.
    QLocale::setDefault(QLocale(locale));
    restart(R"(<root>root<s>Section<size type="spin" values=")" + domain.toUtf8()
                    + R"(">Size</size></s></root>)",
            "&size=" + stored.toUtf8() + "\r\n");
    focus(QStringLiteral("size"));
    QString shown;
    edit([&](QWidget *popup) {
        QSpinBox *spin = m_form->valueEditors()->formSpin()->spinEdit();
        shown = spin->text();
        for (const QChar c : typed) // any character, as a keyboard layout of the locale types it
            QTest::sendKeyEvent(QTest::Click, spin, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->okButton(), Qt::LeftButton);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QTEST(shown, "shown");
    QCOMPARE(value(QStringLiteral("size")), written);
    QCOMPARE(styleTxt(), "&size=" + written.toUtf8() + "\r\n");
}

void tst_ValueEditors::emptyNumberReportsAndOpensNothing()
{
    for (const char *key : {"borderWidth", "titleStyle"}) {
        setValue(QLatin1String(key), QString());
        focus(QLatin1String(key));
        m_reported.clear();
        m_form->valueEditors()->openValueEditor();
        QCOMPARE(m_reported, QStringList{QStringLiteral("'' is not a valid integer value.")});
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(value(QLatin1String(key)), QString());
        QVERIFY(!m_form->document().isModified());
    }
}

void tst_ValueEditors::colorFromThePalette()
{
    setValue(QStringLiteral("bgColor"), QStringLiteral("0x800000"));
    focus(QStringLiteral("bgColor"));
    bool darkRedPressed = false;
    edit([&](QWidget *) {
        ColorPickerButton *pick = m_form->valueEditors()->formColor()->colorPick();
        QCOMPARE(QApplication::focusWidget(), pick);
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        ColorPalettePopup *palette = ColorPalettePopup::instance();
        QVERIFY(QTest::qWaitForWindowActive(palette));
        // Escape in the palette closes the palette only.
        QTest::keyClick(palette->focusWidget(), Qt::Key_Escape);
        QVERIFY(!palette->isVisible());
        QVERIFY(m_form->valueEditors()->formColor()->isVisible());
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(palette));
        darkRedPressed = palette->colorButton(10)->isChecked();
        QTest::keyClick(palette->focusWidget(), Qt::Key_Right); // #808000
        QTest::keyClick(palette->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(m_form->valueEditors()->formColor()->isActiveWindow());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QVERIFY(darkRedPressed);
    QCOMPARE(value(QStringLiteral("bgColor")), QStringLiteral("0x808000"));
}

void tst_ValueEditors::fontStyleBoxesAreSetEveryTime()
{
    setValue(QStringLiteral("titleStyle"), QStringLiteral("7"));
    focus(QStringLiteral("titleStyle"));
    edit([](QWidget *popup) { QTest::keyClick(popup, Qt::Key_Return); });
    QCOMPARE(value(QStringLiteral("titleStyle")), QStringLiteral("7"));

    setValue(QStringLiteral("titleStyle"), QStringLiteral("5"));
    QList<bool> checked;
    edit([&](QWidget *) {
        FontStylePopup *form = m_form->valueEditors()->formFontStyle();
        checked = {form->checkBoxBold()->isChecked(), form->checkBoxItalic()->isChecked(),
                   form->checkBoxUnderline()->isChecked()};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // to Italic
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(checked, (QList<bool>{true, false, true}));
    QCOMPARE(value(QStringLiteral("titleStyle")), QStringLiteral("7"));

    setValue(QStringLiteral("titleStyle"), QStringLiteral("9"));
    edit([](QWidget *popup) { QTest::keyClick(popup, Qt::Key_Return); });
    QCOMPARE(value(QStringLiteral("titleStyle")), QStringLiteral("7"));
}

void tst_ValueEditors::fontKeepsValueWithoutNewPick()
{
    setValue(QStringLiteral("titleFont"), QStringLiteral(" DejaVu Sans "));
    focus(QStringLiteral("titleFont"));
    QString shown;
    edit([&](QWidget *popup) {
        shown = m_form->valueEditors()->formFont()->fontComboBox()->currentText();
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QCOMPARE(shown, QStringLiteral("DejaVu Sans"));
    QCOMPARE(value(QStringLiteral("titleFont")), QStringLiteral(" DejaVu Sans "));
    QVERIFY(!m_form->document().isModified());

    // A different font chosen with the keyboard is written by its name.
    QString expected;
    edit([&](QWidget *) {
        FontComboBox *box = m_form->valueEditors()->formFont()->fontComboBox();
        QTest::keyClick(box, Qt::Key_Down);
        expected = box->currentText();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!expected.isEmpty());
    QCOMPARE(value(QStringLiteral("titleFont")), expected.left(20));
    QVERIFY(m_form->document().isModified());
}

void tst_ValueEditors::fontPickedInTheOpenList()
{
    setValue(QStringLiteral("titleFont"), QStringLiteral("DejaVu Sans"));
    focus(QStringLiteral("titleFont"));
    QString picked;
    bool openAfterPick = false;
    edit([&](QWidget *popup) {
        FontComboBox *box = m_form->valueEditors()->formFont()->fontComboBox();
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(box->view()->isVisible());
        QTest::keyClick(box->view(), Qt::Key_Down);
        QTest::keyClick(box->view(), Qt::Key_Down);
        picked = box->view()->currentIndex().data().toString();
        // Enter in the open list picks there; the popup stays.
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->entries()->isOpen());
        openAfterPick = popup->isVisible();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QVERIFY(openAfterPick);
    QVERIFY(!picked.isEmpty());
    QCOMPARE(value(QStringLiteral("titleFont")), picked.left(20));
}

void tst_ValueEditors::fontNotInstalled_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("writesEarlierPick");
    QTest::newRow("OK without a pick") << "ok" << false;
    QTest::newRow("earlier pick chosen in the list") << "list" << true;
}

void tst_ValueEditors::fontNotInstalled()
{
    QFETCH(QString, action);
    QFETCH(bool, writesEarlierPick);
    // A pick in an earlier font popup.
    focus(QStringLiteral("titleFont"));
    QString earlier;
    edit([&](QWidget *) {
        FontComboBox *box = m_form->valueEditors()->formFont()->fontComboBox();
        QTest::keyClick(box, Qt::Key_Down);
        earlier = box->currentText();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QVERIFY(!earlier.isEmpty());
    QCOMPARE(value(QStringLiteral("titleFont")), earlier.left(20));

    const QString missing = QStringLiteral("No Such Font 4711");
    setValue(QStringLiteral("axisFont"), missing);
    const QByteArray file = styleTxt();
    focus(QStringLiteral("axisFont"));
    QString shownAtOpen;
    edit([&](QWidget *popup) {
        FontComboBox *box = m_form->valueEditors()->formFont()->fontComboBox();
        shownAtOpen = box->currentText();
        if (action == QLatin1String("list")) {
            QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(box->view()->isVisible());
            box->view()->setCurrentIndex(box->model()->index(box->findText(earlier), 0));
            QTest::keyClick(box->view(), Qt::Key_Return);
            QTRY_VERIFY(!box->entries()->isOpen());
        }
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->okButton(), Qt::LeftButton);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    // The box shows no font for a row whose font it does not list.
    QCOMPARE(shownAtOpen, QString());
    if (writesEarlierPick) {
        QCOMPARE(value(QStringLiteral("axisFont")), earlier.left(20));
        QVERIFY(m_form->document().isModified());
    } else {
        QCOMPARE(value(QStringLiteral("axisFont")), missing);
        QVERIFY(!m_form->document().isModified());
        QCOMPARE(styleTxt(), file);
    }
}

void tst_ValueEditors::fontListOffersFamilyNames()
{
    // Nimbus Sans and C059 come from more than one foundry (fonts-urw-base35,
    // installed by scripts/setup.sh); D050000L is a symbol font.
    setValue(QStringLiteral("titleFont"), QStringLiteral("Nimbus Sans"));
    focus(QStringLiteral("titleFont"));
    QString preselected;
    QStringList listed;
    QString dingbatsEntry;
    QStringList dingbatsFace;
    edit([&](QWidget *popup) {
        FontComboBox *box = static_cast<FontPopup *>(popup)->fontComboBox();
        preselected = box->currentText();
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(box->view()->isVisible());
        const FontEntryList *entries = box->entries();
        for (int row = entries->usedCount(); row < entries->rowCount(); ++row) {
            const QModelIndex index = entries->index(row);
            listed << index.data().toString();
            if (index.data().toString() == QLatin1String("D050000L")) {
                dingbatsEntry = index.data(FontEntryList::EntryRole).toString();
                dingbatsFace = box->entryFont(dingbatsEntry, true).families();
            }
        }
        // Typed in the open list, the name is found and picked with Enter.
        QTest::keyClicks(box->view(), QStringLiteral("C05"));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->entries()->isOpen());
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QCOMPARE(preselected, QStringLiteral("Nimbus Sans"));
    for (const QString &family :
         {QStringLiteral("Nimbus Sans"), QStringLiteral("C059"), QStringLiteral("D050000L")})
        QVERIFY2(listed.count(family) == 1,
                 qPrintable(family + QStringLiteral(" is not listed once")));
    for (const QString &family : std::as_const(listed))
        QVERIFY2(!family.contains(QLatin1Char('[')), qPrintable(family));
    QCOMPARE(dingbatsEntry, QStringLiteral("D050000L=TS"));
    QVERIFY(!dingbatsFace.contains(QStringLiteral("D050000L")));
    QCOMPARE(value(QStringLiteral("titleFont")), QStringLiteral("C059"));
    QVERIFY(styleTxt().contains("\r\n&titleFont=C059\r\n"));
}

QTEST_MAIN(tst_ValueEditors)
#include "tst_valueeditors.moc"

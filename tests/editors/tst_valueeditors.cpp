#include "base/ErrorReport.h"
#include "app/TMainForm.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfileGridDelegate.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "editors/TFormColor.h"
#include "editors/TFormFont.h"
#include "editors/TFormFontStyle.h"
#include "editors/TFormList.h"
#include "editors/TFormSpin.h"
#include "editors/ValuePopup.h"
#include "editors/ValueEditors.h"
#include "settings/SettingsBackingStore.h"
#include "widgets/TColBtn.h"
#include "widgets/TColorPickCombo.h"
#include "widgets/TColorPickerForm.h"
#include "widgets/TscFontComboBox.h"

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
class tst_ValueEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_locale = QLocale(); }
    void init();
    void cleanup();

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
    void popupOpensBesideTheGrid();
    void popupMovesUpAtTheMainWindowsBottom();
    void buttonAndKeyOpenTheFocusedRow();
    void inPlaceEditThenEscapeKeepsDocument();
    void typedValueReachesThePopup_data();
    void typedValueReachesThePopup();
    void valueCellsShowTheirMeaning();
    void valuesShowInFullAtTheDefaultSize();
    void boldMeansDiffersFromTheProfile();

private:
    QString appFile(const QString &name) const { return m_dir->filePath(name); }
    void start();
    // Starts the main window afresh on this profile and style.txt.
    void restart(const QByteArray &profile, const QByteArray &styleTxt);
    int recordOf(const QString &key) const;
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);
    void focus(const QString &key);
    // Opens the focused row's popup and runs action on it while it is shown.
    void edit(std::function<void(QWidget *popup)> action);
    void whenModal(std::function<void(QWidget *)> action, int tries = 200);
    QByteArray styleTxt() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_reported;
    QWidget *m_shown = nullptr;
    QLocale m_locale;
};

void tst_ValueEditors::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *name : {"Style.xml", "style.txt", "data.txt"})
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name), appFile(QLatin1String(name))));
    QFile::setPermissions(appFile(QStringLiteral("style.txt")), QFile::ReadOwner | QFile::WriteOwner);
    SettingsBackingStore::setUserFilePath(appFile(QStringLiteral("user.conf")));
    m_reported.clear();
    ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
    start();
}

void tst_ValueEditors::cleanup()
{
    m_form.reset();
    QLocale::setDefault(m_locale);
    delete TColorPickerForm::instance();
    SettingsBackingStore::setUserFilePath(QString());
    m_dir.reset();
}

void tst_ValueEditors::start()
{
    m_form = std::make_unique<TMainForm>(m_dir->path(), QStringList());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->document().setModified(false);
}

void tst_ValueEditors::restart(const QByteArray &profile, const QByteArray &styleTxt)
{
    m_form.reset();
    for (const auto &[name, content] : {std::pair{"Style.xml", profile}, std::pair{"style.txt", styleTxt}}) {
        QFile file(appFile(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    start();
}

int tst_ValueEditors::recordOf(const QString &key) const
{
    const ParameterTable &table = m_form->document().table();
    for (int i = 0; i < table.count(); ++i) {
        if (table.record(i).pName() == key)
            return i;
    }
    return -1;
}

QString tst_ValueEditors::value(const QString &key) const
{
    return m_form->document().table().record(recordOf(key)).pDefault();
}

void tst_ValueEditors::setValue(const QString &key, const QString &text)
{
    ParameterTable &table = m_form->document().table();
    const int recNo = table.recNo();
    table.setRecNo(recordOf(key) + 1);
    table.postValue(text);
    table.setRecNo(recNo);
    m_form->document().setModified(false);
}

void tst_ValueEditors::focus(const QString &key)
{
    m_form->ProfileGridView()->setCurrentRecord(recordOf(key));
}

QByteArray tst_ValueEditors::styleTxt() const
{
    QFile file(appFile(QStringLiteral("style.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_ValueEditors::whenModal(std::function<void(QWidget *)> action, int tries)
{
    QTimer::singleShot(5, this, [this, action, tries] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isActiveWindow()) {
            m_shown = modal;
            action(modal);
        } else if (tries > 0) {
            whenModal(action, tries - 1);
        }
    });
}

void tst_ValueEditors::edit(std::function<void(QWidget *popup)> action)
{
    m_shown = nullptr;
    whenModal(action);
    m_form->valueEditors()->PValueButtonClick();
}

void tst_ValueEditors::valuesShowInFullAtTheDefaultSize()
{
    // The window as a first start opens it; the values of the sample, then a
    // font name as long as a value can be.
    QCOMPARE(m_form->size(), QSize(700, 400));
    ProfileGrid *grid = m_form->ProfileGridView();
    const auto check = [grid](const QString &when) {
        QStyleOptionViewItem option;
        option.initFrom(grid);
        option.font = grid->font();
        option.fontMetrics = grid->fontMetrics();
        const int column = grid->header()->sectionSize(ProfileGridModel::ValueColumn);
        const QAbstractItemModel *shown = grid->model();
        QStringList types;
        for (int section = 0; section < shown->rowCount(); ++section) {
            const QModelIndex group = shown->index(section, 0);
            for (int row = 0; row < shown->rowCount(group); ++row) {
                const QModelIndex value = shown->index(row, ProfileGridModel::ValueColumn, group);
                types << value.data(ProfileGridModel::TypeRole).toString();
                const int needed = grid->itemDelegateForIndex(value)->sizeHint(option, value).width();
                QVERIFY2(needed <= column, qPrintable(QStringLiteral("%1: %2 needs %3 of %4")
                                                          .arg(when, value.data().toString())
                                                          .arg(needed)
                                                          .arg(column)));
            }
        }
        QVERIFY(types.contains(QLatin1String("color")) && types.contains(QLatin1String("font")));
        // The captions keep a column of their own.
        QVERIFY(grid->header()->sectionSize(ProfileGridModel::ParameterColumn) >= 48);
    };
    check(QStringLiteral("sample"));
    setValue(QStringLiteral("titleFont"), QStringLiteral("Bitstream Vera Serif"));
    QCOMPARE(value(QStringLiteral("titleFont")).size(), 20);
    QCoreApplication::processEvents(); // the columns follow the new value at the next turn of the loop
    check(QStringLiteral("long font name"));
}

void tst_ValueEditors::popupsHaveTheirShape()
{
    ValueEditors *editors = m_form->valueEditors();
    const QList<QPair<QDialog *, QSize>> popups = {
        {editors->FormList(), QSize(160, 61)},  {editors->FormFont(), QSize(160, 61)},
        {editors->FormSpin(), QSize(160, 61)},  {editors->FormColor(), QSize(160, 61)},
        {editors->FormFontStyle(), QSize(160, 112)},
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
    for (QWidget *control : std::initializer_list<QWidget *>{
             editors->FormList()->ComboBox(), editors->FormFont()->FontComboBox(), editors->FormSpin()->SpinEdit()}) {
        QVERIFY(control->width() >= 145);
        QVERIFY(control->geometry().bottom() < static_cast<ValuePopup *>(control->window())->BtnOK()->y());
    }
    QCOMPARE(editors->FormColor()->ColorPick()->size(), QSize(39, 22));
    TFormFontStyle *style = editors->FormFontStyle();
    QVERIFY(style->CheckBoxBold()->y() < style->CheckBoxItalic()->y());
    QVERIFY(style->CheckBoxItalic()->y() < style->CheckBoxUnderline()->y());
    QCOMPARE(style->CheckBoxBold()->x(), style->CheckBoxUnderline()->x());
    QVERIFY(style->CheckBoxUnderline()->mapTo(style, QPoint(0, style->CheckBoxUnderline()->height())).y()
            <= style->BtnOK()->mapTo(style, QPoint()).y());
    QCOMPARE(editors->FormFont()->FontComboBox()->FontTypes(), ftTrueTypeAnsi | ftTrueTypeSymbol);
}

void tst_ValueEditors::listWithTheKeyboard()
{
    focus(QStringLiteral("chartType"));
    QStringList choices;
    QString preselected;
    edit([&](QWidget *) {
        QComboBox *box = m_form->valueEditors()->FormList()->ComboBox();
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
        QComboBox *box = m_form->valueEditors()->FormList()->ComboBox();
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
        QSpinBox *spin = m_form->valueEditors()->FormSpin()->SpinEdit();
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
    QTest::newRow("C") << "-10,10" << "7" << "C" << "" << "7" << "7";
    QTest::newRow("C negative") << "-10,10" << "-5" << "C" << "" << "-5" << "-5";
    QTest::newRow("C typed") << "-10,10" << "7" << "C" << "-3" << "7" << "-3";
    QTest::newRow("sv_SE negative") << "-10,10" << "-5" << "sv_SE" << "" << minus + "5" << "-5";
    QTest::newRow("sv_SE typed") << "-10,10" << "0" << "sv_SE" << "-3" << "0" << "-3";
    QTest::newRow("ar_EG") << "-10,10" << "7" << "ar_EG" << "" << arabic("7") << "7";
    QTest::newRow("ar_EG negative") << "-10,10" << "-5" << "ar_EG" << "" << arabicMinus + arabic("5") << "-5";
    QTest::newRow("ar_EG typed") << "-10,10" << "7" << "ar_EG" << arabic("3") << arabic("7") << "3";
    QTest::newRow("ar_EG typed negative") << "-10,10" << "7" << "ar_EG" << "-" + arabic("4") << arabic("7") << "-4";
    QTest::newRow("ar_EG above the maximum") << "0,60" << "250" << "ar_EG" << "" << arabic("60") << "60";
    QTest::newRow("de_DE") << "-2000,2000" << "-1500" << "de_DE" << "" << "-1500" << "-1500";
    QTest::newRow("de_DE typed") << "0,100000" << "5" << "de_DE" << "12345" << "5" << "12345";
    QTest::newRow("minimum above maximum, below both") << "10,0" << "-4" << "C" << "" << "10" << "10";
    QTest::newRow("minimum above maximum, between") << "10,0" << "5" << "C" << "" << "10" << "10";
    QTest::newRow("minimum above maximum, above both") << "10,0" << "250" << "C" << "" << "0" << "0";
    QTest::newRow("minimum above maximum, sv_SE") << "10,-10" << "3" << "sv_SE" << "" << "10" << "10";
    // One bound on the first use: the maximum is still 0.
    QTest::newRow("one bound, first use") << "5" << "3" << "C" << "" << "5" << "5";
    QTest::newRow("equal bounds do not limit") << "3,3" << "250" << "C" << "" << "250" << "250";
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
    restart(R"(<root>root<s>Section<size type="spin" values=")" + domain.toUtf8() + R"(">Size</size></s></root>)",
            "&size=" + stored.toUtf8() + "\r\n");
    focus(QStringLiteral("size"));
    QString shown;
    edit([&](QWidget *popup) {
        QSpinBox *spin = m_form->valueEditors()->FormSpin()->SpinEdit();
        shown = spin->text();
        for (const QChar c : typed) // any character, as a keyboard layout of the locale types it
            QTest::sendKeyEvent(QTest::Click, spin, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->BtnOK(), Qt::LeftButton);
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
        m_form->valueEditors()->PValueButtonClick();
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
        TColorPickCombo *pick = m_form->valueEditors()->FormColor()->ColorPick();
        QCOMPARE(QApplication::focusWidget(), pick);
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        TColorPickerForm *palette = TColorPickerForm::instance();
        QVERIFY(QTest::qWaitForWindowActive(palette));
        // Escape in the palette closes the palette only.
        QTest::keyClick(palette->focusWidget(), Qt::Key_Escape);
        QVERIFY(!palette->isVisible());
        QVERIFY(m_form->valueEditors()->FormColor()->isVisible());
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowActive(palette));
        darkRedPressed = palette->colorButton(10)->isChecked();
        QTest::keyClick(palette->focusWidget(), Qt::Key_Right); // #808000
        QTest::keyClick(palette->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(m_form->valueEditors()->FormColor()->isActiveWindow());
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
        TFormFontStyle *form = m_form->valueEditors()->FormFontStyle();
        checked = {form->CheckBoxBold()->isChecked(), form->CheckBoxItalic()->isChecked(),
                   form->CheckBoxUnderline()->isChecked()};
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
        shown = m_form->valueEditors()->FormFont()->FontComboBox()->currentText();
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QCOMPARE(shown, QStringLiteral("DejaVu Sans"));
    QCOMPARE(value(QStringLiteral("titleFont")), QStringLiteral(" DejaVu Sans "));
    QVERIFY(!m_form->document().isModified());

    // A different font chosen with the keyboard is written by its name.
    QString expected;
    edit([&](QWidget *) {
        TscFontComboBox *box = m_form->valueEditors()->FormFont()->FontComboBox();
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
        TscFontComboBox *box = m_form->valueEditors()->FormFont()->FontComboBox();
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
        TscFontComboBox *box = m_form->valueEditors()->FormFont()->FontComboBox();
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
        TscFontComboBox *box = m_form->valueEditors()->FormFont()->FontComboBox();
        shownAtOpen = box->currentText();
        if (action == QLatin1String("list")) {
            QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(box->view()->isVisible());
            box->view()->setCurrentIndex(box->model()->index(box->findText(earlier), 0));
            QTest::keyClick(box->view(), Qt::Key_Return);
            QTRY_VERIFY(!box->entries()->isOpen());
        }
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->BtnOK(), Qt::LeftButton);
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

void tst_ValueEditors::popupOpensBesideTheGrid()
{
    focus(QStringLiteral("chartType"));
    ProfileGrid *grid = m_form->ProfileGridView();
    const PopupPosition position = m_form->valueEditors()->popupPosition();
    const QRect row = grid->visualRect(grid->currentIndex());
    QCOMPARE(position.rowHeight, row.height());
    QCOMPARE(position.focusedRow, row.top() / row.height());
    QCOMPARE(position.gridWidth, grid->width());
    const QPoint offset = grid->mapTo(m_form.get(), QPoint(0, 0));
    QCOMPARE(position.anchor, grid->mapToGlobal(QPoint(offset.y(), offset.x())));

    QPoint at;
    int height = 0;
    edit([&](QWidget *popup) {
        at = popup->pos();
        height = popup->height();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QCOMPARE(at, position.topLeft(height, m_form->frameGeometry().bottom() + 1));
    QCOMPARE(at.x(), position.anchor.x() + grid->width() - 64);
}

void tst_ValueEditors::popupMovesUpAtTheMainWindowsBottom()
{
    // The last row of the grid: its popup would pass the main window's bottom.
    // The grid reaches down to the status bar once the Problems panel is hidden.
    m_form->ItemProblems->setChecked(false);
    m_form->layout()->activate();
    focus(QStringLiteral("series3Color"));
    ProfileGrid *grid = m_form->ProfileGridView();
    grid->scrollTo(grid->currentIndex());
    const PopupPosition position = m_form->valueEditors()->popupPosition();
    const int mainBottom = m_form->frameGeometry().y() + m_form->frameGeometry().height();
    const int plainTop = position.anchor.y() + (position.focusedRow + 2) * position.rowHeight;
    QPoint at;
    int height = 0;
    edit([&](QWidget *popup) {
        at = popup->pos();
        height = popup->height();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QVERIFY(plainTop + height > mainBottom);
    QCOMPARE(at.y(), plainTop - height);
}

void tst_ValueEditors::buttonAndKeyOpenTheFocusedRow()
{
    ProfileGrid *grid = m_form->ProfileGridView();
    const QModelIndex cell =
        grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("titleAlign")),
                                                                       ProfileGridModel::ValueColumn));
    grid->scrollTo(cell);
    const QPoint button = ProfileGridDelegate::buttonRect(grid->visualRect(cell)).center();
    QString opened;
    whenModal([&](QWidget *popup) {
        opened = popup->objectName();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, button);
    QTRY_COMPARE(opened, QStringLiteral("FormList"));
    QCOMPARE(grid->currentRecord(), recordOf(QStringLiteral("titleAlign")));

    focus(QStringLiteral("titleColor"));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    grid->setFocus();
    opened.clear();
    whenModal([&](QWidget *popup) {
        opened = popup->objectName();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(opened, QStringLiteral("FormColor"));
}

void tst_ValueEditors::inPlaceEditThenEscapeKeepsDocument()
{
    ProfileGrid *grid = m_form->ProfileGridView();
    const QModelIndex cell =
        grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("margin")),
                                                                       ProfileGridModel::ValueColumn));
    grid->setCurrentIndex(cell); // opens the in-place editor
    QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
    QString opened;
    whenModal([&](QWidget *popup) {
        opened = popup->objectName();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(opened, QStringLiteral("FormSpin"));
    // The popup is gone: whatever Escape would post has been posted.
    QTRY_VERIFY(!QApplication::activeModalWidget() && !QApplication::activePopupWidget());
    QVERIFY(!m_form->document().isModified());
}

void tst_ValueEditors::typedValueReachesThePopup_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Ctrl+Enter") << "ctrl+enter";
    QTest::newRow("Alt+Down") << "alt+down";
    QTest::newRow("one click on the button") << "button";
}

void tst_ValueEditors::typedValueReachesThePopup()
{
    QFETCH(QString, how);
    ProfileGrid *grid = m_form->ProfileGridView();
    const QModelIndex cell =
        grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("margin")),
                                                                       ProfileGridModel::ValueColumn));
    grid->scrollTo(cell);
    grid->setFocus();
    grid->setCurrentIndex(cell); // opens the in-place editor
    QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("3"));
    QCOMPARE(value(QStringLiteral("margin")), QStringLiteral("10")); // not posted yet

    QString shown;
    whenModal([&](QWidget *popup) {
        shown = m_form->valueEditors()->FormSpin()->SpinEdit()->text();
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->BtnOK(), Qt::LeftButton);
    });
    if (how == QLatin1String("button"))
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          ProfileGridDelegate::buttonRect(grid->visualRect(cell)).center());
    else if (how == QLatin1String("alt+down"))
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    else
        QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QCOMPARE(shown, QStringLiteral("3"));
    QCOMPARE(value(QStringLiteral("margin")), QStringLiteral("3"));
    QVERIFY(styleTxt().contains("&margin=3\r\n"));
}

namespace {
// The delegate's look of a cell, as the grid draws it.
struct DelegateProbe : ProfileGridDelegate
{
    QStyleOptionViewItem look(const QModelIndex &index) const
    {
        QStyleOptionViewItem option;
        initStyleOption(&option, index);
        return option;
    }
};
} // namespace

void tst_ValueEditors::valueCellsShowTheirMeaning()
{
    setValue(QStringLiteral("bgColor"), QStringLiteral("0x800000"));
    setValue(QStringLiteral("titleStyle"), QStringLiteral("5"));
    ProfileGrid *grid = m_form->ProfileGridView();
    auto cell = [&](const char *key) {
        return grid->proxy()->mapFromSource(
            grid->gridModel()->indexOfRecord(recordOf(QLatin1String(key)), ProfileGridModel::ValueColumn));
    };
    const DelegateProbe probe;

    const QStyleOptionViewItem color = probe.look(cell("bgColor"));
    QVERIFY(color.features.testFlag(QStyleOptionViewItem::HasDecoration));
    const QImage swatch = color.icon.pixmap(color.decorationSize).toImage();
    QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0x80, 0, 0));
    QCOMPARE(color.text, QStringLiteral("0x800000"));

    QCOMPARE(probe.look(cell("titleFont")).font.families().value(0), value(QStringLiteral("titleFont")));
    QCOMPARE(probe.look(cell("titleStyle")).text, QStringLiteral("5 (Bold, Underline)"));
    // The stored value stays the number.
    QCOMPARE(cell("titleStyle").data(Qt::EditRole).toString(), QStringLiteral("5"));
    QVERIFY(!probe.look(cell("borderWidth")).features.testFlag(QStyleOptionViewItem::HasDecoration));
}

void tst_ValueEditors::boldMeansDiffersFromTheProfile()
{
    // The bundled style.txt holds the bundled profile's defaults: nothing stands out.
    ProfileGrid *grid = m_form->ProfileGridView();
    const ParameterTable &table = m_form->document().table();
    const DelegateProbe probe;
    auto bold = [&](int record) {
        return probe.look(grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(record)))
            .font.bold();
    };
    QStringList boldRows;
    for (int i = 0; i < table.count(); ++i) {
        if (bold(i))
            boldRows << table.record(i).pName() + QLatin1Char('=') + table.record(i).pDefault();
    }
    QCOMPARE(boldRows, QStringList());

    for (const auto &[key, changed] : {std::pair{"yMin", "0"}, std::pair{"titleSize", "17"}, std::pair{"titleText", ""}}) {
        const QString original = value(QLatin1String(key));
        setValue(QLatin1String(key), QLatin1String(changed));
        QVERIFY2(bold(recordOf(QLatin1String(key))), key);
        setValue(QLatin1String(key), original);
        QVERIFY2(!bold(recordOf(QLatin1String(key))), key);
    }
}

QTEST_MAIN(tst_ValueEditors)
#include "tst_valueeditors.moc"

#include "editors/ColorPopup.h"
#include "editors/FontPopup.h"
#include "support/EditingWindowTest.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/FontComboBox.h"
#include "widgets/FontSampleWindow.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

// The value popups and the pickers' windows of a main window placed near the
// edges of two screens side by side (1280 x 800, then 1024 x 768): each
// opens wholly on the screen that holds the grid.
class tst_PopupScreens : public EditingWindowTest
{
    Q_OBJECT

public:
    static void initMain()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TREVIX_TEST_DATA "/two-screens.json");
    }

private:
    QRect gridScreen() const
    {
        ProfileGrid *grid = m_form->profileGrid();
        return QGuiApplication::screenAt(grid->mapToGlobal(grid->rect().center()))
                ->availableGeometry();
    }

    void verifyOnGridScreen(const QWidget *window, const char *what)
    {
        const QRect screen = gridScreen();
        QVERIFY2(screen.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the screen %6,%7 %8x%9")
                                    .arg(QLatin1String(what))
                                    .arg(window->frameGeometry().x())
                                    .arg(window->frameGeometry().y())
                                    .arg(window->frameGeometry().width())
                                    .arg(window->frameGeometry().height())
                                    .arg(screen.x())
                                    .arg(screen.y())
                                    .arg(screen.width())
                                    .arg(screen.height())));
    }

private slots:
    void initTestCase()
    {
        m_locale = QLocale();
        QCOMPARE(QGuiApplication::screens().size(), 2);
    }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void popupsStayOnTheGridsScreen_data();
    void popupsStayOnTheGridsScreen();
};

void tst_PopupScreens::popupsStayOnTheGridsScreen_data()
{
    QTest::addColumn<QPoint>("windowAt");
    QTest::addColumn<QString>("row");
    // The grid's right edge a few pixels short of the next screen.
    QTest::newRow("left screen, grid at its right edge") << QPoint(985, 100) << "bgColor";
    QTest::newRow("right screen, grid at its right edge") << QPoint(2010, 100) << "bgColor";
    // The window reaches below the screen; the row's popup would too.
    QTest::newRow("right screen, window past its bottom") << QPoint(1500, 520) << "titleColor";
}

void tst_PopupScreens::popupsStayOnTheGridsScreen()
{
    QFETCH(QPoint, windowAt);
    QFETCH(QString, row);
    m_form->move(windowAt);
    QTRY_COMPARE(m_form->pos(), windowAt);
    focus(row);
    m_form->profileGrid()->scrollTo(m_form->profileGrid()->currentIndex());

    // The colour popup and its palette, opened with the picker's own button.
    edit([this](QWidget *popup) {
        verifyOnGridScreen(popup, "colour popup");
        ColorPickerButton *pick = static_cast<ColorPopup *>(popup)->colorPick();
        QTest::mouseClick(pick, Qt::LeftButton);
        ColorPalettePopup *palette = ColorPalettePopup::instance();
        QTRY_VERIFY(palette->isVisible());
        verifyOnGridScreen(palette, "palette");
        QTest::keyClick(palette, Qt::Key_Escape);
        QTRY_VERIFY(!palette->isVisible());
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());

    // The font popup, its open list and the sample window beside it.
    focus(QStringLiteral("titleFont"));
    edit([this](QWidget *popup) {
        verifyOnGridScreen(popup, "font popup");
        FontComboBox *box = static_cast<FontPopup *>(popup)->fontComboBox();
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(box->view()->isVisible());
        verifyOnGridScreen(box->view()->window(), "font list");
        verifyOnGridScreen(box->preview(), "font sample");
        QTest::keyClick(box->view(), Qt::Key_Escape);
        QTRY_VERIFY(!box->view()->isVisible());
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTRY_VERIFY(m_shown && !m_shown->isVisible());
    QVERIFY(!m_form->document().isModified());
}

QTEST_MAIN(tst_PopupScreens)
#include "tst_popupscreens.moc"

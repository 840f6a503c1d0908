#include "editors/NumberPopup.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfileGridDelegate.h"
#include "editors/ProfilePanel.h"
#include "editors/ValuePopup.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "settings/WindowStateStore.h"
#include "support/EditingWindowTest.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

// The parameter grid in the main window: where its popups open, how a
// row's popup is reached, what its value cells show.
class tst_ProfileGrid : public EditingWindowTest
{
    Q_OBJECT

    // Where the focused row's popup shows: opened, looked at, closed.
    QRect shownPopup()
    {
        QRect shown;
        edit([&shown](QWidget *popup) {
            shown = popup->geometry();
            QTest::keyClick(popup, Qt::Key_Escape);
        });
        return shown;
    }

private slots:
    void initTestCase() { m_locale = QLocale(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void valuesShowInFullAtTheDefaultSize();
    void valueColumnFollowsTheWidestValue();
    void popupOpensBesideTheGrid();
    void popupMovesUpAtTheMainWindowsBottom();
    void buttonAndKeyOpenTheFocusedRow();
    void inPlaceEditThenEscapeKeepsDocument();
    void typedValueReachesThePopup_data();
    void typedValueReachesThePopup();
    void valueCellsShowTheirMeaning();
    void boldMeansDiffersFromTheProfile();
    void filterTypingWritesNoValue_data();
    void filterTypingWritesNoValue();
    void widerPreviewKeepsCaptionsReadable();
};

void tst_ProfileGrid::valuesShowInFullAtTheDefaultSize()
{
    // The window as a first start opens it; the values of the sample, then a
    // font name as long as a value can be.
    QCOMPARE(m_form->size(), QSize(700, 400));
    ProfileGrid *grid = m_form->profileGrid();
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
                const int needed
                        = grid->itemDelegateForIndex(value)->sizeHint(option, value).width();
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

void tst_ProfileGrid::valueColumnFollowsTheWidestValue()
{
    // An edit measures only its own value: the column widens for a value
    // wider than all others and gives the room back when that value narrows.
    ProfileGrid *grid = m_form->profileGrid();
    QCoreApplication::processEvents();
    const int captions = grid->header()->sectionSize(ProfileGridModel::ParameterColumn);
    const int needed = grid->valueContentWidth();
    const QString font = value(QStringLiteral("titleFont"));

    setValue(QStringLiteral("titleFont"), QStringLiteral("Bitstream Vera Serif"));
    QCoreApplication::processEvents();
    QVERIFY(grid->valueContentWidth() > needed);
    QVERIFY(grid->header()->sectionSize(ProfileGridModel::ParameterColumn) < captions);

    setValue(QStringLiteral("titleFont"), font);
    QCoreApplication::processEvents();
    QCOMPARE(grid->valueContentWidth(), needed);
    QCOMPARE(grid->header()->sectionSize(ProfileGridModel::ParameterColumn), captions);
}

void tst_ProfileGrid::popupOpensBesideTheGrid()
{
    focus(QStringLiteral("chartType"));
    ProfileGrid *grid = m_form->profileGrid();
    const PopupPosition position = m_form->valueEditors()->popupPosition();
    const QRect row = grid->visualRect(grid->currentIndex());
    QCOMPARE(position.rowHeight, row.height());
    QCOMPARE(position.focusedRow, row.top() / row.height());
    QCOMPARE(position.gridWidth, grid->width());
    const QPoint offset = grid->mapTo(m_form.get(), QPoint(0, 0));
    QCOMPARE(position.anchor, grid->mapToGlobal(QPoint(offset.y(), offset.x())));

    const QRect shown = shownPopup();
    const QPoint at = shown.topLeft();
    const int height = shown.height();
    QCOMPARE(at, position.topLeft(shown.size(), m_form->frameGeometry().bottom() + 1));
    QCOMPARE(at.x(), position.anchor.x() + grid->width() - 64);
}

void tst_ProfileGrid::popupMovesUpAtTheMainWindowsBottom()
{
    // The last row of the grid: its popup would pass the main window's bottom.
    // The grid reaches down to the status bar once the Problems panel is hidden.
    m_form->problemsAction()->setChecked(false);
    m_form->layout()->activate();
    focus(QStringLiteral("series3Color"));
    ProfileGrid *grid = m_form->profileGrid();
    grid->scrollTo(grid->currentIndex());
    const PopupPosition position = m_form->valueEditors()->popupPosition();
    const int mainBottom = m_form->frameGeometry().y() + m_form->frameGeometry().height();
    const int plainTop = position.anchor.y() + (position.focusedRow + 2) * position.rowHeight;
    const QRect shown = shownPopup();
    const QPoint at = shown.topLeft();
    const int height = shown.height();
    QVERIFY(plainTop + height > mainBottom);
    QCOMPARE(at.y(), plainTop - height);
}

void tst_ProfileGrid::buttonAndKeyOpenTheFocusedRow()
{
    ProfileGrid *grid = m_form->profileGrid();
    const QModelIndex cell = grid->proxy()->mapFromSource(
            grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("titleAlign")),
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

void tst_ProfileGrid::inPlaceEditThenEscapeKeepsDocument()
{
    ProfileGrid *grid = m_form->profileGrid();
    const QModelIndex cell = grid->proxy()->mapFromSource(
            grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("margin")),
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

void tst_ProfileGrid::typedValueReachesThePopup_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Ctrl+Enter") << "ctrl+enter";
    QTest::newRow("Alt+Down") << "alt+down";
    QTest::newRow("one click on the button") << "button";
}

void tst_ProfileGrid::typedValueReachesThePopup()
{
    QFETCH(QString, how);
    ProfileGrid *grid = m_form->profileGrid();
    const QModelIndex cell = grid->proxy()->mapFromSource(
            grid->gridModel()->indexOfRecord(recordOf(QStringLiteral("margin")),
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
        shown = m_form->valueEditors()->formSpin()->spinEdit()->text();
        QTest::mouseClick(static_cast<ValuePopup *>(popup)->okButton(), Qt::LeftButton);
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

void tst_ProfileGrid::valueCellsShowTheirMeaning()
{
    setValue(QStringLiteral("bgColor"), QStringLiteral("0x800000"));
    setValue(QStringLiteral("titleStyle"), QStringLiteral("5"));
    ProfileGrid *grid = m_form->profileGrid();
    auto cell = [&](const char *key) {
        return grid->proxy()->mapFromSource(
                grid->gridModel()->indexOfRecord(recordOf(QLatin1String(key)),
                                                 ProfileGridModel::ValueColumn));
    };
    const DelegateProbe probe;

    const QStyleOptionViewItem color = probe.look(cell("bgColor"));
    QVERIFY(color.features.testFlag(QStyleOptionViewItem::HasDecoration));
    const QImage swatch = color.icon.pixmap(color.decorationSize).toImage();
    QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(0x80, 0, 0));
    QCOMPARE(color.text, QStringLiteral("0x800000"));

    QCOMPARE(probe.look(cell("titleFont")).font.families().value(0),
             value(QStringLiteral("titleFont")));
    QCOMPARE(probe.look(cell("titleStyle")).text, QStringLiteral("5 (Bold, Underline)"));
    // The stored value stays the number.
    QCOMPARE(cell("titleStyle").data(Qt::EditRole).toString(), QStringLiteral("5"));
    QVERIFY(!probe.look(cell("borderWidth")).features.testFlag(QStyleOptionViewItem::HasDecoration));
}

void tst_ProfileGrid::boldMeansDiffersFromTheProfile()
{
    // The bundled style.txt holds the bundled profile's defaults: nothing stands out.
    ProfileGrid *grid = m_form->profileGrid();
    const ParameterTable &table = m_form->document().table();
    const DelegateProbe probe;
    auto bold = [&](int record) {
        return probe.look(grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(record)))
                .font.bold();
    };
    QStringList boldRows;
    for (int i = 0; i < table.count(); ++i) {
        if (bold(i))
            boldRows << table.record(i).name() + QLatin1Char('=') + table.record(i).value();
    }
    QCOMPARE(boldRows, QStringList());

    for (const auto &[key, changed] :
         {std::pair{"yMin", "0"}, std::pair{"titleSize", "17"}, std::pair{"titleText", ""}}) {
        const QString original = value(QLatin1String(key));
        setValue(QLatin1String(key), QLatin1String(changed));
        QVERIFY2(bold(recordOf(QLatin1String(key))), key);
        setValue(QLatin1String(key), original);
        QVERIFY2(!bold(recordOf(QLatin1String(key))), key);
    }
}

void tst_ProfileGrid::filterTypingWritesNoValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("byShortcut");
    QTest::addColumn<bool>("refreshWhileTyping");
    const int value = ProfileGridModel::ValueColumn;
    const int caption = ProfileGridModel::ParameterColumn;
    QTest::newRow("value cell, row the first key hides") << "gridColor" << value << false << false;
    QTest::newRow("value cell, row a later key hides") << "numberFormat" << value << true << false;
    QTest::newRow("value cell, section the first key hides")
            << "legendBg" << value << true << false;
    QTest::newRow("value cell of the row left shown") << "margin" << value << false << false;
    QTest::newRow("caption cell") << "gridColor" << caption << false << false;
    // The preview reloads meanwhile (at start-up, after a file is opened).
    QTest::newRow("value cell, preview refreshed") << "margin" << value << false << true;
    QTest::newRow("caption cell, preview refreshed") << "margin" << caption << true << true;
}

void tst_ProfileGrid::filterTypingWritesNoValue()
{
    QFETCH(QString, key);
    QFETCH(int, column);
    QFETCH(bool, byShortcut);
    QFETCH(bool, refreshWhileTyping);
    // The first refresh, shortly after the window shows, is over.
    QTRY_VERIFY(!m_form->openTimer().isActive());
    ProfileGrid *grid = m_form->profileGrid();
    QLineEdit *filter = m_form->profilePanel()->filterBox();
    QStringList values;
    for (int i = 0; i < m_form->document().table().count(); ++i)
        values << m_form->document().table().record(i).value();
    const QByteArray file = styleTxt();

    // A click on the cell's text makes its row current; on a value it opens
    // the cell's editor, which Escape closes again.
    const QModelIndex cell = grid->proxy()->mapFromSource(
            grid->gridModel()->indexOfRecord(recordOf(key), column));
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(cell).topLeft() + QPoint(6, 4));
    QCOMPARE(grid->currentRecord(), recordOf(key));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    if (byShortcut)
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
    else
        QTest::mouseClick(filter, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), filter);
    // Typed key by key, each to whatever has the focus then.
    for (const QChar c : QStringLiteral("Margin")) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        if (refreshWhileTyping && c == QLatin1Char('M'))
            m_form->refreshPreview();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();

    QCOMPARE(QApplication::focusWidget(), filter);
    QCOMPARE(filter->text(), QStringLiteral("Margin"));
    QStringList after;
    for (int i = 0; i < m_form->document().table().count(); ++i)
        after << m_form->document().table().record(i).value();
    QCOMPARE(after, values);
    QCOMPARE(styleTxt(), file);
    QVERIFY(!m_form->document().isModified());
    // Status panel 1 names no parameter the filter hid.
    const int current = grid->currentRecord();
    QVERIFY(current < 0 || current == recordOf(QStringLiteral("margin")));
    QCOMPARE(m_form->statusPanel(1)->text(),
             current < 0 ? QString() : QStringLiteral("Chart : Margin = 10"));
}

void tst_ProfileGrid::widerPreviewKeepsCaptionsReadable()
{
    // A movie almost as wide as the window: the preview takes what the grid can give.
    m_form->stateStore()->writeStoredValue(QStringLiteral("SWFWidth"), 650);
    m_form->refreshPreview();
    ProfileGrid *grid = m_form->profileGrid();
    QTRY_VERIFY(m_form->playerPanel()->width() < 650);
    QCoreApplication::processEvents();
    // The first word of every caption shows in full, beside every value in full.
    const int captionColumn = grid->header()->sectionSize(ProfileGridModel::ParameterColumn);
    const QAbstractItemModel *shown = grid->model();
    for (int section = 0; section < shown->rowCount(); ++section) {
        const QModelIndex group = shown->index(section, 0);
        for (int row = 0; row < shown->rowCount(group); ++row) {
            const QModelIndex caption = shown->index(row, ProfileGridModel::ParameterColumn, group);
            const QString firstWord = caption.data().toString().section(QLatin1Char(' '), 0, 0);
            const int needed = grid->indentation()
                               + grid->fontMetrics().horizontalAdvance(firstWord + QChar(0x2026))
                               + 8;
            QVERIFY2(needed <= captionColumn, qPrintable(QStringLiteral("%1 needs %2 of %3")
                                                                 .arg(firstWord)
                                                                 .arg(needed)
                                                                 .arg(captionColumn)));
        }
    }
    QVERIFY(grid->header()->sectionSize(ProfileGridModel::ValueColumn) >= grid->valueContentWidth());
}

QTEST_MAIN(tst_ProfileGrid)
#include "tst_profilegrid.moc"

#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ProblemsPanel.h"
#include "editors/FontPopup.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfileGridDelegate.h"
#include "editors/ProfilePanel.h"
#include "help/ChmBrowser.h"
#include "help/ChmFile.h"
#include "help/HelpViewer.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "style/ProblemListModel.h"
#include "style/StyleComparison.h"
#include "style/StyleDocument.h"
#include "support/AppDirTestCase.h"
#include "support/EditorWindows.h"
#include "support/GroupBoxTitle.h"
#include "support/TestPrompts.h"
#include "widgets/ColorButton.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/FontComboBox.h"
#include "widgets/ReadableColor.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeView>

#include <functional>
#include <memory>

namespace {

// The dark colours of Qt's Fusion style (those its standard palette takes
// on a dark desktop, and that applications commonly set).
QPalette fusionDark()
{
    const QColor window(53, 53, 53);
    QPalette dark;
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(255, 255, 255, 128));
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Light, window.lighter(150));
    dark.setColor(QPalette::Midlight, window.lighter(125));
    dark.setColor(QPalette::Mid, window.darker(130));
    dark.setColor(QPalette::Dark, window.darker(150));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::LinkVisited, QColor(42, 130, 218).darker());
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    return dark;
}

// What a piece of text is drawn on and in: the background is the colour
// most pixels of its area have, the text the pixel that stands out most.
struct Ink
{
    QColor background;
    QColor text;
    double ratio = 1;
};

Ink inkOf(const QImage &image, const QRect &area)
{
    const QRect inside = area & image.rect();
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    Ink ink;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            ink.background = QColor::fromRgb(it.key());
        }
    }
    ink.text = ink.background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = ReadableColor::contrast(ink.background, QColor::fromRgb(it.key()));
        if (ratio > ink.ratio) {
            ink.ratio = ratio;
            ink.text = QColor::fromRgb(it.key());
        }
    }
    return ink;
}

QString described(const QString &what, const Ink &ink)
{
    return QStringLiteral("%1: %2 on %3, %4:1")
            .arg(what, ink.text.name(), ink.background.name())
            .arg(ink.ratio, 0, 'f', 2);
}

// The part of a control where its text is drawn, in its own coordinates;
// empty for a control that shows no text.
QRect textArea(QWidget *w)
{
    QStyle *style = w->style();
    if (qobject_cast<ColorPickerButton *>(w))
        return {};
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text().isEmpty() ? QRect() : label->contentsRect();
    if (auto *check = qobject_cast<QCheckBox *>(w)) {
        QStyleOptionButton option;
        option.initFrom(check);
        option.text = check->text();
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->text().isEmpty()
                       ? QRect()
                       : style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto *tool = qobject_cast<QToolButton *>(w))
        return tool->text().isEmpty()
                               || (!tool->icon().isNull()
                                   && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                       ? QRect()
                       : tool->rect().adjusted(3, 3, -3, -3);
    if (auto *box = qobject_cast<QGroupBox *>(w))
        return groupBoxTitleRect(box);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text().isEmpty() && edit->placeholderText().isEmpty()
                       ? QRect()
                       : edit->contentsRect().adjusted(2, 2, -2, -2);
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable() || combo->currentText().isEmpty())
            return {}; // the line edit inside shows it
        QStyleOptionComboBox option;
        option.initFrom(combo);
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                     combo);
    }
    return {};
}

} // namespace

// Under a dark colour scheme every text of the editor stays readable: each
// is drawn, and measured in the pixels, with a contrast of at least 4.5:1
// to what it is drawn on; colour swatches keep a visible frame. Run once
// with Fusion's dark colours set by the test, and once under the desktop's
// dark scheme (TREVIX_DESKTOP_SCHEME set: GTK's dark Adwaita under Xvfb).
class tst_DarkScheme : public AppDirTestCase
{
    Q_OBJECT

    // Every text of the window's controls.
    static void verifyControls(QWidget *window)
    {
        const QImage image = window->grab().toImage();
        int measured = 0;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(window) || !w->isEnabled() || w->window() != window)
                continue;
            const QRect area = textArea(w);
            if (area.isEmpty())
                continue;
            const Ink ink = inkOf(image, QRect(w->mapTo(window, area.topLeft()), area.size()));
            const QString name = w->objectName().isEmpty()
                                         ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
            QVERIFY2(ink.ratio >= ReadableColor::TextContrast, qPrintable(described(name, ink)));
            ++measured;
        }
        QVERIFY(measured > 0);
    }

    // The text part of each cell of the view's rows: left of a value button,
    // right of a swatch.
    static void verifyRows(QAbstractItemView *view, const QList<int> &columns, const QString &what)
    {
        // Grabbed with its window, which paints the view as the screen shows it.
        const QImage image = view->window()->grab().toImage();
        const QPoint offset = view->viewport()->mapTo(view->window(), QPoint(0, 0));
        const QAbstractItemModel *model = view->model();
        int measured = 0;
        std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                for (int column : columns) {
                    const QModelIndex index = model->index(row, column, parent);
                    QRect area = view->visualRect(index);
                    if (!view->viewport()->rect().contains(area)
                        || index.data().toString().isEmpty())
                        continue;
                    area.translate(offset);
                    if (ProfileGridDelegate::hasButton(index))
                        area.setRight(ProfileGridDelegate::buttonRect(area).left() - 1);
                    if (index.data(ProfileGridModel::TypeRole).toString() == u"color")
                        area.setLeft(area.left() + view->fontMetrics().height() + 4);
                    const Ink ink = inkOf(image, area.adjusted(2, 1, -2, -1));
                    QVERIFY2(ink.ratio >= ReadableColor::TextContrast,
                             qPrintable(described(what + u' ' + index.data().toString(), ink)));
                    ++measured;
                }
                walk(model->index(row, 0, parent));
            }
        };
        walk({});
        QVERIFY2(measured > 0, qPrintable(what));
    }

    static QModelIndex gridIndex(ProfileGrid *grid, int record, int column)
    {
        return grid->proxy()->mapFromSource(grid->gridModel()->indexOfRecord(record, column));
    }

    static int recordOf(MainWindow &form, const char *key)
    {
        const ParameterTable &table = form.document().table();
        for (int i = 0; i < table.count(); ++i) {
            if (table.record(i).name() == QLatin1String(key))
                return i;
        }
        return -1;
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("TREVIX_DESKTOP_SCHEME")) {
            // The desktop's scheme must have come through, or the run tests nothing.
            const QPalette palette = QApplication::palette();
            QVERIFY2(palette.color(QPalette::Window).lightness()
                             < palette.color(QPalette::WindowText).lightness(),
                     "the desktop's scheme is not dark");
            // As the editor takes it (TrevixApplication).
            ReadableColor::makeApplicationReadable();
        } else {
            QApplication::setPalette(fusionDark());
        }
    }

    void dialogsAndPopups_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString &name : EditorWindows::names())
            QTest::newRow(qPrintable(name)) << name;
    }

    void dialogsAndPopups()
    {
        QFETCH(QString, window);
        const EditorWindows windows(m_appDir->dir());
        QWidget *made = windows.make(window);
        const std::unique_ptr<QWidget> owned = EditorWindows::owned(window, made);
        made->show();
        QVERIFY(QTest::qWaitForWindowExposed(made));
        verifyControls(made);

        // The frame of each colour square shows on the palette's background.
        if (window == u"Colour palette") {
            const QImage image = made->grab().toImage();
            const QColor background = made->palette().color(QPalette::Window);
            for (int i = 0; i <= ColorPalettePopup::CustomIndex; ++i) {
                const QWidget *button = static_cast<ColorPalettePopup *>(made)->colorButton(i);
                const QPoint corner = button->mapTo(made, QPoint((button->width() - 14) / 2,
                                                                 (button->height() - 14) / 2));
                const QColor frame = image.pixelColor(corner);
                QVERIFY2(ReadableColor::contrast(frame, background) >= 3,
                         qPrintable(QStringLiteral("square %1: frame %2 on %3")
                                            .arg(i)
                                            .arg(frame.name(), background.name())));
            }
            made->hide();
        }
    }

    // The font list shows the fonts picked before in their own colour.
    void usedFontsInTheList()
    {
        FontPopup popup;
        FontComboBox *box = popup.fontComboBox();
        box->setFontName(QStringLiteral("DejaVu Sans"));
        box->setFontName(QStringLiteral("DejaVu Serif"));
        popup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        box->showPopup();
        QAbstractItemView *list = box->view();
        QTRY_VERIFY(list->isVisible());
        const QImage image = list->viewport()->grab().toImage();
        QVERIFY(box->entries()->usedCount() > 0);
        for (int row = 0; row < box->entries()->usedCount() + 1; ++row) {
            const QRect area = list->visualRect(list->model()->index(row, 0)).adjusted(20, 1, 0, -1);
            const Ink ink = inkOf(image, area);
            QVERIFY2(ink.ratio >= ReadableColor::TextContrast,
                     qPrintable(described(QStringLiteral("row %1").arg(row), ink)));
        }
        box->hidePopup();
    }

    // Captions, values, section rows, the selected and highlighted rows, a
    // value with a kept byte, the swatches; the Problems and Compare panels.
    void mainWindowAndPanels()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.resize(1200, 1800); // every row in sight
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QColor base = form.palette().color(QPalette::Base);
        const QString swatchLikeBase = QStringLiteral("0x%1").arg(base.rgb() & 0xFFFFFF, 6, 16,
                                                                  QLatin1Char('0'));
        form.documentCommands().openStyleFile(
                m_appDir->write(QStringLiteral("dark.stl"),
                                "&titleText=\xFC\r\n&bgColor=" + swatchLikeBase.toLatin1()
                                        + "\r\n&titleColor=0x112233\r\n&unknownKey=1\r\n"));
        prompts.openName = m_appDir->write(QStringLiteral("other.stl"),
                                           "&titleText=Other\r\n&titleColor=0xAABBCC\r\n");
        form.compareAction()->trigger();
        if (!form.problemsAction()->isChecked())
            form.problemsAction()->trigger();
        QTRY_VERIFY(form.problemsPanel()->isVisible());
        QTRY_VERIFY(form.comparePanel()->isVisible());

        ProfileGrid *grid = form.profileGrid();
        const int title = recordOf(form, "titleText");
        const int background = recordOf(form, "bgColor");
        QVERIFY(title >= 0 && background >= 0);
        grid->setFocus();
        grid->setCurrentRecord(recordOf(form, "titleColor"));
        grid->gridModel()->setHighlighted({background, recordOf(form, "titleFont")});
        QTRY_VERIFY(grid->currentRecord() >= 0);

        verifyRows(grid, {ProfileGridModel::ParameterColumn, ProfileGridModel::ValueColumn},
                   QStringLiteral("grid"));
        verifyRows(form.problemsPanel()->view(),
                   {ProblemListModel::LineColumn, ProblemListModel::KeyColumn,
                    ProblemListModel::MessageColumn},
                   QStringLiteral("problem"));
        verifyRows(form.comparePanel()->view(),
                   {StyleComparison::ParameterColumn, StyleComparison::ThisColumn,
                    StyleComparison::ThatColumn},
                   QStringLiteral("difference"));
        verifyControls(&form);

        const QImage image = form.grab().toImage();
        const QPoint offset = grid->viewport()->mapTo(&form, QPoint(0, 0));
        // The kept byte: a box in the text's colour with the character in the background's.
        const QRect titleValue = grid->visualRect(
                                             gridIndex(grid, title, ProfileGridModel::ValueColumn))
                                         .translated(offset);
        const Ink cell = inkOf(image, titleValue.adjusted(2, 1, -titleValue.height() - 4, -1));
        QVERIFY2(cell.ratio >= ReadableColor::TextContrast, qPrintable(described("box", cell)));
        QRect box;
        for (int y = titleValue.top(); y <= titleValue.bottom(); ++y)
            for (int x = titleValue.left(); x < titleValue.right() - titleValue.height(); ++x)
                if (image.pixelColor(x, y) == cell.text)
                    box |= QRect(x, y, 1, 1);
        const Ink inBox = inkOf(image, box.adjusted(1, 1, -1, -1));
        QVERIFY2(inBox.background == cell.text && inBox.ratio >= ReadableColor::TextContrast,
                 qPrintable(described("character in the box", inBox)));

        // The swatch of a colour like the grid's own background shows by its frame.
        const QRect swatchRow = grid->visualRect(gridIndex(grid, background,
                                                           ProfileGridModel::ValueColumn))
                                        .translated(offset);
        const Ink swatch = inkOf(image,
                                 QRect(swatchRow.topLeft(), QSize(grid->fontMetrics().height() + 4,
                                                                  swatchRow.height())));
        QVERIFY2(swatch.ratio >= 3, qPrintable(described("swatch frame", swatch)));
    }

    // Help pages: headings, text, examples, tables, notes and links.
    void helpPages_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("style files") << "StyleFiles.html";
        QTest::newRow("profile format") << "ProfileFormat.html";
        QTest::newRow("getting started") << "GettingStarted.html";
    }

    void helpPages()
    {
        QFETCH(QString, topic);
        HelpViewer viewer(std::make_unique<ChmFile>(
                QStringLiteral(TREVIX_BUILD_APP_DIR "/TrevixStyleEditor.chm")));
        viewer.resize(900, 2400);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.showTopic(topic);
        ChmBrowser *browser = viewer.browser();
        QTRY_COMPARE(browser->currentTopic(), topic);
        const QImage image = browser->viewport()->grab().toImage();
        int links = 0;
        int measured = 0;
        for (QTextBlock block = browser->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.text().trimmed().isEmpty())
                    continue;
                // The fragment's first line.
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position());
                const QRect start = browser->cursorRect(cursor);
                int end = fragment.position() + 1;
                for (; end < fragment.position() + fragment.length(); ++end) {
                    cursor.setPosition(end);
                    if (browser->cursorRect(cursor).top() != start.top())
                        break;
                }
                cursor.setPosition(end - 1);
                const QRect last = browser->cursorRect(cursor);
                const QRect area(start.topLeft(), QPoint(last.right() + 4, start.bottom()));
                if (!image.rect().contains(area))
                    continue;
                const Ink ink = inkOf(image, area);
                QVERIFY2(ink.ratio >= ReadableColor::TextContrast,
                         qPrintable(described(fragment.text().left(30), ink)));
                links += fragment.charFormat().isAnchor();
                ++measured;
            }
        }
        QVERIFY(measured > 5);
        if (topic != u"StyleFiles.html")
            QVERIFY(links > 0);
    }
};

QTEST_MAIN(tst_DarkScheme)
#include "tst_darkscheme.moc"

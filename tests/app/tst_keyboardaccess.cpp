#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ProblemsPanel.h"
#include "editors/ColorPopup.h"
#include "editors/ProfileGrid.h"
#include "editors/ValueEditors.h"
#include "editors/ValuePopup.h"
#include "help/ChmFile.h"
#include "help/HelpViewer.h"
#include "params/ProfileGridModel.h"
#include "support/AppDirTestCase.h"
#include "support/EditorWindows.h"
#include "support/TestPrompts.h"
#include "support/WindowUnderTest.h"
#include "widgets/ColorButton.h"
#include "widgets/ColorPickerButton.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// The editor by keyboard alone and through an assistive technology's eyes:
// Tab reaches every control of each dialog and popup, Enter confirms and
// Escape cancels; every control has an accessible name; the grid tells each
// row's section, caption and value and offers its value button as an action.
class tst_KeyboardAccess : public AppDirTestCase
{
    Q_OBJECT

    // The controls a user works with: Qt's own inner parts of compound
    // controls and the preview's page are theirs.
    static QList<QWidget *> controls(QWidget *window)
    {
        QList<QWidget *> found;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(window) || !w->isEnabled() || w->window() != window
                || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()
                || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            bool inner = false;
            for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
                inner |= qobject_cast<QComboBox *>(up) || qobject_cast<QAbstractSpinBox *>(up)
                         || up->objectName() == QLatin1String("ShockwaveFlash");
            if (!inner)
                found << w;
        }
        return found;
    }

    static QString nameOf(const QWidget *w)
    {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    }

    static void verifyNamed(QWidget *window)
    {
        const QList<QWidget *> found = controls(window);
        QVERIFY(!found.isEmpty());
        for (QWidget *w : found) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(iface, qPrintable(nameOf(w)));
            QVERIFY2(!iface->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(nameOf(w) + " has no accessible name"));
        }
        QAccessibleInterface *windowIface = QAccessible::queryAccessibleInterface(window);
        QVERIFY2(!windowIface->text(QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(nameOf(window) + " has no accessible name"));
    }

    static void loadWindow(WindowUnderTest &form, TestAppDir &appDir, TestPrompts &prompts)
    {
        form.open(appDir.dir());
        form->documentCommands().setPrompts(prompts);
        form->show();
        form->documentCommands().openStyleFile(
                appDir.write(QStringLiteral("look.stl"),
                             "&bgColor=0x112233\r\n&titleStyle=3\r\n&unknownKey=1\r\n"));
    }

    static int recordOf(MainWindow &form, const char *key)
    {
        return form.document().table().indexOfKey(QLatin1String(key));
    }

private slots:
    void windows_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString &name : EditorWindows::names())
            QTest::newRow(qPrintable(name)) << name;
    }

    // Tab walks round every control and back; each has a name.
    void windows()
    {
        QFETCH(QString, window);
        const EditorWindows windows(m_appDir->dir());
        QWidget *made = windows.make(window);
        const std::unique_ptr<QWidget> owned = EditorWindows::owned(window, made);
        if (window == u"Colour palette")
            static_cast<ColorPalettePopup *>(made)->colorButton(0)->setFocus();
        made->show();
        made->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(made));
        verifyNamed(made);

        const QList<QWidget *> all = controls(made);
        QTRY_VERIFY(QApplication::focusWidget());
        QWidget *start = QApplication::focusWidget();
        QSet<QWidget *> reached;
        for (int step = 0; step <= all.size(); ++step) {
            QWidget *focused = QApplication::focusWidget();
            reached << focused;
            QTest::keyClick(focused, Qt::Key_Tab);
            if (QApplication::focusWidget() == start)
                break;
        }
        QCOMPARE(QApplication::focusWidget(), start); // round, not stuck
        for (QWidget *w : all) {
            QWidget *takes = w->focusProxy() ? w->focusProxy() : w;
            QVERIFY2(reached.contains(takes), qPrintable(nameOf(w) + " is not reached by Tab"));
        }
        made->hide();
    }

    void confirmAndCancel_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        for (const char *name : {"Options", "List popup", "Font popup", "Number popup",
                                 "Colour popup", "Font style popup"}) {
            QTest::addRow("%s, Enter", name)
                    << name << int(Qt::Key_Return) << int(QDialog::Accepted);
            QTest::addRow("%s, Escape", name)
                    << name << int(Qt::Key_Escape) << int(QDialog::Rejected);
        }
        QTest::addRow("About, Enter") << "About" << int(Qt::Key_Return) << int(QDialog::Rejected);
        QTest::addRow("About, Escape") << "About" << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    // From the control that has the focus when the window opens.
    void confirmAndCancel()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(int, result);
        const EditorWindows windows(m_appDir->dir());
        auto *dialog = static_cast<QDialog *>(windows.make(window));
        const std::unique_ptr<QWidget> owned(dialog);
        QSignalSpy finished(dialog, &QDialog::finished);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QVERIFY(!dialog->isVisible());
    }

    // The palette: Enter takes the colour in focus, Escape leaves it.
    void palette()
    {
        ColorPopup popup;
        ColorPickerButton *pick = popup.colorPick();
        pick->setActiveColor(ColorRefs::Black);
        popup.show();
        popup.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&popup));
        ColorPalettePopup *palette = ColorPalettePopup::instance();
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(palette->isVisible());
        QTest::keyClick(palette->focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!palette->isVisible());
        QCOMPARE(pick->activeColor(), ColorRefs::Black);
        QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(palette->isVisible());
        QTest::keyClick(palette->focusWidget(), Qt::Key_Right);
        QTest::keyClick(palette->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!palette->isVisible());
        QVERIFY(pick->activeColor() != ColorRefs::Black);
    }

    // The main window with its panels and the help viewer: every control named.
    void mainWindowAndHelp()
    {
        TestPrompts prompts;
        WindowUnderTest form;
        loadWindow(form, *m_appDir, prompts);
        prompts.openName = m_appDir->write(QStringLiteral("other.stl"), "&titleStyle=1\r\n");
        form->compareAction()->trigger();
        form->problemsAction()->setChecked(true);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_VERIFY(form->comparePanel()->isVisible() && form->problemsPanel()->isVisible());
        verifyNamed(form.get());

        HelpViewer viewer(std::make_unique<ChmFile>(
                QStringLiteral(TREVIX_BUILD_APP_DIR "/TrevixStyleEditor.chm")));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        verifyNamed(&viewer);
    }

    // Every command of the menus is reached from the keyboard: each menu by
    // its letter, each entry by the arrow keys, and Enter runs it.
    void menusByKeyboard()
    {
        TestPrompts prompts;
        WindowUnderTest form;
        loadWindow(form, *m_appDir, prompts);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QSet<QChar> letters;
        for (QMenu *menu :
             {form->fileMenu(), form->editMenu(), form->viewMenu(), form->aboutMenu()}) {
            const QString title = menu->title();
            const qsizetype amp = title.indexOf(u'&');
            QVERIFY2(amp >= 0 && amp + 1 < title.size(), qPrintable(title));
            const QChar letter = title.at(amp + 1).toUpper();
            QVERIFY2(!letters.contains(letter), qPrintable(title));
            letters << letter;
        }

        // View, Problems: Alt+V, down to the entry, Enter.
        QVERIFY(!form->problemsAction()->isChecked());
        QTest::keyClick(form->profileGrid(), Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(form->viewMenu()->isVisible());
        for (int step = 0; step < 10 && form->viewMenu()->activeAction() != form->problemsAction();
             ++step)
            QTest::keyClick(form->viewMenu(), Qt::Key_Down);
        QCOMPARE(form->viewMenu()->activeAction(), form->problemsAction());
        QTest::keyClick(form->viewMenu(), Qt::Key_Return);
        QTRY_VERIFY(form->problemsAction()->isChecked());
        QTRY_VERIFY(!form->viewMenu()->isVisible());
    }

    // What the grid tells: each row's caption and value, its section, and the
    // value button as an action that opens the popup.
    void gridToAssistiveTechnology()
    {
        TestPrompts prompts;
        WindowUnderTest form;
        loadWindow(form, *m_appDir, prompts);
        ProfileGrid *grid = form->profileGrid();
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(grid);
        QCOMPARE(tree->role(), QAccessible::Tree);
        QCOMPARE(tree->text(QAccessible::Name), QStringLiteral("Parameters"));

        QAccessibleInterface *caption = nullptr;
        QAccessibleInterface *value = nullptr;
        QAccessibleInterface *section = nullptr;
        for (int i = 0; i < tree->childCount(); ++i) {
            QAccessibleInterface *cell = tree->child(i);
            QVERIFY(cell);
            QCOMPARE(tree->indexOfChild(cell), i);
            QCOMPARE(cell->parent(), tree);
            if (cell->text(QAccessible::Name) == u"Background color") {
                caption = cell;
                value = tree->child(i + 1);
            }
            if (cell->text(QAccessible::Name) == u"Chart" && cell->role() == QAccessible::TreeItem)
                section = cell;
        }
        QVERIFY(caption && value && section);
        QCOMPARE(value->text(QAccessible::Name), QStringLiteral("0x112233"));
        QCOMPARE(caption->text(QAccessible::Description),
                 QStringLiteral("Value 0x112233, section Chart"));
        QCOMPARE(value->text(QAccessible::Description),
                 QStringLiteral("Value of Background color, section Chart"));
        QVERIFY(section->state().expanded);

        // Collapsing the section through its action hides its rows from the tree.
        const int before = tree->childCount();
        section->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!grid->isExpanded(grid->model()->index(0, 0)) || tree->childCount() < before);
        section->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(tree->childCount(), before);

        // The focused row's cell is the tree's focus child.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        grid->setFocus();
        grid->setCurrentRecord(recordOf(*form, "titleStyle"));
        QAccessibleInterface *focused = tree->focusChild();
        QVERIFY(focused && focused->state().focused);
        QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("Title style"));
        QCOMPARE(tree->child(tree->indexOfChild(focused) + 1)->text(QAccessible::Name),
                 QStringLiteral("3 (Bold, Italic)"));

        // The press action is the value button: the colour popup opens for the row.
        QAccessibleActionInterface *press = value->actionInterface();
        QVERIFY(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QVERIFY(!press->localizedActionName(QAccessibleActionInterface::pressAction()).isEmpty());
        QSignalSpy clicked(grid, &ProfileGrid::valueButtonClicked);
        // The popup runs modal: a timer looks for it and closes it with Escape.
        bool shown = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            ValuePopup *popup = form->valueEditors()->formColor();
            if (!popup->isVisible() || !popup->isActiveWindow())
                return;
            shown = popup->windowTitle() == u"Background color";
            closer.stop();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        closer.start(10);
        press->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), recordOf(*form, "bgColor"));
        QTRY_VERIFY(shown);
        QTRY_VERIFY(!form->valueEditors()->formColor()->isVisible());
        QCOMPARE(grid->currentRecord(), recordOf(*form, "bgColor"));
    }
};

QTEST_MAIN(tst_KeyboardAccess)
#include "tst_keyboardaccess.moc"

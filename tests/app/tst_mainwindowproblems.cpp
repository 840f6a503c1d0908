#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ProblemsPanel.h"
#include "app/ValueHistory.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfilePanel.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "style/ProblemListModel.h"
#include "support/AppDirTestCase.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTreeView>

// The Problems panel in the main window: filled on Open, a chosen problem
// selects its parameter in the grid, and its visibility is kept.
class tst_MainWindowProblems : public AppDirTestCase
{
    Q_OBJECT

private:
    static int recordOf(MainWindow &form, const QString &key)
    {
        return form.document().table().indexOfKey(key);
    }
    static QStringList keysListed(MainWindow &form)
    {
        QStringList keys;
        const QAbstractItemModel *model = form.problemsPanel()->view()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            keys << model->index(row, ProblemListModel::KeyColumn).data().toString();
        return keys;
    }
    static void activate(MainWindow &form, int row, const QString &how)
    {
        QTreeView *view = form.problemsPanel()->view();
        const QModelIndex index = view->model()->index(row, ProblemListModel::MessageColumn);
        if (how == QLatin1String("double-click")) {
            // Through the window, as the platform delivers a user's double-click.
            const QPoint at = view->viewport()->mapTo(view->window(),
                                                      view->visualRect(index).center());
            QTest::mouseDClick(view->window()->windowHandle(), Qt::LeftButton, {}, at);
        } else {
            view->setFocus();
            view->setCurrentIndex(index);
            QTest::keyClick(view, how == QLatin1String("Enter") ? Qt::Key_Enter : Qt::Key_Return);
        }
    }

private slots:

    void choosingAProblemSelectsItsParameter_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("hiding"); // what hides the parameter's row before the choice

        for (const char *how : {"double-click", "Return", "Enter"}) {
            QTest::addRow("%s, row shown", how) << how << "";
            QTest::addRow("%s, filtered out by text", how) << how << "text";
            QTest::addRow("%s, filtered out as unmodified", how) << how << "modified";
            QTest::addRow("%s, section collapsed", how) << how << "collapsed";
        }
    }

    void choosingAProblemSelectsItsParameter()
    {
        QFETCH(QString, how);
        QFETCH(QString, hiding);
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        form.problemsAction()->setChecked(true);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The sample's default title size, so "Show only modified" hides it.
        const QString file = m_appDir->write(
                QStringLiteral("odd.stl"),
                "&titleSize=16\r\n&titleSize=99\r\n&bgColour=0xFFFFFF\r\n&chartType=bar\r\n");
        form.documentCommands().openStyleFile(file);
        QCOMPARE(keysListed(form), (QStringList{"&titleSize", "&bgColour"}));

        ProfilePanel *panel = form.profilePanel();
        ProfileGrid *grid = form.profileGrid();
        const int titleSize = recordOf(form, QStringLiteral("titleSize"));
        grid->setCurrentRecord(recordOf(form, QStringLiteral("bgColor")));
        if (hiding == QLatin1String("text"))
            panel->filterBox()->setText(QStringLiteral("legend"));
        else if (hiding == QLatin1String("modified"))
            panel->showModifiedAction()->setChecked(true);
        else if (hiding == QLatin1String("collapsed"))
            grid->collapse(grid->proxy()
                                   ->mapFromSource(grid->gridModel()->indexOfRecord(titleSize))
                                   .parent());
        const QModelIndex before = grid->proxy()->mapFromSource(
                grid->gridModel()->indexOfRecord(titleSize));
        QCOMPARE(before.isValid() && grid->isExpanded(before.parent()), hiding.isEmpty());

        activate(form, 0, how);
        QCOMPARE(grid->currentRecord(), titleSize);
        QVERIFY(panel->filterBox()->text().isEmpty());
        QVERIFY(!panel->showModifiedAction()->isChecked());
        QVERIFY(grid->isExpanded(grid->currentIndex().parent()));
        QVERIFY(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
        QVERIFY(grid->hasFocus());
        QCOMPARE(form.statusPanel(1)->text(), QStringLiteral("Title : Title size = 16"));
    }

    void aKeyTheProfileDoesNotKnowSelectsNothing()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        form.problemsAction()->setChecked(true);
        form.documentCommands().openStyleFile(
                m_appDir->write(QStringLiteral("odd.stl"), "&bgColour=0x000000\r\n"));
        QCOMPARE(keysListed(form), QStringList{"&bgColour"});
        QVERIFY(form.problemsPanel()
                        ->view()
                        ->model()
                        ->index(0, ProblemListModel::MessageColumn)
                        .data()
                        .toString()
                        .endsWith(QStringLiteral("(Save will not keep this line)")));
        ProfileGrid *grid = form.profileGrid();
        const int margin = recordOf(form, QStringLiteral("margin"));
        grid->setCurrentRecord(margin);
        activate(form, 0, QStringLiteral("Return"));
        QCOMPARE(grid->currentRecord(), margin);
    }

    void editsInTheGridUpdateTheList()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        form.documentCommands().openStyleFile(
                m_appDir->write(QStringLiteral("line.stl"), "&chartType=line\r\n&margin=5\r\n"));
        QVERIFY(keysListed(form).isEmpty());
        ProfileGrid *grid = form.profileGrid();
        const auto value = [&](const QString &key) {
            return grid->proxy()->mapFromSource(
                    grid->gridModel()->indexOfRecord(recordOf(form, key),
                                                     ProfileGridModel::ValueColumn));
        };
        QVERIFY(grid->model()->setData(value(QStringLiteral("margin")), QStringLiteral("61")));
        QCOMPARE(keysListed(form), QStringList{"&margin"});
        QVERIFY(grid->model()->setData(value(QStringLiteral("lineStyle")), QStringLiteral("wavy")));
        QCOMPARE(keysListed(form), (QStringList{"&margin", "&lineStyle"}));
        form.history()->undo();
        form.history()->undo();
        QVERIFY(keysListed(form).isEmpty());
    }

    void visibilityIsAViewSwitchThatIsKept()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            QVERIFY(form.viewMenu()->actions().contains(form.problemsAction()));
            // Closed at the first start, so the chart has its room.
            QVERIFY(!form.problemsAction()->isChecked());
            QVERIFY(!form.problemsPanel()->isVisible());
            form.problemsAction()->trigger();
            QVERIFY(form.problemsPanel()->isVisible());
            // The dock's own close button unchecks the menu entry.
            form.problemsPanel()->close();
            QVERIFY(!form.problemsAction()->isChecked());
            form.problemsAction()->trigger();
            QVERIFY(form.problemsPanel()->isVisible());
            form.problemsAction()->trigger();
            QVERIFY(!form.problemsPanel()->isVisible());
            QVERIFY(form.close());
        }
        QCOMPARE(QSettings(m_appDir->settingsPath(), QSettings::IniFormat)
                         .value(QStringLiteral(
                                 "SOFTWARE/Melbrin/TrevixStyleEditor/ItemProblems_Checked"))
                         .toString(),
                 QStringLiteral("False"));
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QVERIFY(!form.problemsAction()->isChecked());
        QVERIFY(!form.problemsPanel()->isVisible());
    }
};

QTEST_MAIN(tst_MainWindowProblems)
#include "tst_mainwindowproblems.moc"

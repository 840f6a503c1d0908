#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/RecentFileList.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"
#include "support/TestGrid.h"
#include "support/TestPrompts.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

// The status bar and the toolbar as the user meets them: hints beside the
// document's state, the current parameter after New, buttons that stay put.
class tst_MainWindowStatus : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_appDir;
    std::unique_ptr<ReportedErrors> m_errors;
    WindowUnderTest m_form;
    TestPrompts m_prompts;

    // The title text made current and edited, so the document is modified.
    void editTitleText()
    {
        ProfileGrid *grid = m_form->profileGrid();
        const QModelIndex value = valueIndexOf(*m_form, QStringLiteral("titleText"));
        grid->setCurrentIndex(value.siblingAtColumn(ProfileGridModel::ParameterColumn));
        QVERIFY(grid->model()->setData(value, QStringLiteral("Revenue")));
        QTRY_COMPARE(m_form->statusPanel(0)->text(), QStringLiteral("Modified"));
        QCOMPARE(m_form->statusPanel(1)->text(), QStringLiteral("Title : Title text = Revenue"));
    }

    // Where the toolbar's buttons are, laid out anew.
    QList<QRect> buttonPlaces() const
    {
        QToolBar *bar = m_form->toolBar();
        bar->layout()->activate();
        QList<QRect> places;
        for (QAction *action : bar->actions()) {
            if (QWidget *button = bar->widgetForAction(action))
                places << button->geometry();
        }
        return places;
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestAppDir>();
        m_errors = std::make_unique<ReportedErrors>();
        m_prompts = TestPrompts();
        m_form.open(m_appDir->dir(), QStringList());
        m_form->documentCommands().setPrompts(m_prompts);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup()
    {
        m_form.reset();
        m_errors->verifyNoneShown();
        m_errors.reset();
        m_appDir.reset();
    }

    void hintsKeepTheDocumentState()
    {
        editTitleText();
        QWidget *save = m_form->toolBar()->widgetForAction(m_form->saveAction());
        QTest::mouseMove(save);
        QTRY_COMPARE(m_form->statusPanel(1)->text(), QStringLiteral("Save"));
        QVERIFY(m_form->statusPanel(0)->isVisible());
        QCOMPARE(m_form->statusPanel(0)->text(), QStringLiteral("Modified"));
        // Once the pointer leaves, the current parameter is back.
        QTest::mouseMove(m_form->profileGrid()->viewport());
        QTRY_COMPARE(m_form->statusPanel(1)->text(),
                     QStringLiteral("Title : Title text = Revenue"));
        QVERIFY(m_form->statusPanel(0)->isVisible());
    }

    void newShowsTheCurrentValue_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("No: values cleared") << int(DocumentPrompts::No) << "Title : Title text = ";
        QTest::newRow("Cancel: values kept")
                << int(DocumentPrompts::Cancel) << "Title : Title text = Revenue";
    }

    void newShowsTheCurrentValue()
    {
        QFETCH(int, answer);
        QFETCH(QString, shown);
        editTitleText();
        m_prompts.answer = DocumentPrompts::Answer(answer);
        m_form->newAction()->trigger();
        QCOMPARE(m_prompts.asked.size(), 1);
        QCOMPARE(m_form->statusPanel(1)->text(), shown);
    }

    void toolbarButtonsStayWhenRecentFilesComeAndGo()
    {
        const QList<QRect> places = buttonPlaces();
        QToolButton *open = m_form->openButton();
        QCOMPARE(open->popupMode(), QToolButton::MenuButtonPopup);

        const QString blue = m_appDir->write(QStringLiteral("blue.stl"), "&titleText=Blue\r\n");
        m_form->documentCommands().openStyleFile(blue);
        QCOMPARE(m_form->recentFiles()->items().size(), 1);
        QCOMPARE(buttonPlaces(), places);
        QStringList offered;
        for (QAction *action : open->menu()->actions()) {
            if (action->isVisible() && action->isEnabled())
                offered << action->text();
        }
        QCOMPARE(offered, QStringList{QStringLiteral("&1 ") + blue});

        m_form->recentFiles()->clear();
        QCOMPARE(buttonPlaces(), places);
        QCOMPARE(open->popupMode(), QToolButton::MenuButtonPopup);
    }
};

QTEST_MAIN(tst_MainWindowStatus)
#include "tst_mainwindowstatus.moc"

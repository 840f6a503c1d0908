#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "base/ErrorReport.h"
#include "help/AboutDialog.h"
#include "help/ChmBrowser.h"
#include "help/HelpRouter.h"
#include "help/HelpViewer.h"
#include "help/HelpViewerSet.h"
#include "help/HtmlHelp.h"
#include "help/ShellOpen.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// The Help command and the About box of the main window, started on the
// sample profile in a temporary application folder.
class tst_MainWindowHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void helpOpensTheManualWithItsContents();
    void helpWithoutTheManualDoesNothing();
    void settingsTopicClosesWithItsRouter();
    void settingsTopicTakesClicksWhileOptionsIsOpen();
    void aboutShowsTheAboutBox();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
    ErrorReport::Handler m_previous;
};

void tst_MainWindowHelp::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char *name : {"Style.xml", "style.txt"}) {
        const QString target = m_dir->filePath(QLatin1String(name));
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    m_reported.clear();
    m_previous = ErrorReport::setHandler([this](const QString &message) { m_reported << message; });
}

void tst_MainWindowHelp::cleanup()
{
    shellHelpViewers().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ErrorReport::setHandler(m_previous);
    m_dir.reset();
}

void tst_MainWindowHelp::helpOpensTheManualWithItsContents()
{
    QVERIFY(QFile::copy(QStringLiteral(TREVIX_HELP_FILE),
                        m_dir->filePath("TrevixStyleEditor.chm")));
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    QCOMPARE(form.helpAction()->shortcut(), QKeySequence(Qt::Key_F1));
    form.helpAction()->trigger();

    const QList<HelpViewer *> viewers = shellHelpViewers().viewers();
    QCOMPARE(viewers.size(), 1);
    HelpViewer *viewer = viewers.first();
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Welcome.html"));
    QVERIFY(viewer->contentsTree()->topLevelItemCount() >= 8);
    QVERIFY(!viewer->contentsTree()
                     ->findItems("Settings", Qt::MatchExactly | Qt::MatchRecursive)
                     .isEmpty());

    form.helpAction()->trigger(); // the same window comes to the front
    QCOMPARE(shellHelpViewers().viewers().size(), 1);
    QVERIFY(m_reported.isEmpty());
}

void tst_MainWindowHelp::helpWithoutTheManualDoesNothing()
{
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.helpAction()->trigger();
    QVERIFY(shellHelpViewers().viewers().isEmpty());
    QVERIFY(m_reported.isEmpty());
}

void tst_MainWindowHelp::settingsTopicClosesWithItsRouter()
{
    const QString chm = m_dir->filePath(HelpRouter::helpFileName);
    QVERIFY(QFile::copy(QStringLiteral(TREVIX_HELP_FILE), chm));
    for (int use = 0; use < 2; ++use) { // a second router works once the first is gone
        auto router = std::make_unique<HelpRouter>();
        router->setHelpType(HelpType::HtmlHelp);
        QVERIFY(router->showTopic(chm, QStringLiteral("Settings.html")));
        QCOMPARE(HtmlHelp::viewers().viewers().size(), 1);
        QPointer<HelpViewer> viewer = HtmlHelp::viewers().viewers().first();
        QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Area size")));

        router.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(viewer.isNull());
    }
}

// The Help button of the modal Options dialog opens the Settings topic in a
// viewer that takes the user's clicks (sent through the window system, which
// drops them for windows a modal dialog blocks); it closes with the dialog.
void tst_MainWindowHelp::settingsTopicTakesClicksWhileOptionsIsOpen()
{
    QVERIFY(QFile::copy(QStringLiteral(TREVIX_HELP_FILE),
                        m_dir->filePath(HelpRouter::helpFileName)));
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QPointer<HelpViewer> viewer;
    bool indexShown = false;
    QString topicAfterClick;
    QTimer::singleShot(0, &form, [&] {
        auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
        if (!options)
            return;
        options->findChild<QPushButton *>(QStringLiteral("BtnHelp"))->click();
        if (HtmlHelp::viewers().viewers().size() == 1) {
            viewer = HtmlHelp::viewers().viewers().first();
            if (QTest::qWaitForWindowExposed(viewer)
                && viewer->browser()->currentTopic() == QLatin1String("Settings.html")) {
                QTabBar *tabs = viewer->tabs()->tabBar();
                const QPoint indexTab = tabs->mapTo(viewer, tabs->tabRect(1).center());
                QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, indexTab);
                indexShown = viewer->tabs()->currentIndex() == 1;
                // An index entry of another topic than the one on show.
                QListWidget *index = viewer->indexList();
                for (int row = 0; row < index->count() && topicAfterClick.isEmpty(); ++row) {
                    const QString topic = index->item(row)->data(Qt::UserRole).toString();
                    if (topic.isEmpty() || topic.contains(QLatin1String("Settings.html")))
                        continue;
                    index->scrollToItem(index->item(row));
                    const QPoint entry
                            = index->viewport()
                                      ->mapTo(viewer,
                                              index->visualItemRect(index->item(row)).center());
                    QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, entry);
                    topicAfterClick = viewer->browser()->currentTopic();
                }
            }
        }
        QTest::keyClick(options, Qt::Key_Escape);
    });
    form.optionsAction()->trigger();
    QVERIFY(indexShown);
    QVERIFY(!topicAfterClick.isEmpty());
    QVERIFY(topicAfterClick != QLatin1String("Settings.html"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(viewer.isNull()); // closed with the dialog
    QVERIFY(m_reported.isEmpty());
}

void tst_MainWindowHelp::aboutShowsTheAboutBox()
{
    StyleDocument document;
    MainWindow form(document, m_dir->path(), {});
    QPointer<AboutDialog> shown;
    QTimer::singleShot(0, &form, [&] {
        shown = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
        if (shown)
            QTest::keyClick(shown, Qt::Key_Escape);
    });
    form.aboutAction()->trigger();
    QVERIFY(shown.isNull()); // it was there, and it is freed after closing
    QVERIFY(m_reported.isEmpty());
}

QTEST_MAIN(tst_MainWindowHelp)
#include "tst_mainwindowhelp.moc"

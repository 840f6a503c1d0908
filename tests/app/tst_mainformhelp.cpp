#include "app/ErrorReport.h"
#include "app/TMainForm.h"
#include "settings/ChmBrowser.h"
#include "settings/HelpViewerSet.h"
#include "settings/HtmlHelp.h"
#include "settings/ShellOpen.h"
#include "settings/TFormAbout.h"
#include "settings/THelpRouter.h"
#include "settings/THtmlHelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// The Help command and the About box of the main window, started on the
// sample profile in a temporary application folder.
class TestMainFormHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void helpOpensTheManualWithItsContents();
    void helpWithoutTheManualDoesNothing();
    void settingsTopicClosesWithItsRouter();
    void aboutShowsTheAboutBox();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
    ErrorReport::Handler m_previous;
};

void TestMainFormHelp::init()
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

void TestMainFormHelp::cleanup()
{
    shellHelpViewers().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ErrorReport::setHandler(m_previous);
    m_dir.reset();
}

void TestMainFormHelp::helpOpensTheManualWithItsContents()
{
    QVERIFY(QFile::copy(QStringLiteral(TREVIX_HELP_FILE), m_dir->filePath("TrevixStyleEditor.chm")));
    TMainForm form(m_dir->path(), {});
    QCOMPARE(form.AHelp->shortcut(), QKeySequence(Qt::Key_F1));
    form.AHelp->trigger();

    const QList<THtmlHelpViewer *> viewers = shellHelpViewers().viewers();
    QCOMPARE(viewers.size(), 1);
    THtmlHelpViewer *viewer = viewers.first();
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Welcome.html"));
    QVERIFY(viewer->contentsTree()->topLevelItemCount() >= 8);
    QVERIFY(!viewer->contentsTree()->findItems("Settings", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());

    form.AHelp->trigger(); // the same window comes to the front
    QCOMPARE(shellHelpViewers().viewers().size(), 1);
    QVERIFY(m_reported.isEmpty());
}

void TestMainFormHelp::helpWithoutTheManualDoesNothing()
{
    TMainForm form(m_dir->path(), {});
    form.AHelp->trigger();
    QVERIFY(shellHelpViewers().viewers().isEmpty());
    QVERIFY(m_reported.isEmpty());
}

void TestMainFormHelp::settingsTopicClosesWithItsRouter()
{
    const QString chm = m_dir->filePath(THelpRouter::HelpFileName);
    QVERIFY(QFile::copy(QStringLiteral(TREVIX_HELP_FILE), chm));
    for (int use = 0; use < 2; ++use) { // a second router works once the first is gone
        auto router = std::make_unique<THelpRouter>();
        router->setHelpType(htHTMLhelp);
        QVERIFY(router->ShowTopic(chm, QStringLiteral("Settings.html")));
        QCOMPARE(HtmlHelp::viewers().viewers().size(), 1);
        QPointer<THtmlHelpViewer> viewer = HtmlHelp::viewers().viewers().first();
        QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Area size")));

        router.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(viewer.isNull());
    }
}

void TestMainFormHelp::aboutShowsTheAboutBox()
{
    TMainForm form(m_dir->path(), {});
    QPointer<TFormAbout> shown;
    QTimer::singleShot(0, &form, [&] {
        shown = qobject_cast<TFormAbout *>(QApplication::activeModalWidget());
        if (shown)
            QTest::keyClick(shown, Qt::Key_Escape);
    });
    form.ItemAbout->trigger();
    QVERIFY(shown.isNull()); // it was there, and it is freed after closing
    QVERIFY(m_reported.isEmpty());
}

QTEST_MAIN(TestMainFormHelp)
#include "tst_mainformhelp.moc"

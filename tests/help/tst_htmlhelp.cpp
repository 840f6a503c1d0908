#include "help/ChmBrowser.h"
#include "help/HelpViewer.h"
#include "help/HelpViewerSet.h"
#include "help/HtmlHelp.h"
#include "help/ShellOpen.h"
#include "support/TestHelpFile.h"
#include "support/UrlRecorder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

using namespace HtmlHelp;

// The in-app help viewer behind the HTML Help entry point and the shell.
class tst_HtmlHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void displaysTopicsInOneViewerPerFile();
    void displaysTheDefaultTopicAndMissingTopics();
    void missingHelpFileOpensNothing();
    void displaysContentsAndIndex();
    void mapsHelpContexts();
    void showsTextPopups();
    void closeAllClosesOnlyItsOwnViewers();
    void followsLinksInsideAndOutside();
    void shellOpensWebAndMailAddresses();

private:
    QByteArray request(const QString &topic = {}) const
    {
        return QFile::encodeName(topic.isEmpty() ? m_chm : m_chm + "::/" + topic);
    }
    HelpViewer *viewerOf(quintptr window) const { return reinterpret_cast<HelpViewer *>(window); }

    QTemporaryDir m_dir;
    QString m_chm;
    UrlRecorder m_urls;
};

void tst_HtmlHelp::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_chm = buildTestHelpFile(m_dir.path());
    QVERIFY(!m_chm.isEmpty());
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "openUrl");
}

void tst_HtmlHelp::cleanupTestCase()
{
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void tst_HtmlHelp::cleanup()
{
    htmlHelpA(0, nullptr, HH_CLOSE_ALL, 0);
    shellHelpViewers().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_urls.clear();
}

void tst_HtmlHelp::displaysTopicsInOneViewerPerFile()
{
    const quintptr window = htmlHelpA(0, request("Settings.html").constData(), HH_DISPLAY_TOPIC, 0);
    QVERIFY(window != 0);
    HelpViewer *viewer = viewerOf(window);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Test Help"));
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
    QVERIFY(viewer->browser()->toPlainText().contains("Area size"));

    QCOMPARE(htmlHelpA(0, request("Start.html").constData(), HH_DISPLAY_TOPIC, 0), window);
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Start.html"));
    QCOMPARE(HtmlHelp::viewers().viewers().size(), 1);
}

void tst_HtmlHelp::displaysTheDefaultTopicAndMissingTopics()
{
    HelpViewer *viewer = viewerOf(htmlHelpA(0, request().constData(), HH_DISPLAY_TOPIC, 0));
    QVERIFY(viewer);
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Start.html"));

    QVERIFY(htmlHelpA(0, request("Nowhere.html").constData(), HH_DISPLAY_TOPIC, 0) != 0);
    QVERIFY(viewer->browser()->toPlainText().contains("Topic not found"));
}

void tst_HtmlHelp::missingHelpFileOpensNothing()
{
    const QByteArray missing = QFile::encodeName(m_dir.filePath("none.chm") + "::/Settings.html");
    for (unsigned command : {HH_DISPLAY_TOPIC, HH_DISPLAY_TOC, HH_DISPLAY_INDEX, HH_HELP_CONTEXT})
        QCOMPARE(htmlHelpA(0, missing.constData(), command, 0), quintptr(0));
    QVERIFY(HtmlHelp::viewers().viewers().isEmpty());
}

void tst_HtmlHelp::displaysContentsAndIndex()
{
    HelpViewer *viewer = viewerOf(htmlHelpA(0, request().constData(), HH_DISPLAY_TOC, 0));
    QVERIFY(viewer);
    QCOMPARE(viewer->tabs()->currentIndex(), 0);
    QCOMPARE(viewer->contentsTree()->topLevelItemCount(), 1);
    QCOMPARE(viewer->contentsTree()->topLevelItem(0)->child(0)->text(0),
             QStringLiteral("Settings"));
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Start.html"));

    static const char keyword[] = "sett";
    QCOMPARE(viewerOf(htmlHelpA(0, request().constData(), HH_DISPLAY_INDEX, quintptr(keyword))),
             viewer);
    QCOMPARE(viewer->tabs()->currentIndex(), 1);
    QCOMPARE(viewer->indexKeyword()->text(), QStringLiteral("sett"));
    QCOMPARE(viewer->indexList()->currentItem()->text(), QStringLiteral("Settings"));

    // Opening the selected index entry shows its topic.
    QTest::keyClick(viewer->indexKeyword(), Qt::Key_Return);
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
}

void tst_HtmlHelp::mapsHelpContexts()
{
    HelpViewer *viewer = viewerOf(htmlHelpA(0, request().constData(), HH_HELP_CONTEXT, 1050));
    QVERIFY(viewer);
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
    QCOMPARE(htmlHelpA(0, request().constData(), HH_HELP_CONTEXT, 999), quintptr(0));
}

void tst_HtmlHelp::showsTextPopups()
{
    QWidget anchor;
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    HH_POPUP popup;
    popup.idString = 2;
    popup.pt = anchor.mapToGlobal(QPoint(10, 10));
    QVERIFY(htmlHelpA(quintptr(&anchor), request("CSHelp.txt").constData(), HH_DISPLAY_TEXT_POPUP,
                      quintptr(&popup)));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Second popup,\ntwo lines"));

    popup.idString = 99; // no such topic
    QCOMPARE(htmlHelpA(0, request("CSHelp.txt").constData(), HH_DISPLAY_TEXT_POPUP,
                       quintptr(&popup)),
             quintptr(0));
    htmlHelpA(0, nullptr, HH_CLOSE_ALL, 0);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void tst_HtmlHelp::closeAllClosesOnlyItsOwnViewers()
{
    QPointer<HelpViewer> own = viewerOf(htmlHelpA(0, request().constData(), HH_DISPLAY_TOPIC, 0));
    shellOpen(m_chm);
    QCOMPARE(shellHelpViewers().viewers().size(), 1);
    QPointer<HelpViewer> shellViewer = shellHelpViewers().viewers().first();
    QVERIFY(shellViewer != own);
    QVERIFY(shellViewer->isVisible());
    QCOMPARE(shellViewer->tabs()->currentIndex(), 0);

    QCOMPARE(htmlHelpA(0, nullptr, HH_CLOSE_ALL, 0), quintptr(0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(own.isNull());
    QVERIFY(!shellViewer.isNull());
    QVERIFY(shellViewer->isVisible());
}

void tst_HtmlHelp::followsLinksInsideAndOutside()
{
    HelpViewer *viewer = viewerOf(
            htmlHelpA(0, request("Start.html").constData(), HH_DISPLAY_TOPIC, 0));
    emit viewer->browser()->anchorClicked(QUrl("Settings.html"));
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Settings.html"));
    viewer->browser()->backward();
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Start.html"));

    emit viewer->browser()->anchorClicked(QUrl("https://www.melbrin.com/trevix"));
    QCOMPARE(m_urls.urls(), QList<QUrl>{QUrl("https://www.melbrin.com/trevix")});
    QCOMPARE(viewer->browser()->currentTopic(), QStringLiteral("Start.html"));
}

void tst_HtmlHelp::shellOpensWebAndMailAddresses()
{
    shellOpen(QStringLiteral("www.melbrin.com"));
    shellOpen(QStringLiteral("mailto:support@melbrin.com?subject=Trevix"));
    shellOpen(m_dir.filePath("none.chm")); // nothing, silently
    QCOMPARE(m_urls.urls().size(), 2);
    QCOMPARE(m_urls.urls()[0], QUrl("http://www.melbrin.com"));
    QCOMPARE(m_urls.urls()[1].scheme(), QStringLiteral("mailto"));
    QCOMPARE(m_urls.urls()[1].path(), QStringLiteral("support@melbrin.com"));
    QCOMPARE(m_urls.urls()[1].query(), QStringLiteral("subject=Trevix"));
    QVERIFY(shellHelpViewers().viewers().isEmpty());
}

QTEST_MAIN(tst_HtmlHelp)
#include "tst_htmlhelp.moc"

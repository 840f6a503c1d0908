#include "base/EditorError.h"
#include "help/HtmlHelp.h"
#include "help/THelpRouter.h"

#include <QApplication>
#include <QtTest>

#include <memory>

using namespace HtmlHelp;

namespace {

struct Call
{
    quintptr caller;
    QString file;
    unsigned command;
    quintptr data;
    quint32 popupId = 0;
    QPoint popupPos;
    QString popupFont;
};

QList<Call> calls;
quintptr viewerResult = 1;
int loads = 0;

quintptr recordingHtmlHelp(quintptr caller, const char *file, unsigned command, quintptr data)
{
    Call call{caller, file ? QString::fromLocal8Bit(file) : QStringLiteral("<null>"), command, data};
    if (command == HH_DISPLAY_TEXT_POPUP) {
        const auto *popup = reinterpret_cast<const HH_POPUP *>(data);
        call.popupId = popup->idString;
        call.popupPos = popup->pt;
        call.popupFont = QString::fromLatin1(popup->pszFont);
        call.data = 0;
    }
    calls.append(call);
    return command == HH_CLOSE_ALL ? 0 : viewerResult;
}

void useRecordingHtmlHelp()
{
    THelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return THelpRouter::HtmlHelpEntry(&recordingHtmlHelp);
    });
}

} // namespace

class tst_HelpRouter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void onlyOneRouterAtATime();
    void takesOverAndGivesBackTheApplicationsHelp();
    void closesAllHelpWindowsWhenDestroyed();
    void doesNotCloseWhenTheApplicationHasItsOwnHelpFile();

    void showTopicRequests_data();
    void showTopicRequests();
    void showTopicResultFollowsTheViewer();
    void showTopicWithoutHtmlHelpLoadsAgainNextTime();
    void htmlHelpTypeLoadsAtOnce();

    void cleanTopicName_data();
    void cleanTopicName();

    void routesCommands_data();
    void routesCommands();
    void ownHookAndPreviousHandlerComeFirst();
    void contextPopupUsesTheStoredPositionOnce();
    void mainShowTypeTurnsPopupsIntoTopics();
    void mixedModeLeavesPopupsToWinHelp();

private:
    std::unique_ptr<THelpRouter> m_router;
};

void tst_HelpRouter::init()
{
    calls.clear();
    viewerResult = 1;
    loads = 0;
    useRecordingHtmlHelp();
    ApplicationHelp::setHandler({});
    ApplicationHelp::setHelpFile(QString());
    m_router = std::make_unique<THelpRouter>();
    m_router->setHelpType(htHTMLhelp);
    m_router->Helpfile = QStringLiteral("/opt/trevix/TrevixStyleEditor.chm");
    calls.clear();
    loads = 0;
}

void tst_HelpRouter::cleanup()
{
    m_router.reset();
}

void tst_HelpRouter::onlyOneRouterAtATime()
{
    try {
        THelpRouter second;
        QFAIL("a second router was created");
    } catch (const EditorError &error) {
        QCOMPARE(error.message(), QStringLiteral("Multiple instances of THelpRouter are not allowed"));
    }
    // The failed second router left the first one installed.
    QVERIFY(ApplicationHelp::helpCommand(ApplicationHelp::HELP_CONTENTS, 0));
    QCOMPARE(calls.size(), 1);

    m_router.reset();
    THelpRouter again; // the first one is gone
    QCOMPARE(again.CHMPopupTopics, QStringLiteral("CSHelp.txt"));
    QCOMPARE(again.ShowType, stDefault);
}

void tst_HelpRouter::takesOverAndGivesBackTheApplicationsHelp()
{
    m_router.reset();
    int previousCalls = 0;
    ApplicationHelp::setHandler([&](quint16, qintptr, bool &) {
        ++previousCalls;
        return false;
    });
    {
        THelpRouter router;
        router.Helpfile = QStringLiteral("help.chm");
        calls.clear();
        ApplicationHelp::helpCommand(ApplicationHelp::HELP_CONTENTS, 0);
        QCOMPARE(previousCalls, 1); // chained to
        QCOMPARE(calls.size(), 1);  // then served
    }
    const int afterDestruction = previousCalls; // the quit request at destruction went through it too
    calls.clear();
    ApplicationHelp::helpCommand(ApplicationHelp::HELP_CONTENTS, 0);
    QCOMPARE(previousCalls, afterDestruction + 1);
    QVERIFY(calls.isEmpty());
}

void tst_HelpRouter::closesAllHelpWindowsWhenDestroyed()
{
    m_router.reset();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].command, unsigned(HH_CLOSE_ALL));
    QCOMPARE(calls[0].file, QStringLiteral("<null>"));
    QVERIFY(!ApplicationHelp::handler());
}

void tst_HelpRouter::doesNotCloseWhenTheApplicationHasItsOwnHelpFile()
{
    ApplicationHelp::setHelpFile(QStringLiteral("app.chm"));
    m_router.reset();
    QVERIFY(calls.isEmpty());
}

void tst_HelpRouter::showTopicRequests_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<bool>("validateId");
    QTest::addColumn<QString>("request");

    const QString dir = QStringLiteral("/opt/trevix/");
    QTest::newRow("options dialog") << dir + "TrevixStyleEditor.chm" << "Settings.html" << false
                                    << dir + "TrevixStyleEditor.chm::/Settings.html";
    QTest::newRow("no topic") << dir + "TrevixStyleEditor.chm" << "" << false << dir + "TrevixStyleEditor.chm";
    QTest::newRow("other extension becomes .chm") << dir + "Manual.hlp" << "Settings.htm" << false
                                                  << dir + "Manual.chm::/Settings.htm";
    QTest::newRow("file without extension") << dir + "Manual" << "a.html" << false << dir + "Manual.chm::/a.html";
    QTest::newRow("dot in a folder name") << "/opt/v1.2/Manual" << "a.htm" << false << "/opt/v1.2/Manual.chm::/a.htm";
    QTest::newRow("topic without extension") << dir + "h.chm" << "Settings" << false << dir + "h.chm::/Settings.htm";
    QTest::newRow("upper-case extension kept") << dir + "h.chm" << "Settings.HTML" << false
                                               << dir + "h.chm::/Settings.HTML";
    QTest::newRow("other topic extension") << dir + "h.chm" << "notes.txt" << false << dir + "h.chm::/notes.txt.htm";
    QTest::newRow("short extension") << dir + "h.chm" << "page.ht" << false << dir + "h.chm::/page.ht.htm";
    QTest::newRow("cleaned when appending") << dir + "h.chm" << "Größe & Farbe" << true
                                            << dir + "h.chm::/Grose_+_Farbe.htm";
    QTest::newRow("not cleaned with .htm") << dir + "h.chm" << "a b.htm" << true << dir + "h.chm::/a b.htm";
    QTest::newRow("router's own file") << "" << "Settings.html" << false
                                       << dir + "TrevixStyleEditor.chm::/Settings.html";
}

void tst_HelpRouter::showTopicRequests()
{
    QFETCH(QString, fileName);
    QFETCH(QString, topic);
    QFETCH(bool, validateId);
    QFETCH(QString, request);

    m_router->ValidateID = validateId;
    QVERIFY(m_router->ShowTopic(fileName, topic));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].caller, quintptr(0));
    QCOMPARE(calls[0].file, request);
    QCOMPARE(calls[0].command, unsigned(HH_DISPLAY_TOPIC));
    QCOMPARE(calls[0].data, quintptr(0));
}

void tst_HelpRouter::showTopicResultFollowsTheViewer()
{
    viewerResult = 0; // the viewer opened no window
    QVERIFY(!m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(calls.size(), 1);
}

void tst_HelpRouter::showTopicWithoutHtmlHelpLoadsAgainNextTime()
{
    THelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return THelpRouter::HtmlHelpEntry();
    });
    QVERIFY(!m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    QVERIFY(!m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(loads, 2);
    bool callHelp = true;
    QVERIFY(!ApplicationHelp::handler()(ApplicationHelp::HELP_CONTENTS, 0, callHelp));
    QVERIFY(callHelp); // not served

    useRecordingHtmlHelp();
    QVERIFY(m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    QVERIFY(m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(loads, 4); // loaded once more, then kept
    QCOMPARE(calls.size(), 2);
}

void tst_HelpRouter::htmlHelpTypeLoadsAtOnce()
{
    loads = 0;
    THelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return THelpRouter::HtmlHelpEntry(&recordingHtmlHelp);
    });
    m_router->setHelpType(htWinhelp);
    QCOMPARE(loads, 0);
    QVERIFY(!m_router->ShowTopic(QString(), QStringLiteral("Settings.html")));
    m_router->setHelpType(htMixedMode);
    QCOMPARE(loads, 1);
    QVERIFY(calls.isEmpty());
}

void tst_HelpRouter::cleanTopicName_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("clean");
    QTest::newRow("blank, percent, dot") << "a b%c.d" << "a_b_c_d";
    QTest::newRow("ampersand, star") << "a&b*c" << "a+b+c";
    QTest::newRow("angle brackets") << "<a>" << "~a~";
    QTest::newRow("square brackets") << "[a]" << "(a)";
    QTest::newRow("dropped") << QString::fromUtf8("a\",/:?\\|¿b") << "ab";
    QTest::newRow("umlauts") << QString::fromUtf8("ÄäÖöÜüß") << "aaoouus";
    QTest::newRow("kept") << QString::fromUtf8("Settings-2_é(x)") << QString::fromUtf8("Settings-2_é(x)");
}

void tst_HelpRouter::cleanTopicName()
{
    QFETCH(QString, topic);
    QFETCH(QString, clean);
    QCOMPARE(THelpRouter::cleanTopicName(topic), clean);
}

void tst_HelpRouter::routesCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<qintptr>("data");
    QTest::addColumn<int>("htmlCommand"); // -1: no call
    QTest::addColumn<QString>("file");
    QTest::addColumn<qintptr>("htmlData");
    QTest::addColumn<bool>("result");

    const QString chm = QStringLiteral("/opt/trevix/TrevixStyleEditor.chm");
    static const char keyword[] = "Settings";
    const auto key = qintptr(keyword);
    QTest::newRow("context") << 1 << qintptr(1050) << int(HH_HELP_CONTEXT) << chm << qintptr(1050) << true;
    QTest::newRow("quit") << 2 << qintptr(0) << int(HH_CLOSE_ALL) << "<null>" << qintptr(0) << true;
    QTest::newRow("contents") << 3 << qintptr(0) << int(HH_DISPLAY_TOC) << chm << qintptr(0) << true;
    QTest::newRow("finder") << 11 << qintptr(0) << int(HH_DISPLAY_TOC) << chm << qintptr(0) << true;
    QTest::newRow("force file, index") << 15 << qintptr(1) << int(HH_DISPLAY_INDEX) << chm << qintptr(0) << true;
    QTest::newRow("force file, contents") << 15 << qintptr(0) << int(HH_DISPLAY_TOC) << chm << qintptr(0) << true;
    QTest::newRow("key") << 257 << key << int(HH_DISPLAY_INDEX) << chm << key << true;
    QTest::newRow("partial key") << 261 << key << int(HH_DISPLAY_INDEX) << chm << key << true;
    QTest::newRow("popup position") << 13 << qintptr(0x00200010) << -1 << "" << qintptr(0) << true;
    QTest::newRow("anything else") << 4 << qintptr(0) << -1 << "" << qintptr(0) << false;
}

void tst_HelpRouter::routesCommands()
{
    QFETCH(int, command);
    QFETCH(qintptr, data);
    QFETCH(int, htmlCommand);
    QFETCH(QString, file);
    QFETCH(qintptr, htmlData);
    QFETCH(bool, result);

    m_router->Helpfile = QStringLiteral("/opt/trevix/TrevixStyleEditor.hlp"); // the extension becomes .chm
    bool callHelp = true;
    QCOMPARE(ApplicationHelp::handler()(quint16(command), data, callHelp), result);
    QVERIFY(!callHelp);
    if (htmlCommand < 0) {
        QVERIFY(calls.isEmpty());
        return;
    }
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].caller, quintptr(0));
    QCOMPARE(int(calls[0].command), htmlCommand);
    QCOMPARE(calls[0].file, file);
    QCOMPARE(calls[0].data, quintptr(htmlData));
}

void tst_HelpRouter::ownHookAndPreviousHandlerComeFirst()
{
    QStringList order;
    m_router->OnHelp = [&](quint16 command, qintptr, bool &callHelp) {
        order << QStringLiteral("hook");
        callHelp = command != ApplicationHelp::HELP_CONTENTS; // serves the contents itself
        return true;
    };
    QVERIFY(ApplicationHelp::helpCommand(ApplicationHelp::HELP_CONTENTS, 0));
    QCOMPARE(order, QStringList{"hook"});
    QVERIFY(calls.isEmpty());

    ApplicationHelp::helpCommand(ApplicationHelp::HELP_FINDER, 0);
    QCOMPARE(order, (QStringList{"hook", "hook"}));
    QCOMPARE(calls.size(), 1);
    m_router->OnHelp = {}; // order goes out of scope before the router
}

void tst_HelpRouter::contextPopupUsesTheStoredPositionOnce()
{
    bool callHelp = true;
    ApplicationHelp::handler()(ApplicationHelp::HELP_SETPOPUP_POS, qintptr(0xFFF6'0064), callHelp); // x 100, y -10
    callHelp = true;
    QVERIFY(ApplicationHelp::handler()(ApplicationHelp::HELP_CONTEXTPOPUP, 1051, callHelp));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].command, unsigned(HH_DISPLAY_TEXT_POPUP));
    QCOMPARE(calls[0].file, QStringLiteral("/opt/trevix/TrevixStyleEditor.chm::/CSHelp.txt"));
    QCOMPARE(calls[0].popupId, quint32(1051));
    QCOMPARE(calls[0].popupPos, QPoint(100, -10));
    QCOMPARE(calls[0].popupFont, QStringLiteral("MS Sans Serif, 8"));

    QCursor::setPos(QPoint(321, 123));
    callHelp = true;
    ApplicationHelp::handler()(ApplicationHelp::HELP_CONTEXTPOPUP, 1052, callHelp);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[1].popupPos, QCursor::pos()); // the stored position was used up
}

void tst_HelpRouter::mainShowTypeTurnsPopupsIntoTopics()
{
    m_router->ShowType = stMain;
    bool callHelp = true;
    QVERIFY(!ApplicationHelp::handler()(ApplicationHelp::HELP_SETPOPUP_POS, 0x00100010, callHelp));
    callHelp = true;
    ApplicationHelp::handler()(ApplicationHelp::HELP_CONTEXTPOPUP, 1051, callHelp);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].command, unsigned(HH_HELP_CONTEXT));
    QCOMPARE(calls[0].data, quintptr(1051));
}

void tst_HelpRouter::mixedModeLeavesPopupsToWinHelp()
{
    m_router->setHelpType(htMixedMode);
    for (quint16 command : {ApplicationHelp::HELP_CONTEXTPOPUP, ApplicationHelp::HELP_SETPOPUP_POS}) {
        bool callHelp = true;
        QVERIFY(!ApplicationHelp::handler()(command, 1051, callHelp));
        QVERIFY(callHelp);
    }
    QVERIFY(calls.isEmpty());
    bool callHelp = true;
    ApplicationHelp::handler()(ApplicationHelp::HELP_CONTEXT, 1051, callHelp);
    QVERIFY(!callHelp);
    QCOMPARE(calls.size(), 1);
}

QTEST_MAIN(tst_HelpRouter)
#include "tst_helprouter.moc"

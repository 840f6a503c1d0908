#include "base/EditorError.h"
#include "help/HelpRouter.h"
#include "help/HtmlHelp.h"

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
};

QList<Call> calls;
quintptr viewerResult = 1;
int loads = 0;

quintptr recordingHtmlHelp(quintptr caller, const char *file, unsigned command, quintptr data)
{
    calls.append({caller, file ? QString::fromLocal8Bit(file) : QStringLiteral("<null>"), command,
                  data});
    return command == HH_CLOSE_ALL ? 0 : viewerResult;
}

void useRecordingHtmlHelp()
{
    HelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return HelpRouter::HtmlHelpEntry(&recordingHtmlHelp);
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
    void closesAllHelpWindowsWhenDestroyed();

    void showTopicRequests_data();
    void showTopicRequests();
    void showTopicResultFollowsTheViewer();
    void showTopicWithoutHtmlHelpLoadsAgainNextTime();
    void htmlHelpTypeLoadsAtOnce();

    void cleanTopicName_data();
    void cleanTopicName();

private:
    std::unique_ptr<HelpRouter> m_router;
};

void tst_HelpRouter::init()
{
    calls.clear();
    viewerResult = 1;
    loads = 0;
    useRecordingHtmlHelp();
    m_router = std::make_unique<HelpRouter>();
    m_router->setHelpType(HelpType::HtmlHelp);
    m_router->setHelpFile(QStringLiteral("/opt/trevix/TrevixStyleEditor.chm"));
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
        HelpRouter second;
        QFAIL("a second router was created");
    } catch (const EditorError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Multiple instances of THelpRouter are not allowed"));
    }
    // The failed second router left the first one as it was.
    QVERIFY(m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(calls.size(), 1);

    m_router.reset();
    HelpRouter again; // the first one is gone
    QCOMPARE(again.chmPopupTopics(), QStringLiteral("CSHelp.txt"));
}

void tst_HelpRouter::closesAllHelpWindowsWhenDestroyed()
{
    m_router.reset();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].command, unsigned(HH_CLOSE_ALL));
    QCOMPARE(calls[0].file, QStringLiteral("<null>"));
}

void tst_HelpRouter::showTopicRequests_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<bool>("validateId");
    QTest::addColumn<QString>("request");

    const QString dir = QStringLiteral("/opt/trevix/");
    QTest::newRow("options dialog")
            << dir + "TrevixStyleEditor.chm"
            << "Settings.html" << false << dir + "TrevixStyleEditor.chm::/Settings.html";
    QTest::newRow("no topic") << dir + "TrevixStyleEditor.chm"
                              << "" << false << dir + "TrevixStyleEditor.chm";
    QTest::newRow("other extension becomes .chm")
            << dir + "Manual.hlp"
            << "Settings.htm" << false << dir + "Manual.chm::/Settings.htm";
    QTest::newRow("file without extension") << dir + "Manual"
                                            << "a.html" << false << dir + "Manual.chm::/a.html";
    QTest::newRow("dot in a folder name") << "/opt/v1.2/Manual"
                                          << "a.htm" << false << "/opt/v1.2/Manual.chm::/a.htm";
    QTest::newRow("topic without extension") << dir + "h.chm"
                                             << "Settings" << false << dir + "h.chm::/Settings.htm";
    QTest::newRow("upper-case extension kept")
            << dir + "h.chm"
            << "Settings.HTML" << false << dir + "h.chm::/Settings.HTML";
    QTest::newRow("other topic extension") << dir + "h.chm"
                                           << "notes.txt" << false << dir + "h.chm::/notes.txt.htm";
    QTest::newRow("short extension") << dir + "h.chm"
                                     << "page.ht" << false << dir + "h.chm::/page.ht.htm";
    QTest::newRow("cleaned when appending")
            << dir + "h.chm"
            << "Größe & Farbe" << true << dir + "h.chm::/Grose_+_Farbe.htm";
    QTest::newRow("not cleaned with .htm") << dir + "h.chm"
                                           << "a b.htm" << true << dir + "h.chm::/a b.htm";
    QTest::newRow("router's own file")
            << ""
            << "Settings.html" << false << dir + "TrevixStyleEditor.chm::/Settings.html";
}

void tst_HelpRouter::showTopicRequests()
{
    QFETCH(QString, fileName);
    QFETCH(QString, topic);
    QFETCH(bool, validateId);
    QFETCH(QString, request);

    m_router->setValidateId(validateId);
    QVERIFY(m_router->showTopic(fileName, topic));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].caller, quintptr(0));
    QCOMPARE(calls[0].file, request);
    QCOMPARE(calls[0].command, unsigned(HH_DISPLAY_TOPIC));
    QCOMPARE(calls[0].data, quintptr(0));
}

void tst_HelpRouter::showTopicResultFollowsTheViewer()
{
    viewerResult = 0; // the viewer opened no window
    QVERIFY(!m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(calls.size(), 1);
}

void tst_HelpRouter::showTopicWithoutHtmlHelpLoadsAgainNextTime()
{
    HelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return HelpRouter::HtmlHelpEntry();
    });
    QVERIFY(!m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QVERIFY(!m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(loads, 2);

    useRecordingHtmlHelp();
    QVERIFY(m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QVERIFY(m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    QCOMPARE(loads, 3); // loaded once more, then kept
    QCOMPARE(calls.size(), 2);
}

void tst_HelpRouter::htmlHelpTypeLoadsAtOnce()
{
    loads = 0;
    HelpRouter::setHtmlHelpLoader([] {
        ++loads;
        return HelpRouter::HtmlHelpEntry(&recordingHtmlHelp);
    });
    m_router->setHelpType(HelpType::WinHelp);
    QCOMPARE(loads, 0);
    QVERIFY(!m_router->showTopic(QString(), QStringLiteral("Settings.html")));
    m_router->setHelpType(HelpType::MixedMode);
    QCOMPARE(loads, 1);
    QVERIFY(calls.isEmpty());
}

void tst_HelpRouter::cleanTopicName_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("clean");
    QTest::newRow("blank, percent, dot") << "a b%c.d"
                                         << "a_b_c_d";
    QTest::newRow("ampersand, star") << "a&b*c"
                                     << "a+b+c";
    QTest::newRow("angle brackets") << "<a>"
                                    << "~a~";
    QTest::newRow("square brackets") << "[a]"
                                     << "(a)";
    QTest::newRow("dropped") << QString::fromUtf8("a\",/:?\\|¿b") << "ab";
    QTest::newRow("umlauts") << QString::fromUtf8("ÄäÖöÜüß") << "aaoouus";
    QTest::newRow("kept") << QString::fromUtf8("Settings-2_é(x)")
                          << QString::fromUtf8("Settings-2_é(x)");
}

void tst_HelpRouter::cleanTopicName()
{
    QFETCH(QString, topic);
    QFETCH(QString, clean);
    QCOMPARE(HelpRouter::cleanTopicName(topic), clean);
}

QTEST_MAIN(tst_HelpRouter)
#include "tst_helprouter.moc"

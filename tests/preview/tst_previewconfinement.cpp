#include "preview/FlashPlayerView.h"
#include "support/ChartPixels.h"
#include "support/PageScript.h"
#include "support/PreviewAppDir.h"
#include "support/PreviewCorner.h"

#include <QApplication>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

// The preview page is closed to the network: script running in it tries
// every way out it has towards a listener on 127.0.0.1, and the listener
// sees neither a TCP connection nor a UDP datagram. A movie loaded to pick
// runs no script in the page and reports nothing but keys. The real player
// plays offscreen throughout.
class tst_PreviewConfinement : public QObject
{
    Q_OBJECT

private:
    QTcpServer m_tcp;
    QUdpSocket m_udp;
    int m_connections = 0;
    int m_datagrams = 0;
    std::unique_ptr<PreviewAppDir> m_dir;
    std::unique_ptr<FlashPlayerView> m_player;
    QWebEngineView *m_view = nullptr;
    int m_probes = 0;

    void play(const QByteArray &background)
    {
        m_dir->writeStyle("&bgColor=" + background + "\r\n&animation=0\r\n");
        m_player->setFlashVars(QStringLiteral("datafile=data.txt"));
        m_player->setMovie(m_dir->path() + QStringLiteral("trevix.swf"));
    }

    // Runs script in the page and waits until it has run: the page runs
    // scripts in the order given, so the probe's value is there after it.
    bool runInPage(const QString &script)
    {
        const int probe = ++m_probes;
        m_view->page()->runJavaScript(
                QStringLiteral("try { %1 } catch (e) { console.log(e); } window.trevixProbe = %2;")
                        .arg(script)
                        .arg(probe));
        return evaluateInPage(m_view, QStringLiteral("window.trevixProbe")).toInt() == probe;
    }

private slots:
    void initTestCase()
    {
        // The listener's sockets reach 127.0.0.1 directly. Asking the system
        // for a proxy would start a thread of Qt's own that may still be
        // ending when the process ends, which the leak checker reports.
        m_tcp.setProxy(QNetworkProxy::NoProxy);
        m_udp.setProxy(QNetworkProxy::NoProxy);
        QVERIFY(m_tcp.listen(QHostAddress::LocalHost));
        QVERIFY(m_udp.bind(QHostAddress::LocalHost, m_tcp.serverPort()));
        connect(&m_tcp, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_tcp.nextPendingConnection()) {
                ++m_connections;
                socket->deleteLater();
            }
        });
        connect(&m_udp, &QUdpSocket::readyRead, this, [this] {
            while (m_udp.hasPendingDatagrams()) {
                m_udp.receiveDatagram();
                ++m_datagrams;
            }
        });

        m_dir = std::make_unique<PreviewAppDir>();
        m_player = std::make_unique<FlashPlayerView>();
        m_player->setAppDir(m_dir->path());
        m_player->resize(400, 300);
        play("0x204060");
        m_player->show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 30000);
        for (QWidget *widget : QApplication::allWidgets()) {
            if (auto *view = qobject_cast<QWebEngineView *>(widget))
                m_view = view;
        }
        QVERIFY(m_view);
    }

    void cleanupTestCase() { m_player.reset(); }

    void init() { m_connections = m_datagrams = 0; }

    void listenerHearsBothProtocols()
    {
        QTcpSocket tcp;
        tcp.setProxy(QNetworkProxy::NoProxy);
        tcp.connectToHost(QHostAddress::LocalHost, m_tcp.serverPort());
        QUdpSocket udp;
        udp.setProxy(QNetworkProxy::NoProxy);
        udp.writeDatagram("ping", QHostAddress::LocalHost, m_tcp.serverPort());
        QTRY_COMPARE(m_connections, 1);
        QTRY_COMPARE(m_datagrams, 1);
    }

    void nothingLeavesThePage_data()
    {
        // %1 is the listener's address, host:port.
        QTest::addColumn<QString>("script");
        const QString iceGathering = QStringLiteral(
                "const pc = new RTCPeerConnection({ iceServers: [%1] }); pc.createDataChannel('d');"
                " pc.createOffer().then(offer => pc.setLocalDescription(offer)); window.keep = "
                "pc;");
        QTest::newRow("WebRTC, STUN") << iceGathering.arg(QStringLiteral("{ urls: 'stun:%1' }"));
        QTest::newRow("WebRTC, TURN over UDP") << iceGathering.arg(QStringLiteral(
                "{ urls: 'turn:%1?transport=udp', username: 'u', credential: 'p' }"));
        QTest::newRow("WebRTC, TURN over TCP") << iceGathering.arg(QStringLiteral(
                "{ urls: 'turn:%1?transport=tcp', username: 'u', credential: 'p' }"));
        QTest::newRow("WebRTC from a new frame") << QStringLiteral(
                "const frame = document.createElement('iframe'); document.body.appendChild(frame);"
                " const PC = frame.contentWindow.RTCPeerConnection || "
                "frame.contentWindow.webkitRTCPeerConnection;"
                " const pc = new PC({ iceServers: [{ urls: 'stun:%1' },"
                " { urls: 'turn:%1?transport=tcp', username: 'u', credential: 'p' }] });"
                " pc.createDataChannel('d'); pc.createOffer().then(offer => "
                "pc.setLocalDescription(offer));"
                " window.keep = pc;");
        QTest::newRow("WebTransport") << QStringLiteral("new WebTransport('https://%1/');");
        QTest::newRow("fetch") << QStringLiteral("fetch('http://%1/fetch');");
        QTest::newRow("XMLHttpRequest") << QStringLiteral(
                "const r = new XMLHttpRequest(); r.open('GET', 'http://%1/xhr'); r.send();");
        QTest::newRow("WebSocket") << QStringLiteral("new WebSocket('ws://%1/');");
        QTest::newRow("EventSource") << QStringLiteral("new EventSource('http://%1/events');");
        QTest::newRow("beacon") << QStringLiteral("navigator.sendBeacon('http://%1/beacon', 'x');");
        QTest::newRow("image") << QStringLiteral("new Image().src = 'http://%1/image';");
        QTest::newRow("style sheet")
                << QStringLiteral("const l = document.createElement('link'); l.rel = 'stylesheet'; "
                                  "l.href = 'http://%1/css';"
                                  " document.head.appendChild(l);");
        QTest::newRow("preconnect and DNS prefetch") << QStringLiteral(
                "for (const rel of ['preconnect', 'dns-prefetch', 'prefetch', 'preload']) {"
                " const l = document.createElement('link'); l.rel = rel; l.as = 'fetch';"
                " l.href = 'http://%1/' + rel; document.head.appendChild(l); }");
        QTest::newRow("frame") << QStringLiteral(
                "const f = document.createElement('iframe'); f.src = 'http://%1/frame';"
                " document.body.appendChild(f);");
        QTest::newRow("form submission")
                << QStringLiteral("const f = document.createElement('form'); f.method = 'post'; "
                                  "f.action = 'http://%1/form';"
                                  " document.body.appendChild(f); f.submit();");
        QTest::newRow("navigation") << QStringLiteral("location.href = 'http://%1/navigation';");
        QTest::newRow("new window") << QStringLiteral("window.open('http://%1/window');");
        QTest::newRow("worker") << QStringLiteral(
                "new Worker(URL.createObjectURL(new Blob([\"fetch('http://%1/worker')\"], { type: "
                "'text/javascript' })));");
        QTest::newRow("service worker")
                << QStringLiteral("navigator.serviceWorker.register('http://%1/sw.js');");
    }

    void nothingLeavesThePage()
    {
        QFETCH(QString, script);
        QVERIFY(runInPage(script.arg(QStringLiteral("127.0.0.1:%1").arg(m_tcp.serverPort()))));
        // Nothing can be waited for here: the attempts would have sent within this time.
        QTest::qWait(2000);
        QCOMPARE(m_connections, 0);
        QCOMPARE(m_datagrams, 0);
    }

    // The movie tries script by ExternalInterface and javascript: links, and
    // reports of every wrong shape, before its one right report: only that
    // one arrives, no script ran, and the page still shows the movie.
    void pickingMovieRunsNoScriptInThePage()
    {
        const QString probe = m_dir->path() + QStringLiteral("probe.swf");
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_PICK_PROBE), probe));
        const QString title = evaluateInPage(m_view, QStringLiteral("document.title")).toString();
        QSignalSpy picked(m_player.get(), &FlashPlayerView::picked);
        m_player->setPicking(true);
        m_player->setMovie(probe);
        QTRY_VERIFY_WITH_TIMEOUT(!picked.isEmpty(), 20000);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked.at(0).at(0).toStringList(), QStringList{QStringLiteral("done")});
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x33, 0x66, 0x99).rgb(), 20000);
        QCOMPARE(evaluateInPage(m_view, QStringLiteral("String(window.trevixRan)")).toString(),
                 QStringLiteral("undefined"));
        QCOMPARE(evaluateInPage(m_view, QStringLiteral("document.title")).toString(), title);
        QCOMPARE(picked.size(), 1);
        m_player->setPicking(false);
    }

    // The movie asks for a file to open as it starts and at a click, and for
    // a place to save one at a second click: no chooser or dialog opens, the
    // movie learns that the user cancelled each opening, and nothing is
    // downloaded.
    void fileDialogsOpenNothing()
    {
        const QString probe = m_dir->path() + QStringLiteral("files.swf");
        QVERIFY(QFile::copy(QStringLiteral(TREVIX_FILE_DIALOG_PROBE), probe));
        QSignalSpy picked(m_player.get(), &FlashPlayerView::picked);
        QSignalSpy downloads(m_view->page()->profile(), &QWebEngineProfile::downloadRequested);
        const auto reported = [&picked](int i) {
            return picked.at(i).at(0).toStringList().join(QLatin1Char(','));
        };
        m_player->setPicking(true); // its reports arrive as picks
        m_player->setMovie(probe);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x66, 0x99, 0x33).rgb(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 1, 20000);
        QCOMPARE(reported(0), QStringLiteral("openCancelled"));

        ChartPixels::click(QPoint(200, 150));
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 2, 20000);
        QCOMPARE(reported(1), QStringLiteral("openCancelled"));

        ChartPixels::click(QPoint(200, 150));
        const QStringList ends{QStringLiteral("saved"), QStringLiteral("saveCancelled"),
                               QStringLiteral("saveFailed")};
        QTRY_VERIFY_WITH_TIMEOUT(picked.size() > 2 && ends.contains(reported(picked.size() - 1)),
                                 20000);
        QCOMPARE(downloads.size(), 0);
        QCOMPARE(evaluateInPage(m_view,
                                QStringLiteral("document.getElementById('rfd-overlay') === null")),
                 QVariant(true));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible() || window == m_player.get(),
                     qPrintable(window->metaObject()->className()));
        m_player->setPicking(false);
    }

    void pageStillPlaysAfterwards()
    {
        play("0x604020");
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x60, 0x40, 0x20).rgb(), 20000);
    }
};

QTEST_MAIN(tst_PreviewConfinement)
#include "tst_previewconfinement.moc"

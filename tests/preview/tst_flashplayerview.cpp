#include "preview/FlashPlayerView.h"
#include "support/ChartPixels.h"
#include "support/PageScript.h"
#include "support/PreviewAppDir.h"
#include "support/PreviewCorner.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include <limits>
#include <memory>

// The player on its own, playing the sample chart movie for real offscreen.
// One player serves every case, as one engine serves the editor's run; it
// is shown by the first case and plays from then on.
class tst_FlashPlayerView : public QObject
{
    Q_OBJECT

private:
    static constexpr QRgb Magenta = 0xFFFF00FF;

    std::unique_ptr<PreviewAppDir> m_dir;
    std::unique_ptr<FlashPlayerView> m_player;
    QTemporaryDir m_outside;
    int m_cases = 0;
    int m_numberCases = 0;

    int magentaPixels() const
    {
        const QImage image = m_player->frame();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == Magenta;
        return count;
    }

    // Pixels of the colour or near it, as the smoothed edges of text are.
    int pixelsNear(QRgb colour) const
    {
        const QImage image = m_player->frame();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += ChartPixels::near(image.pixel(x, y), colour);
        return count;
    }

    // A chart without animation whose one series is a magenta bar.
    static QByteArray barStyle(const char *background)
    {
        return QByteArray("&bgColor=") + background
               + "\r\n&animation=0\r\n&legendShow=no\r\n&shadow=0\r\n&series1Color=0xFF00FF\r\n";
    }

    static void writeData(const QString &file)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("&categories=A\r\n&series=S\r\n&S=100\r\n");
    }

    // A chart whose elements each have a colour of their own, on a
    // background of the case's own, so its frame is known when it is on show.
    // Lines in more come first, so they hold over these.
    static QByteArray pickStyle(QRgb background, const QByteArray &more)
    {
        return more
               + "&animation=0\r\n&shadow=0\r\n&legendShow=no\r\n&gridLines=3\r\n&titleColor="
                 "0xC00000\r\n"
                 "&legendBg=0x00FFFF\r\n&series1Color=0xFF00FF\r\n&series3Color=0x808000\r\n&"
                 "gridColor=0x00FF00\r\n"
                 "&axisColor=0x0000FF\r\n&bgColor=0x"
               + QByteArray::number(background & 0xFFFFFF, 16) + "\r\n";
    }

    // Plays the chart with this style and waits until it is on show.
    void playStyle(const QByteArray &style, QRgb background)
    {
        m_dir->writeStyle(style);
        play(QStringLiteral("datafile=data.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), background | 0xFF000000, 20000);
    }

    static QWebEngineView *webView()
    {
        for (QWidget *widget : QApplication::allWidgets()) {
            if (auto *view = qobject_cast<QWebEngineView *>(widget))
                return view;
        }
        return nullptr;
    }

    // Whether the player on show, the topmost, rests: its movie stopped and
    // its frames no longer asked for.
    static bool resting()
    {
        return evaluateInPage(
                       webView(),
                       QStringLiteral(
                               "(() => { const players = "
                               "document.querySelectorAll('ruffle-player');"
                               " return players[players.length - 1].ruffle().suspended; })()"))
                .toBool();
    }

    // Counts from now on the frames the page asks for: whoever asks for a
    // frame draws or looks at what is drawn.
    static void countFramesAsked()
    {
        evaluateInPage(
                webView(),
                QStringLiteral(
                        "window.asked = 0; window.counted = -1;"
                        "if (!window.counting) {"
                        "  const ask = window.requestAnimationFrame.bind(window);"
                        "  window.requestAnimationFrame = f => { ++window.asked; return ask(f); };"
                        "  window.counting = true;"
                        "} true"));
    }

    static int framesAsked()
    {
        return evaluateInPage(webView(), QStringLiteral("window.asked")).toInt();
    }

    // The frames the page asks for while a timer of its own of the given time runs.
    static int framesAskedWithin(int ms)
    {
        countFramesAsked();
        evaluateInPage(webView(),
                       QStringLiteral(
                               "setTimeout(() => { window.counted = window.asked; }, %1); true")
                               .arg(ms));
        int counted = -1;
        const bool timed = QTest::qWaitFor(
                [&] {
                    return (counted
                            = evaluateInPage(webView(), QStringLiteral("window.counted")).toInt())
                           >= 0;
                },
                ms + 20000);
        return timed ? counted : -1;
    }

    void play(const QString &flashVars)
    {
        m_player->setFlashVars(flashVars);
        m_player->setMovie(m_dir->path() + QStringLiteral("trevix.swf"));
    }

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<PreviewAppDir>(barStyle("0x204060"));
        writeData(m_dir->path() + QStringLiteral("bars.txt"));
        writeData(m_outside.filePath(QStringLiteral("bars.txt")));
        QVERIFY(QFile::link(m_outside.filePath(QStringLiteral("bars.txt")),
                            m_dir->path() + QStringLiteral("link.txt")));
        QVERIFY(QFile::copy(m_dir->path() + QStringLiteral("trevix.swf"),
                            m_outside.filePath(QStringLiteral("chart.swf"))));
        m_player = std::make_unique<FlashPlayerView>();
        // These cases watch one page through more loads than a page is kept for;
        // tst_livepreview covers pages started anew.
        m_player->setLoadsPerPage(std::numeric_limits<int>::max() / 2);
        m_player->setAppDir(m_dir->path());
        m_player->resize(400, 300);
        play(QStringLiteral("datafile=data.txt"));
    }

    void cleanupTestCase() { m_player.reset(); }

    void hiddenPlayerStartsNoEngine()
    {
        FlashPlayerView hidden;
        hidden.setAppDir(m_dir->path());
        QSignalSpy written(&hidden, &FlashPlayerView::movieWritten);
        hidden.setFlashVars(QStringLiteral("datafile=data.txt"));
        hidden.setMovie(m_dir->path() + QStringLiteral("trevix.swf"));
        QCoreApplication::processEvents();
        QVERIFY(!hidden.engineStarted());
        QCOMPARE(written.size(), 1);
        QCOMPARE(written.at(0).at(0).toString(), m_dir->path() + QStringLiteral("trevix.swf"));
        QCOMPARE(written.at(0).at(1).toString(), QStringLiteral("datafile=data.txt"));
    }

    void showingStartsTheEngineAndPlays()
    {
        QVERIFY(!m_player->engineStarted());
        m_player->show();
        QTRY_VERIFY(m_player->engineStarted());
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 30000);
    }

    void everyWriteReloadsFromDisk()
    {
        m_dir->writeStyle(barStyle("0x604020"));
        play(QStringLiteral("datafile=data.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x60, 0x40, 0x20).rgb(), 20000);
        m_dir->writeStyle(barStyle("0x204060"));
        play(QStringLiteral("datafile=data.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 20000);
    }

    void movieReadsOnlyTheApplicationFolder_data()
    {
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("beside the movie") << QStringLiteral("bars.txt") << true;
        QTest::newRow("full path outside")
                << m_outside.filePath(QStringLiteral("bars.txt")) << false;
        QTest::newRow("dot-dot outside")
                << QStringLiteral("../") + QFileInfo(m_outside.path()).fileName() + "/bars.txt"
                << false;
        QTest::newRow("link to outside") << QStringLiteral("link.txt") << false;
    }

    void movieReadsOnlyTheApplicationFolder()
    {
        m_player->show();
        QFETCH(QString, dataFile);
        QFETCH(bool, drawn);
        // Each case starts from a drawn bar, so a blocked read shows as its disappearance. The previous
        // case's frame stays on show until this movie has drawn, so wait for this movie's own background.
        m_dir->writeStyle(barStyle("0x204060"));
        play(QStringLiteral("datafile=bars.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(magentaPixels() > 2000, 20000);
        // The case's movie has another background, which tells when it has taken the old one's place,
        // and green axes, or a green note that it has no data: either is drawn once its data has come
        // or been refused, with the bars if any.
        m_dir->writeStyle(barStyle("0x402060") + "&axisColor=0x00FF00\r\n");
        play(QStringLiteral("datafile=") + dataFile);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x40, 0x20, 0x60).rgb(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(pixelsNear(0x00FF00) > 10, 20000);
        QCOMPARE(magentaPixels() > 2000, drawn);
        m_dir->writeStyle(barStyle("0x204060"));
    }

    // Every numeric parameter of the sample profile at the ends of what the
    // profile allows: a spin's range, a list's first and last entry, and for
    // the value axis's ends any number of up to 20 characters. The chart
    // draws each to its end, its axes and their labels (drawn last, in
    // green) with it. A movie caught in an endless loop draws nothing until
    // Ruffle stops its script, and then no axes.
    void sampleChartDrawsEveryAllowedNumber_data()
    {
        QTest::addColumn<QByteArray>("lines");
        const std::pair<const char *, std::pair<int, int>> ranges[] = {
                {"borderWidth", {0, 10}}, {"margin", {0, 60}},       {"titleSize", {6, 48}},
                {"axisWidth", {0, 5}},    {"axisFontSize", {6, 24}}, {"legendSize", {6, 24}},
                {"barWidth", {10, 100}},  {"animation", {0, 2}},     {"shadow", {0, 2}},
                {"gridLines", {0, 3}},    {"marker", {0, 2}},        {"valueLabels", {0, 2}},
                {"titleStyle", {0, 7}},   {"axisFontStyle", {0, 7}}, {"labelStyle", {0, 7}},
        };
        for (const auto &[key, range] : ranges) {
            for (const int value : {range.first, range.second}) {
                const QByteArray line = QByteArray("&") + key + "=" + QByteArray::number(value);
                QTest::newRow(line.constData()) << line + "\r\n";
            }
        }
        const QList<QByteArray> axisEnds[] = {
                {"100000000000000000", "100000000000000032"},
                {"99999999999999999999", ""},
                {"", "-9999999999999999999"},
                {"-9999999999999999999", "99999999999999999999"},
                {"-9999999999999999999", "-9999999999999999998"},
                {"99999999999999999998", "99999999999999999999"},
                {"99999999999999999999", "99999999999999999999"},
                {"99999999999999999999", "-9999999999999999999"},
                {"0.000000000000000001", "0.000000000000000002"},
                {"0.0000000000000000001", ""},
                {"-.000000000000000001", "+.000000000000000001"},
                {"1234567.890123456789", "1234567.890123456790"},
        };
        for (const QList<QByteArray> &ends : axisEnds) {
            QTest::newRow(("yMin=" + ends.at(0) + " yMax=" + ends.at(1)).constData())
                    << "&yMin=" + ends.at(0) + "\r\n&yMax=" + ends.at(1) + "\r\n";
            QTest::newRow(("hbar, yMin=" + ends.at(0) + " yMax=" + ends.at(1)).constData())
                    << "&chartType=hbar\r\n&valueLabels=2\r\n&yMin=" + ends.at(0)
                               + "\r\n&yMax=" + ends.at(1) + "\r\n";
        }
    }

    void sampleChartDrawsEveryAllowedNumber()
    {
        QFETCH(QByteArray, lines);
        m_player->show();
        const QRgb background = qRgb(0x30, 0x10 + m_numberCases++, 0x50);
        // The case's lines come first, so they hold over the rest; a case of
        // its own animates. The corner shows the border when it is wide.
        const QByteArray colour = "0x" + QByteArray::number(background & 0xFFFFFF, 16);
        const QByteArray style = lines + "&animation=0\r\n&axisColor=0x00FF00\r\n&bgColor=" + colour
                                 + "\r\n&borderColor=" + colour + "\r\n";
        playStyle(style, background);
        QTRY_VERIFY_WITH_TIMEOUT(pixelsNear(0x00FF00) > 10, 20000);
    }

    void lastOfQuickWritesStaysOnShow()
    {
        // Writes that come while Ruffle still builds the previous movie.
        for (int i = 0; i < 6; ++i) {
            m_dir->writeStyle(barStyle(i % 2 ? "0x206040" : "0x402060"));
            play(QStringLiteral("datafile=data.txt"));
            QTest::qWait(40);
        }
        m_dir->writeStyle(barStyle("0x604020"));
        play(QStringLiteral("datafile=data.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x60, 0x40, 0x20).rgb(), 20000);
        QTest::qWait(1500);
        QCOMPARE(previewCorner(*m_player), QColor(0x60, 0x40, 0x20).rgb());
        m_dir->writeStyle(barStyle("0x204060"));
    }

    void blankMovieShowsTheStage()
    {
        m_player->setMovie(m_dir->path() + QStringLiteral("empty.swf"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(Qt::white).rgb(), 20000);
    }

    void clickReportsTheKeysOfWhatWasClicked_data()
    {
        // Where to click: at the pixel of the colour found so, moved by the offset.
        QTest::addColumn<QByteArray>("style");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<int>("where");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QStringList>("keys");
        const QStringList title{"titleFont", "titleSize", "titleColor", "titleStyle", "titleAlign"};
        const QStringList axisLabels{"axisFont", "axisFontSize", "axisFontStyle", "axisColor"};
        const QStringList bar{"series1Color", "palette", "barWidth", "shadow", "chartType"};
        QTest::newRow("title") << QByteArray() << QRgb(0xC00000) << int(ChartPixels::Topmost)
                               << QPoint() << QStringList{"titleText"} + title;
        QTest::newRow("subtitle") << QByteArray() << QRgb(0xC00000) << int(ChartPixels::Bottommost)
                                  << QPoint() << QStringList{"subtitleText"} + title;
        QTest::newRow("legend") << QByteArray("&legendShow=yes\r\n") << QRgb(0x00FFFF)
                                << int(ChartPixels::Topmost) << QPoint(2, 2)
                                << QStringList{"legendPos",   "legendFont", "legendSize",
                                               "legendColor", "legendBg",   "legendShow"};
        QTest::newRow("bar") << QByteArray() << QRgb(0xFF00FF) << int(ChartPixels::Topmost)
                             << QPoint(0, 4) << bar;
        QTest::newRow("third series' bar")
                << QByteArray() << QRgb(0x808000) << int(ChartPixels::Topmost) << QPoint(0, 4)
                << QStringList{"series3Color"} + bar.mid(1);
        QTest::newRow("line") << QByteArray("&chartType=line\r\n") << QRgb(0xFF00FF)
                              << int(ChartPixels::Topmost) << QPoint()
                              << QStringList{"series1Color", "palette", "lineStyle",
                                             "marker",       "shadow",  "chartType"};
        QTest::newRow("slice") << QByteArray("&chartType=pie\r\n") << QRgb(0xFF00FF)
                               << int(ChartPixels::Centre) << QPoint()
                               << QStringList{"series1Color", "palette", "shadow", "chartType"};
        QTest::newRow("grid, above the highest bar")
                << QByteArray() << QRgb(0xFF00FF) << int(ChartPixels::Topmost) << QPoint(0, -8)
                << QStringList{"gridLines", "gridColor"};
        QTest::newRow("value axis") << QByteArray("&axisWidth=3\r\n") << QRgb(0x0000FF)
                                    << int(ChartPixels::DensestColumn) << QPoint()
                                    << QStringList{"axisColor", "axisWidth"};
        QTest::newRow("beside the value axis") << QByteArray("&axisWidth=3\r\n") << QRgb(0x0000FF)
                                               << int(ChartPixels::DensestColumn) << QPoint(4, 0)
                                               << QStringList{"axisColor", "axisWidth"};
        QTest::newRow("value axis labels")
                << QByteArray() << QRgb(0x0000FF) << int(ChartPixels::Leftmost) << QPoint()
                << axisLabels + QStringList{"numberFormat", "yMin", "yMax"};
        QTest::newRow("category axis labels")
                << QByteArray() << QRgb(0x0000FF) << int(ChartPixels::Bottommost) << QPoint()
                << axisLabels;
        QTest::newRow("background")
                << QByteArray() << QRgb(0) << int(ChartPixels::Corner) << QPoint()
                << QStringList{"bgColor", "borderColor", "borderWidth", "margin"};
    }

    void clickReportsTheKeysOfWhatWasClicked()
    {
        QFETCH(QByteArray, style);
        QFETCH(QRgb, colour);
        QFETCH(int, where);
        QFETCH(QPoint, offset);
        QFETCH(QStringList, keys);
        m_player->show();
        m_player->setPicking(true);
        const QRgb background = qRgb(0xF0, 0xE8 - 4 * m_cases++, 0xE0);
        playStyle(pickStyle(background, style), background);
        const std::optional<QPoint> at = ChartPixels::find(m_player->frame(), colour,
                                                           ChartPixels::Where(where));
        QVERIFY(at);
        QSignalSpy picked(m_player.get(), &FlashPlayerView::picked);
        ChartPixels::click(*at + offset);
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 1, 10000);
        QCOMPARE(picked.at(0).at(0).toStringList(), keys);
    }

    // The movie on show when picking ends was loaded to pick; the player
    // loads it again, and no click is reported meanwhile.
    void clicksAreNoPicksWhilePickingIsOff()
    {
        m_player->show();
        m_player->setPicking(true);
        playStyle(pickStyle(0xF0F0F0, {}), 0xF0F0F0);
        QSignalSpy picked(m_player.get(), &FlashPlayerView::picked);
        const QPoint title = *ChartPixels::find(m_player->frame(), 0xC00000, ChartPixels::Topmost);
        m_player->setPicking(false);
        ChartPixels::click(title);
        m_dir->writeStyle(pickStyle(0xE0F0F0, {}));
        m_player->setPicking(true); // reloads, from the style written
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), 0xFFE0F0F0, 20000);
        ChartPixels::click(title);
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 1, 10000);
        QCOMPARE(picked.at(0).at(0).toStringList().value(0), QStringLiteral("titleText"));
        m_player->setPicking(false);
    }

    // What keeps a movie from playing is said in the area in the editor's
    // words, in place of the chart that was on show, and none of Ruffle's own
    // panels shows; the next movie that plays takes the message away.
    void unplayableMovieIsSaidInTheArea_data()
    {
        QTest::addColumn<QString>("movie"); // in the application folder, unless absolute
        QTest::addColumn<bool>("write");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("said");
        QTest::newRow("missing") << QStringLiteral("nothing.swf") << false << QByteArray()
                                 << QStringLiteral("was not found");
        QTest::newRow("a folder") << QStringLiteral("ruffle") << false << QByteArray()
                                  << QStringLiteral("was not found");
        QTest::newRow("empty file") << QStringLiteral("blank.swf") << true << QByteArray()
                                    << QStringLiteral("no Flash movie");
        QTest::newRow("a picture") << QStringLiteral("picture.swf") << true
                                   << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                   << QStringLiteral("no Flash movie");
        // Compressed data that does not unpack: Ruffle refuses it.
        QTest::newRow("damaged") << QStringLiteral("short.swf") << true
                                 << QByteArray("CWS\x0a\0\x10\0\0x")
                                 << QStringLiteral("no Flash movie");
        // The real chart, which only its place keeps from playing.
        QTest::newRow("outside the folder") << m_outside.filePath(QStringLiteral("chart.swf"))
                                            << false << QByteArray() << QStringLiteral("outside");
    }

    void unplayableMovieIsSaidInTheArea()
    {
        QFETCH(QString, movie);
        QFETCH(bool, write);
        QFETCH(QByteArray, content);
        QFETCH(QString, said);
        m_player->show();
        m_dir->writeStyle(barStyle("0x204060"));
        play(QStringLiteral("datafile=bars.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(magentaPixels() > 2000, 20000);
        QVERIFY(m_player->message().isEmpty());

        const QString file = QDir::isAbsolutePath(movie) ? movie : m_dir->path() + movie;
        if (write) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        m_player->setMovie(file);
        QTRY_VERIFY_WITH_TIMEOUT(m_player->message().contains(said), 20000);
        QVERIFY2(m_player->message().contains(
                         QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())),
                 qPrintable(m_player->message()));
        QTRY_COMPARE_WITH_TIMEOUT(pixelsNear(0xFFFFFF), m_player->width() * m_player->height(),
                                  20000);

        play(QStringLiteral("datafile=bars.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x20, 0x40, 0x60).rgb(), 20000);
        QTRY_VERIFY(m_player->message().isEmpty());
    }

    // A chart that has drawn stops asking for frames; the next load shows at once.
    void restsOnceDrawnAndShowsTheNextLoadAtOnce()
    {
        m_player->show();
        playStyle(barStyle("0x305070"), qRgb(0x30, 0x50, 0x70));
        QTRY_VERIFY_WITH_TIMEOUT(magentaPixels() > 2000, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(resting(), 20000);
        QCOMPARE(framesAskedWithin(500), 0);
        playStyle(barStyle("0x507030"), qRgb(0x50, 0x70, 0x30));
        QTRY_VERIFY_WITH_TIMEOUT(magentaPixels() > 2000, 20000);
    }

    // Long past the time a still picture takes to rest, a movie that keeps
    // changing its picture still plays every frame.
    void animatingMovieKeepsItsFrames()
    {
        m_player->show();
        const QString movie = m_dir->path() + QStringLiteral("Blinker.swf");
        QVERIFY(QFile::exists(movie) || QFile::copy(QStringLiteral(TREVIX_BLINKER), movie));
        m_player->setMovie(movie);
        const auto blinks = [this] {
            return previewCorner(*m_player) == 0xFF2060A0 || previewCorner(*m_player) == 0xFFA06020;
        };
        QTRY_VERIFY_WITH_TIMEOUT(blinks(), 20000);
        QVERIFY(framesAskedWithin(3000) > 10);
        QVERIFY(!resting());
        const QRgb shown = previewCorner(*m_player);
        QTRY_VERIFY_WITH_TIMEOUT(previewCorner(*m_player) != shown, 10000);
    }

    void inputWakesTheRestingPlayer_data()
    {
        QTest::addColumn<int>("input");
        QTest::newRow("pointer over the movie") << 0;
        QTest::newRow("click") << 1;
        QTest::newRow("key") << 2;
    }

    // Anything the movie may answer wakes it; it rests again once its picture is still.
    void inputWakesTheRestingPlayer()
    {
        QFETCH(int, input);
        m_player->show();
        playStyle(barStyle(input % 2 ? "0x203040" : "0x403020"),
                  input % 2 ? qRgb(0x20, 0x30, 0x40) : qRgb(0x40, 0x30, 0x20));
        QTRY_VERIFY_WITH_TIMEOUT(resting(), 20000);
        QWidget *surface = ChartPixels::pageSurface();
        QVERIFY(surface);
        countFramesAsked();
        switch (input) {
        case 0:
            QTest::mouseMove(surface, QPoint(100, 100));
            QTest::mouseMove(surface, QPoint(200, 150));
            break;
        case 1:
            QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(200, 150));
            break;
        case 2:
            surface->setFocus();
            QTest::keyClick(surface, Qt::Key_Space);
            break;
        }
        QTRY_VERIFY_WITH_TIMEOUT(framesAsked() > 0, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(resting(), 20000);
    }

    void unseenWindowFreezesThePage_data()
    {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("minimised") << true;
        QTest::newRow("hidden") << false;
    }

    // The page of a minimised or hidden window is frozen; a chart written
    // meanwhile is on show once the window is back.
    void unseenWindowFreezesThePage()
    {
        QFETCH(bool, minimised);
        m_player->show();
        playStyle(barStyle("0x204060"), qRgb(0x20, 0x40, 0x60));
        if (minimised)
            m_player->showMinimized();
        else
            m_player->hide();
        QTRY_COMPARE(webView()->page()->lifecycleState(), QWebEnginePage::LifecycleState::Frozen);
        m_dir->writeStyle(barStyle("0x604020"));
        play(QStringLiteral("datafile=data.txt"));
        m_player->showNormal();
        QTRY_COMPARE(webView()->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_player), QColor(0x60, 0x40, 0x20).rgb(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(magentaPixels() > 2000, 20000);
    }
};

QTEST_MAIN(tst_FlashPlayerView)
#include "tst_flashplayerview.moc"

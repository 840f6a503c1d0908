#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "base/ErrorReport.h"
#include "editors/ProfileGrid.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "preview/FlashPlayerView.h"
#include "settings/SettingsBackingStore.h"
#include "support/PageScript.h"
#include "support/PreviewAppDir.h"
#include "support/PreviewCorner.h"
#include "support/TestGrid.h"
#include "support/TestPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <functional>
#include <signal.h>

// The whole road of an edit with the real player offscreen: the editor
// starts on a style, the preview shows its background colour; a colour
// typed into the grid reaches the preview.
class tst_LivePreview : public QObject
{
    Q_OBJECT

private:
    QStringList m_reported;

    // The page's view, in a window of its own shown in the player.
    static QWebEngineView *webView()
    {
        for (QWidget *widget : QApplication::allWidgets()) {
            if (auto *view = qobject_cast<QWebEngineView *>(widget))
                return view;
        }
        return nullptr;
    }

    // Whether the frame shows nothing but the page's white background.
    static bool onlyBackground(const QImage &frame)
    {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            if (std::any_of(line, line + rgb.width(),
                            [](QRgb pixel) { return pixel != 0xFFFFFFFF; }))
                return false;
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
    }

    void typedColourReachesThePreview()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&titleText=Live\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        StyleDocument document;
        MainWindow form(document, dir.path(), {});
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);

        ProfileGrid *grid = form.profileGrid();
        grid->setCurrentIndex(
                valueIndexOf(form, QStringLiteral("bgColor"))); // opens the cell's editor
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("0xC0FFEE"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The grid commits the typed text from the event loop.
        QTRY_COMPARE(valueIndexOf(form, QStringLiteral("bgColor")).data().toString(),
                     QStringLiteral("0xC0FFEE"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0xC0, 0xFF, 0xEE).rgb(),
                                  20000);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }

    // Pixels of the title's red in the frame; its edges blend with the background.
    static int redPixels(const QImage &frame)
    {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        int count = 0;
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            count += int(std::count_if(line, line + rgb.width(), [](QRgb p) {
                return qRed(p) > 0x90 && qGreen(p) < 0x50 && qBlue(p) < 0x60;
            }));
        }
        return count;
    }

    // Text in a font of the system reaches every player the page builds, not
    // only the first: a player without its device fonts draws no text at all.
    void deviceFontTextShowsAfterEveryReload()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&titleText=WWWWWWWWWW\r\n&titleFont=DejaVu "
                          "Sans\r\n&titleSize=24\r\n"
                          "&titleStyle=1\r\n&titleColor=0xC01020\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        StyleDocument document;
        MainWindow form(document, dir.path(), {});
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        QTRY_VERIFY_WITH_TIMEOUT(redPixels(form.player()->frame()) > 50, 10000);
        ParameterTable &table = form.document().table();
        int row = 0;
        while (row < table.count() && table.record(row).name() != QLatin1String("bgColor"))
            ++row;
        QVERIFY(row < table.count());
        for (const QColor next : {QColor(0x20, 0x40, 0x60), QColor(0x30, 0x50, 0x70)}) {
            table.setValue(row, QStringLiteral("0x") + next.name().mid(1).toUpper());
            QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), next.rgb(), 20000);
            QTRY_VERIFY_WITH_TIMEOUT(redPixels(form.player()->frame()) > 50, 10000);
        }
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }

    // A style file dropped on the playing movie, through the window system as
    // a drag from a file manager, opens as on any other part of the window,
    // after the question about unsaved changes; the page itself takes nothing
    // and goes on playing, now the dropped style.
    void fileDroppedOnThePreviewOpens()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        QTemporaryDir elsewhere;
        const QString dropped = elsewhere.filePath(QStringLiteral("dropped.stl"));
        QFile file(dropped);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("&bgColor=0x0000FF\r\n&animation=0\r\n");
        file.close();

        StyleDocument document;

        MainWindow form(document, dir.path(), {});
        TestPrompts prompts;
        prompts.answer = DocumentPrompts::No;
        form.documentCommands().setPrompts(prompts);
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        form.document().setModified(true);

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        const QPoint onTheMovie = form.player()->mapTo(&form, form.player()->rect().center());
        QVERIFY(form.childAt(onTheMovie) != form.player()); // the web view lies over the player
        QWindow *window = form.windowHandle();
        const QPlatformDragQtResponse entered
                = QWindowSystemInterface::handleDrag(window, &data, onTheMovie,
                                                     Qt::CopyAction | Qt::MoveAction
                                                             | Qt::LinkAction,
                                                     Qt::LeftButton, {});
        QVERIFY(entered.isAccepted());
        QWindowSystemInterface::handleDrop(window, &data, onTheMovie,
                                           Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                                           Qt::LeftButton, {});
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(form.document().fileName(), QDir::toNativeSeparators(dropped));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x00, 0x00, 0xFF).rgb(),
                                  20000);
        QVERIFY(webView()->url() != QUrl::fromLocalFile(dropped));
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }

    // The right mouse button on the movie brings up the player's own menu:
    // the movie's entries (a one-frame chart has only the quality) and the
    // player's local ones, none that opens a web page, downloads or picks a
    // file.
    void rightClickShowsThePlayersMenu()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        StyleDocument document;
        MainWindow form(document, dir.path(), {});
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        QWebEngineView *view = webView();
        QVERIFY(view);
        QWidget *surface = view->focusProxy() ? view->focusProxy() : view;
        QTest::mouseClick(surface, Qt::RightButton, {}, surface->rect().center());

        const QString shownEntries = QStringLiteral(R"((() => {
            const player = document.querySelector("ruffle-player");
            const root = player && player.shadowRoot;
            if (!root || root.getElementById("context-menu-overlay").classList.contains("hidden"))
                return null;
            return Array.from(root.querySelectorAll("#context-menu li")).map(
                item => item.classList.contains("menu-separator") ? "-" : item.dataset.text);
        })())");
        QStringList entries;
        QTRY_VERIFY_WITH_TIMEOUT(!(entries = evaluateInPage(view, shownEntries).toStringList())
                                          .isEmpty(),
                                 10000);
        QVERIFY2(entries.contains(QStringLiteral("Quality: High")),
                 qPrintable(entries.join(", "))); // the movie's
        QVERIFY2(entries.contains(QStringLiteral("Volume Controls")),
                 qPrintable(entries.join(", "))); // the player's
        for (const QString &entry : entries) {
            QVERIFY2(!entry.startsWith(QLatin1String("About")), qPrintable(entry));
            QVERIFY2(!entry.contains(QLatin1String("Download")), qPrintable(entry));
            QVERIFY2(!entry.contains(QLatin1String("Save Manager")), qPrintable(entry));
        }
        QVERIFY(entries.first() != QLatin1String("-") && entries.last() != QLatin1String("-"));
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }

    static qint64 rendererPid()
    {
        QWebEngineView *view = webView();
        return view ? view->page()->renderProcessPid() : 0;
    }

    static void setBackground(MainWindow &form, QRgb colour)
    {
        ParameterTable &table = form.document().table();
        int row = 0;
        while (row < table.count() && table.record(row).name() != QLatin1String("bgColor"))
            ++row;
        QVERIFY(row < table.count());
        table.setValue(row, QStringLiteral("0x") + QColor(colour).name().mid(1).toUpper());
    }

    // The process drawing the page is killed under the running editor: a new
    // page shows the chart, the status bar says so, and edits reach it.
    // Killed again as soon as the next restart has begun, the page is not
    // restarted but the area says that the preview stopped; the next edit
    // starts it anew.
    void killedPageIsStartedAnew()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        StyleDocument document;
        MainWindow form(document, dir.path(), {});
        FlashPlayerView *player = form.player();
        QSignalSpy shown(player, &FlashPlayerView::movieShown);
        QSignalSpy restarted(player, &FlashPlayerView::restarted);
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 30000);

        const qint64 first = rendererPid();
        QVERIFY(first > 0);
        QCOMPARE(::kill(pid_t(first), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rendererPid() > 0 && rendererPid() != first, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        QCOMPARE(restarted.size(), 1);
        QVERIFY2(form.statusBar()->currentMessage().contains(QLatin1String("restarted")),
                 qPrintable(form.statusBar()->currentMessage()));
        shown.clear();
        setBackground(form, 0x204060);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x20, 0x40, 0x60).rgb(),
                                  30000);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 30000);

        const qint64 second = rendererPid();
        QCOMPARE(::kill(pid_t(second), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(rendererPid() > 0 && rendererPid() != second, 30000);
        QCOMPARE(::kill(pid_t(rendererPid()), SIGKILL), 0); // long before Ruffle has started in it
        QTRY_VERIFY_WITH_TIMEOUT(player->message().contains(QLatin1String("stopped")), 30000);
        QVERIFY(!player->engineStarted());
        QCOMPARE(restarted.size(), 2);
        QCOMPARE(shown.size(), 1);

        setBackground(form, 0x306090);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x30, 0x60, 0x90).rgb(),
                                  30000);
        QVERIFY(player->message().isEmpty());
        QCOMPARE(restarted.size(), 2);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }

    // Edits made one after another, and with the page started anew every few
    // loads: at a rest, the next edit coming while the new page starts, and
    // at an edit when the page never rests.
    void editsNeverShowAnEmptyPage_data()
    {
        QTest::addColumn<int>("loadsPerPage");      // 0: the player's own
        QTest::addColumn<QList<int>>("restsAfter"); // edits after which the page rests
        QTest::newRow("one page") << 0 << QList<int>();
        QTest::newRow("page started anew at rest after three loads") << 3 << QList<int>{4, 8};
        QTest::newRow("page started anew at a load after six without rest") << 3 << QList<int>();
    }
    void editsNeverShowAnEmptyPage()
    {
        QFETCH(int, loadsPerPage);
        QFETCH(QList<int>, restsAfter);
        PreviewAppDir dir("&bgColor=0x123456\r\n&titleText=Steady\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        StyleDocument document;
        MainWindow form(document, dir.path(), {});
        form.show();
        if (loadsPerPage > 0)
            form.player()->setLoadsPerPage(loadsPerPage);
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*form.player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        ParameterTable &table = form.document().table();
        int row = 0;
        while (row < table.count() && table.record(row).name() != QLatin1String("bgColor"))
            ++row;
        QVERIFY(row < table.count());

        // Every edit is watched from the post until its colour is on show,
        // the preview grabbed as often as the machine allows.
        QList<qint64> gaps;
        int frames = 0;
        // Grabs the preview until done() holds, failing on a frame of the empty page.
        const auto watch = [&](int edit, const std::function<bool(const QImage &)> &done) {
            QElapsedTimer clock;
            clock.start();
            qint64 last = 0;
            for (;;) {
                QCoreApplication::processEvents();
                const QImage frame = form.player()->frame();
                ++frames;
                gaps.append(clock.elapsed() - last);
                last = clock.elapsed();
                QVERIFY2(!onlyBackground(frame),
                         qPrintable(QStringLiteral("edit %1 showed the empty page").arg(edit)));
                if (done(frame))
                    return;
                QVERIFY2(clock.elapsed() < 60000,
                         qPrintable(QStringLiteral("edit %1 never showed").arg(edit)));
            }
        };
        const qint64 firstPage = rendererPid();
        for (int edit = 0; edit < 20; ++edit) {
            const QColor next = QColor::fromHsv(edit * 37 % 360, 200, 200);
            table.setValue(row, QStringLiteral("0x") + next.name().mid(1).toUpper());
            watch(edit, [&](const QImage &frame) { return frame.pixel(6, 6) == next.rgb(); });
            if (QTest::currentTestFailed())
                return;
            if (!restsAfter.contains(edit))
                continue;
            // At rest the page is started anew; the next edit comes as soon as it has begun.
            const qint64 page = rendererPid();
            watch(edit, [&](const QImage &) { return rendererPid() > 0 && rendererPid() != page; });
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(rendererPid() != firstPage, loadsPerPage > 0);
        // How closely the preview was watched depends on the machine: said, not asserted.
        std::sort(gaps.begin(), gaps.end());
        qInfo("%d frames grabbed, %lld ms apart at the median, %lld ms at most", frames,
              gaps.at(gaps.size() / 2), gaps.last());
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }
};

QTEST_MAIN(tst_LivePreview)
#include "tst_livepreview.moc"

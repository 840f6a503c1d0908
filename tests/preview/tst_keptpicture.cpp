#include "app/MainWindow.h"
#include "base/ErrorReport.h"
#include "preview/FlashPlayerView.h"
#include "settings/SettingsBackingStore.h"
#include "settings/WindowStateStore.h"
#include "support/PreviewAppDir.h"
#include "support/WindowUnderTest.h"

#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The picture of the last chart, kept from one run to the next, on a real X
// display (the test runs under Xvfb): what the display shows is what counts.
// A first run keeps the picture; a start on the same inputs shows it before
// its player has drawn and hands over to the live chart without a frame of
// anything else; a start on inputs that differ in any way shows none.
class tst_KeptPicture : public QObject
{
    Q_OBJECT

private:
    static constexpr QRgb Background = 0xFF123456;

    QStringList m_reported;
    std::unique_ptr<PreviewAppDir> m_dir;
    QTemporaryDir m_cache;

    enum Change { Style, DataFile, Movie, MovieSize, Variables };

    void start(WindowUnderTest &form)
    {
        form.open(m_dir->path(), QStringList());
        form->player()->setPictureFolder(m_cache.path());
    }

    // What the display shows of the player.
    static QImage onScreen(MainWindow &form)
    {
        const FlashPlayerView *player = form.player();
        const QPoint at = player->mapToGlobal(QPoint(0, 0));
        return form.screen()
                ->grabWindow(0, at.x(), at.y(), player->width(), player->height())
                .toImage();
    }

    QString appFile(const char *name) const { return m_dir->path() + QLatin1String(name); }

    static void append(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
        m_dir = std::make_unique<PreviewAppDir>(
                "&bgColor=0x123456\r\n&titleText=Kept\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(m_dir->path()
                                              + QStringLiteral("TrevixStyleEditor.conf"));
        QFile::copy(appFile("data.txt"), appFile("data2.txt"));

        // The first run shows no picture and keeps one once its chart has settled.
        WindowUnderTest form;
        start(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(!form->player()->showsKeptPicture());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_cache.filePath(QStringLiteral("preview.png"))),
                                 60000);
        QCOMPARE(onScreen(*form).pixel(6, 6), Background);
    }

    void cleanupTestCase()
    {
        SettingsBackingStore::setUserFilePath(QString());
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
    }

    void unchangedInputsShowThePictureUntilTheLiveChart()
    {
        WindowUnderTest form;
        start(form);
        QSignalSpy shown(form->player(), &FlashPlayerView::movieShown);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->player()->showsKeptPicture());
        // Every frame the display shows from the first one until the live chart has taken
        // over, and a while after, is the chart: never the empty area or an empty page.
        int frames = 0;
        int afterSwap = 0;
        QDeadlineTimer deadline(60000);
        while (afterSwap < 20) {
            QCoreApplication::processEvents();
            const QImage frame = onScreen(*form);
            ++frames;
            QVERIFY2(frame.pixel(6, 6) == Background,
                     qPrintable(QStringLiteral("frame %1 showed %2 %3 the live player had "
                                               "shown its chart, %4")
                                        .arg(frames)
                                        .arg(frame.pixel(6, 6), 0, 16)
                                        .arg(shown.isEmpty() ? "before" : "after")
                                        .arg(form->player()->showsKeptPicture()
                                                     ? "the picture on show"
                                                     : "the picture gone")));
            if (!form->player()->showsKeptPicture())
                ++afterSwap;
            QVERIFY2(!deadline.hasExpired(), "the live chart never took over");
        }
        // The picture was on show before the live player had drawn.
        QVERIFY(!shown.isEmpty());
        QVERIFY(frames > afterSwap);
    }

    void anyDifferenceShowsNoPicture_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("style") << int(Style);
        QTest::newRow("data file") << int(DataFile);
        QTest::newRow("movie") << int(Movie);
        QTest::newRow("movie size") << int(MovieSize);
        QTest::newRow("variables") << int(Variables);
    }

    void anyDifferenceShowsNoPicture()
    {
        QFETCH(int, change);
        const char *file = change == Style      ? "style.txt"
                           : change == DataFile ? "data.txt"
                                                : "trevix.swf";
        QFile original(appFile(file));
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        original.close();
        if (change == Style || change == DataFile || change == Movie)
            append(appFile(file), change == Movie ? QByteArray(1, '\0') : QByteArray("\r\n"));

        WindowUnderTest form;
        start(form);
        WindowStateStore *store = form->stateStore();
        const QVariant width = store->readStoredValue(QStringLiteral("SWFWidth"));
        const QVariant dataFile = store->readStoredValue(QStringLiteral("SWFDataFile"));
        if (change == MovieSize)
            store->writeStoredValue(QStringLiteral("SWFWidth"), width.toInt() + 1);
        if (change == Variables)
            store->writeStoredValue(QStringLiteral("SWFDataFile"), QStringLiteral("data2.txt"));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCoreApplication::processEvents();
        QVERIFY(!form->player()->showsKeptPicture());
        QVERIFY(onScreen(*form).pixel(6, 6) != Background);

        // The next row starts from the inputs of the picture kept; this run closes before
        // its own chart could settle and be kept.
        store->writeStoredValue(QStringLiteral("SWFWidth"), width);
        store->writeStoredValue(QStringLiteral("SWFDataFile"), dataFile);
        form.reset();
        QFile restored(appFile(file));
        QVERIFY(restored.open(QIODevice::WriteOnly));
        QCOMPARE(restored.write(bytes), bytes.size());
    }
};

QTEST_MAIN(tst_KeptPicture)
#include "tst_keptpicture.moc"

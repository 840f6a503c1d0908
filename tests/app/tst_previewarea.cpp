#include "app/MainWindow.h"
#include "app/PreviewArea.h"
#include "preview/FlashPlayerView.h"
#include "settings/WindowStateStore.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

// The preview refresh: sizes from the stored values, the blank movie, the
// variables and the chart movie, in this order. The area stays hidden unless
// a case needs the focus, so the player records the writes without playing.
class tst_PreviewArea : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    const QString m_appDir = m_folder.path() + QLatin1Char('/');
    QVariantMap m_stored;
    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_grid = nullptr;
    PreviewArea *m_preview = nullptr;

    FlashPlayerView *player() const { return m_preview->player(); }

private slots:
    void init()
    {
        m_stored = {{QStringLiteral("SWFFile"), QStringLiteral("trevix.swf")},
                    {QStringLiteral("SWFWidth"), 400},
                    {QStringLiteral("SWFHeight"), 300},
                    {QStringLiteral("SWFDataFile"), QStringLiteral("data.txt")}};
        m_window = std::make_unique<QWidget>();
        auto *splitter = new QSplitter(Qt::Horizontal);
        m_grid = new QLineEdit;
        splitter->addWidget(m_grid);
        m_preview = new PreviewArea(
                splitter, m_grid, m_appDir,
                [this](const QString &name) { return m_stored.value(name); }, m_window.get());
        (new QVBoxLayout(m_window.get()))->addWidget(splitter);
        // Room for the widest movie below beside the grid, laid out while the window stays hidden.
        m_window->resize(3600, 400);
        m_window->layout()->activate();
    }

    void cleanup() { m_window.reset(); }

    void sizesComeFromTheStoredValues_data()
    {
        QTest::addColumn<QVariant>("width");
        QTest::addColumn<QVariant>("height");
        QTest::addColumn<int>("panelWidth");
        QTest::addColumn<QSize>("playerSize");
        QTest::newRow("texts after a restore")
                << QVariant("400") << QVariant("300") << 404 << QSize(400, 300);
        QTest::newRow("numbers from the options")
                << QVariant(640) << QVariant(480) << 644 << QSize(640, 480);
        QTest::newRow("blanks around the text")
                << QVariant(" 250 ") << QVariant("120") << 254 << QSize(250, 120);
        QTest::newRow("fractions round")
                << QVariant("250.6") << QVariant(100.4) << 255 << QSize(251, 100);
    }

    void sizesComeFromTheStoredValues()
    {
        QFETCH(QVariant, width);
        QFETCH(QVariant, height);
        QFETCH(int, panelWidth);
        QFETCH(QSize, playerSize);
        m_stored[QStringLiteral("SWFWidth")] = width;
        m_stored[QStringLiteral("SWFHeight")] = height;
        m_preview->refreshPreview();
        QCOMPARE(m_preview->playerPanel()->width(), panelWidth);
        QCOMPARE(m_preview->panelWidth(), panelWidth);
        QCOMPARE(player()->size(), playerSize);
        QCOMPARE(player()->pos(), QPoint(2, 2));
    }

    void blankMovieThenChartWithItsVariables_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("expectedMovie");
        QTest::addColumn<QString>("expectedVars");
        QTest::newRow("design values") << "trevix.swf"
                                       << "data.txt"
                                       << "trevix.swf"
                                       << "datafile=data.txt";
        QTest::newRow("data file trimmed") << "trevix.swf"
                                           << " \t data 2.txt \x01\r\n"
                                           << "trevix.swf"
                                           << "datafile=data 2.txt";
        QTest::newRow("no data file") << "trevix.swf"
                                      << ""
                                      << "trevix.swf"
                                      << "datafile=";
        QTest::newRow("movie name untrimmed") << " trevix.swf"
                                              << "data.txt"
                                              << " trevix.swf"
                                              << "datafile=data.txt";
        QTest::newRow("movie as a full path") << "/opt/x.swf"
                                              << "data.txt"
                                              << "/opt/x.swf"
                                              << "datafile=data.txt";
        QTest::newRow("nothing escaped") << "a&b.swf"
                                         << "d=1&e=%20"
                                         << "a&b.swf"
                                         << "datafile=d=1&e=%20";
    }

    void blankMovieThenChartWithItsVariables()
    {
        QFETCH(QString, movie);
        QFETCH(QString, dataFile);
        QFETCH(QString, expectedMovie);
        QFETCH(QString, expectedVars);
        player()->setFlashVars(QStringLiteral("before"));
        m_stored[QStringLiteral("SWFFile")] = movie;
        m_stored[QStringLiteral("SWFDataFile")] = dataFile;
        QSignalSpy written(player(), &FlashPlayerView::movieWritten);
        m_preview->refreshPreview();
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(0).at(0).toString(), m_appDir + QStringLiteral("empty.swf"));
        QCOMPARE(written.at(0).at(1).toString(), QStringLiteral("before"));
        QCOMPARE(written.at(1).at(0).toString(), m_appDir + expectedMovie);
        QCOMPARE(written.at(1).at(1).toString(), expectedVars);
        QVERIFY(!m_preview->isRefreshing());
    }

    // A data file the movie would not find is said over the chart, which
    // still plays; the movie reads it from its own folder. The blank movie
    // written next, as New writes it, says nothing.
    void missingDataFileIsSaid_data()
    {
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("said"); // nothing when empty
        QTest::newRow("beside the movie") << "data.txt" << QString();
        QTest::newRow("in a folder beside it") << "sub/data.txt" << QString();
        QTest::newRow("full path") << m_appDir + "sub/data.txt" << QString();
        QTest::newRow("missing") << "other.txt" << m_appDir + "other.txt was not found";
        QTest::newRow("a folder") << "sub" << m_appDir + "sub was not found";
        QTest::newRow("none") << ""
                              << "No data file";
        QTest::newRow("only blanks") << " \t "
                                     << "No data file";
    }

    void missingDataFileIsSaid()
    {
        QFETCH(QString, dataFile);
        QFETCH(QString, said);
        QVERIFY(QDir(m_appDir).mkpath(QStringLiteral("sub")));
        for (const char *name : {"data.txt", "sub/data.txt"}) {
            QFile file(m_appDir + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        m_stored[QStringLiteral("SWFDataFile")] = dataFile;
        m_preview->refreshPreview();
        if (said.isEmpty())
            QVERIFY2(player()->message().isEmpty(), qPrintable(player()->message()));
        else
            QVERIFY2(player()->message().contains(said), qPrintable(player()->message()));
        player()->setMovie(m_appDir + QStringLiteral("empty.swf"));
        QVERIFY(player()->message().isEmpty());
    }

    void refreshDuringARefreshDoesNothing()
    {
        QSignalSpy written(player(), &FlashPlayerView::movieWritten);
        bool flagSeen = false;
        connect(player(), &FlashPlayerView::movieWritten, this, [&] {
            flagSeen = m_preview->isRefreshing();
            m_stored[QStringLiteral("SWFWidth")] = 200;
            m_preview->refreshPreview();
        });
        m_preview->refreshPreview();
        QVERIFY(flagSeen);
        QCOMPARE(written.size(), 2);
        QCOMPARE(player()->width(), 400);
        QVERIFY(!m_preview->isRefreshing());
    }

    // A hand-edited size plays the movie at a size Options allows; one that
    // is no number at all at the default size.
    void storedSizesOutsideTheRange_data()
    {
        QTest::addColumn<QVariant>("width");
        QTest::addColumn<QVariant>("height");
        QTest::addColumn<QSize>("playerSize");
        QTest::newRow("height of a screen's pixels")
                << QVariant("400") << QVariant("16777215") << QSize(400, 3000);
        QTest::newRow("largest int")
                << QVariant("2147483647") << QVariant("2147483647") << QSize(3000, 3000);
        QTest::newRow("below the range") << QVariant("-1e10") << QVariant("0") << QSize(10, 10);
        QTest::newRow("large number after Options")
                << QVariant(1e10) << QVariant(300) << QSize(3000, 300);
        QTest::newRow("no numbers") << QVariant("abc") << QVariant("") << QSize(400, 300);
        QTest::newRow("missing") << QVariant() << QVariant() << QSize(400, 300);
    }

    void storedSizesOutsideTheRange()
    {
        QFETCH(QVariant, width);
        QFETCH(QVariant, height);
        QFETCH(QSize, playerSize);
        m_stored[QStringLiteral("SWFWidth")] = width;
        m_stored[QStringLiteral("SWFHeight")] = height;
        QSignalSpy written(player(), &FlashPlayerView::movieWritten);
        m_preview->refreshPreview();
        QCOMPARE(written.size(), 2);
        QCOMPARE(player()->size(), playerSize);
        QCOMPARE(m_preview->playerPanel()->width(), playerSize.width() + 4);
        QVERIFY(!m_preview->isRefreshing());
    }

    void focusEndsOnTheGrid()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        player()->setFocus();
        QCOMPARE(QApplication::focusWidget(), player());
        m_preview->refreshPreview();
        QCOMPARE(QApplication::focusWidget(), m_grid);
    }

    // The main window's refresh, whoever asks for it, reads its settings store.
    void mainWindowRefreshesFromItsStore()
    {
        TestAppDir dir;
        ReportedErrors reported;
        StyleDocument document;
        MainWindow form(document, dir.dir(), QStringList());
        form.stateStore()->writeStoredValue(QStringLiteral("SWFWidth"), QStringLiteral("250"));
        form.stateStore()->writeStoredValue(QStringLiteral("SWFFile"), QStringLiteral("other.swf"));
        QSignalSpy written(form.player(), &FlashPlayerView::movieWritten);
        form.document().saveStyleValues(form.document().styleTxtPath());
        QCOMPARE(form.player()->width(), 250);
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(1).at(0).toString(),
                 form.document().appDir() + QStringLiteral("other.swf"));
        reported.verifyNoneShown();
    }
};

QTEST_MAIN(tst_PreviewArea)
#include "tst_previewarea.moc"

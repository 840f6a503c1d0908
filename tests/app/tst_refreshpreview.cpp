#include "base/EditorError.h"
#include "base/ErrorReport.h"
#include "app/TMainForm.h"
#include "editors/ProfileGrid.h"
#include "preview/TShockwaveFlash.h"
#include "settings/SettingsBackingStore.h"
#include "settings/TFormStorage.h"

#include <QFrame>
#include <QLayout>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The preview refresh of the main window: sizes from the stored values,
// the blank movie, the variables and the chart movie, in this order. The
// window stays hidden, so the player records the writes without playing.
class tst_RefreshPreview : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_reported;
    ErrorReport::Handler m_previous;

    void store(const char *name, const QVariant &value)
    {
        m_form->FormStorage->WriteStoredValue(QLatin1String(name), value);
    }

    QString appDir() const { return m_form->document().FAppDir; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const char *name : {"Style.xml", "style.txt", "data.txt"})
            QVERIFY(QFile::copy(QStringLiteral(TREVIX_SAMPLE_DIR "/") + QLatin1String(name), m_dir->filePath(QLatin1String(name))));
        QFile::setPermissions(m_dir->filePath(QStringLiteral("style.txt")), QFile::ReadOwner | QFile::WriteOwner);
        SettingsBackingStore::setUserFilePath(m_dir->filePath(QStringLiteral("TrevixStyleEditor.conf")));
        m_reported.clear();
        m_previous = ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
        m_form = std::make_unique<TMainForm>(m_dir->path(), QStringList());
        // Room for the widest movie below beside the grid, laid out while the window stays hidden.
        m_form->resize(3600, 400);
        m_form->layout()->activate();
    }

    void cleanup()
    {
        m_form.reset();
        ErrorReport::setHandler(m_previous);
        SettingsBackingStore::setUserFilePath(QString());
        m_dir.reset();
    }

    void sizesComeFromTheStoredValues_data()
    {
        QTest::addColumn<QVariant>("width");
        QTest::addColumn<QVariant>("height");
        QTest::addColumn<int>("panelWidth");
        QTest::addColumn<QSize>("playerSize");
        QTest::newRow("texts after a restore") << QVariant("400") << QVariant("300") << 404 << QSize(400, 300);
        QTest::newRow("numbers from the options") << QVariant(640) << QVariant(480) << 644 << QSize(640, 480);
        QTest::newRow("blanks around the text") << QVariant(" 250 ") << QVariant("120") << 254 << QSize(250, 120);
        QTest::newRow("fractions round") << QVariant("250.6") << QVariant(100.4) << 255 << QSize(251, 100);
    }

    void sizesComeFromTheStoredValues()
    {
        QFETCH(QVariant, width);
        QFETCH(QVariant, height);
        QFETCH(int, panelWidth);
        QFETCH(QSize, playerSize);
        store("SWFWidth", width);
        store("SWFHeight", height);
        m_form->RefreshPreview();
        QCOMPARE(m_form->PanelFlash()->width(), panelWidth);
        QCOMPARE(m_form->ShockwaveFlash()->size(), playerSize);
        QCOMPARE(m_form->ShockwaveFlash()->pos(), QPoint(2, 2));
    }

    void blankMovieThenChartWithItsVariables_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("expectedMovie");
        QTest::addColumn<QString>("expectedVars");
        QTest::newRow("design values") << "trevix.swf" << "data.txt" << "trevix.swf" << "datafile=data.txt";
        QTest::newRow("data file trimmed") << "trevix.swf" << " \t data 2.txt \x01\r\n" << "trevix.swf" << "datafile=data 2.txt";
        QTest::newRow("no data file") << "trevix.swf" << "" << "trevix.swf" << "datafile=";
        QTest::newRow("movie name untrimmed") << " trevix.swf" << "data.txt" << " trevix.swf" << "datafile=data.txt";
        QTest::newRow("movie as a full path") << "/opt/x.swf" << "data.txt" << "/opt/x.swf" << "datafile=data.txt";
        QTest::newRow("nothing escaped") << "a&b.swf" << "d=1&e=%20" << "a&b.swf" << "datafile=d=1&e=%20";
    }

    void blankMovieThenChartWithItsVariables()
    {
        QFETCH(QString, movie);
        QFETCH(QString, dataFile);
        QFETCH(QString, expectedMovie);
        QFETCH(QString, expectedVars);
        m_form->ShockwaveFlash()->setFlashVars(QStringLiteral("before"));
        store("SWFFile", movie);
        store("SWFDataFile", dataFile);
        QSignalSpy written(m_form->ShockwaveFlash(), &TShockwaveFlash::movieWritten);
        m_form->RefreshPreview();
        QCOMPARE(written.size(), 2);
        QCOMPARE(written.at(0).at(0).toString(), appDir() + QStringLiteral("empty.swf"));
        QCOMPARE(written.at(0).at(1).toString(), QStringLiteral("before"));
        QCOMPARE(written.at(1).at(0).toString(), appDir() + expectedMovie);
        QCOMPARE(written.at(1).at(1).toString(), expectedVars);
        QVERIFY(!m_form->FRefreshing);
    }

    void refreshDuringARefreshDoesNothing()
    {
        QSignalSpy written(m_form->ShockwaveFlash(), &TShockwaveFlash::movieWritten);
        bool flagSeen = false;
        connect(m_form->ShockwaveFlash(), &TShockwaveFlash::movieWritten, this, [&] {
            flagSeen = m_form->FRefreshing;
            store("SWFWidth", 200);
            m_form->RefreshPreview();
        });
        m_form->RefreshPreview();
        QVERIFY(flagSeen);
        QCOMPARE(written.size(), 2);
        QCOMPARE(m_form->ShockwaveFlash()->width(), 400);
        QVERIFY(!m_form->FRefreshing);
    }

    void sizeThatIsNoNumberFailsBeforeThePlayer_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("width text") << QByteArray("SWFWidth") << QVariant("abc");
        QTest::newRow("empty height") << QByteArray("SWFHeight") << QVariant("");
        QTest::newRow("no value") << QByteArray("SWFWidth") << QVariant();
        // Numbers, but no whole number of pixels fits them.
        QTest::newRow("width beyond an int") << QByteArray("SWFWidth") << QVariant("1e10");
        QTest::newRow("height beyond an int") << QByteArray("SWFHeight") << QVariant("1e10");
        QTest::newRow("just past the largest int") << QByteArray("SWFWidth") << QVariant("2147483648");
        QTest::newRow("far below zero") << QByteArray("SWFHeight") << QVariant("-1e10");
        QTest::newRow("large number after Options") << QByteArray("SWFWidth") << QVariant(1e10);
    }

    void sizeThatIsNoNumberFailsBeforeThePlayer()
    {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        store(name.constData(), value);
        QSignalSpy written(m_form->ShockwaveFlash(), &TShockwaveFlash::movieWritten);
        QVERIFY(!ErrorReport::guard([this] { m_form->RefreshPreview(); }));
        QCOMPARE(m_reported, QStringList{QStringLiteral("Invalid variant type conversion.")});
        QCOMPARE(written.size(), 0);
        QCOMPARE(m_form->PanelFlash()->width(), 404);
        // The guard is down again: the next refresh runs once the value is repaired.
        QVERIFY(!m_form->FRefreshing);
        store(name.constData(), "320");
        m_form->RefreshPreview();
        QCOMPARE(written.size(), 2);
    }

    void focusEndsOnTheGrid()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_form->ShockwaveFlash()->setFocus();
        m_form->RefreshPreview();
        QCOMPARE(QApplication::focusWidget(), m_form->ProfileGridView());
    }
};

QTEST_MAIN(tst_RefreshPreview)
#include "tst_refreshpreview.moc"

#include "preview/FlashPlayerView.h"
#include "preview/PreviewEngine.h"
#include "preview/PreviewEngineLoader.h"

#include <QFile>
#include <QOpenGLContext>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Finding and loading the web engine plugin. The cases run in order: once
// loaded, the engine serves the rest of the run.
class tst_PreviewEngineLoader : public QObject
{
    Q_OBJECT

private slots:
    void playerWithoutEngineStaysEmpty()
    {
        QTemporaryDir empty;
        FlashPlayerView player;
        player.setAppDir(empty.path());
        player.setMovie(empty.filePath(QStringLiteral("movie.swf")));
        player.show();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("is in none of")));
        player.grab(); // the first paint starts the engine from the event loop
        QCoreApplication::processEvents();
        QVERIFY(!player.engineStarted());
        // Later movies leave the area empty without looking again.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        player.setMovie(empty.filePath(QStringLiteral("other.swf")));
        QCoreApplication::processEvents();
        QVERIFY(!player.engineStarted());
    }

    void fileThatIsNoPluginIsReported()
    {
        QTemporaryDir folder;
        QFile file(folder.filePath(PreviewEngineLoader::fileName()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a library");
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be loaded")));
        QVERIFY(!PreviewEngineLoader::engine({folder.path(), QStringLiteral(TREVIX_BUILD_APP_DIR)}));
    }

    void loadsThePluginFromTheFirstFolderThatHoldsIt()
    {
        QTemporaryDir empty;
        PreviewEngine *engine = PreviewEngineLoader::engine(
                {empty.path(), QStringLiteral(TREVIX_BUILD_APP_DIR)});
        QVERIFY(engine);
        // The engine's library needs the global share context set before it loads.
        QVERIFY(QOpenGLContext::globalShareContext());
        QCOMPARE(PreviewEngineLoader::engine({}), engine);
    }
};

QTEST_MAIN(tst_PreviewEngineLoader)
#include "tst_previewengineloader.moc"

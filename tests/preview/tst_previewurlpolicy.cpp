#include "preview/PreviewUrlPolicy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The preview page's confinement: a temporary tree with the application
// folder, a sibling whose name starts like it, and links in both directions.
class tst_PreviewUrlPolicy : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    PreviewUrlPolicy m_policy;

    QString path(const QString &relative) const
    {
        return m_root.path() + QLatin1Char('/') + relative;
    }
    QUrl fileUrl(const QString &relative) const { return QUrl::fromLocalFile(path(relative)); }

private slots:
    void initTestCase()
    {
        QDir root(m_root.path());
        for (const char *dir : {"app/ruffle", "app2", "outside"})
            QVERIFY(root.mkpath(QLatin1String(dir)));
        for (const char *file : {"app/trevix.swf", "app2/x.txt", "outside/secret.txt"}) {
            QFile f(path(QLatin1String(file)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(path(QStringLiteral("outside/secret.txt")),
                            path(QStringLiteral("app/leak.txt"))));
        QVERIFY(QFile::link(path(QStringLiteral("outside")), path(QStringLiteral("app/linkdir"))));
        QVERIFY(QFile::link(path(QStringLiteral("app/trevix.swf")),
                            path(QStringLiteral("outside/in.swf"))));
        m_policy.allowFolder(path(QStringLiteral("app")));
    }

    void allows_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("file in the folder") << fileUrl("app/trevix.swf") << true;
        QTest::newRow("file in a subfolder") << fileUrl("app/ruffle/ruffle.js") << true;
        QTest::newRow("missing file in the folder") << fileUrl("app/data2.txt") << true;
        QTest::newRow("the folder itself") << fileUrl("app") << true;
        QTest::newRow("link from outside into the folder") << fileUrl("outside/in.swf") << true;
        QTest::newRow("sibling with the same prefix") << fileUrl("app2/x.txt") << false;
        QTest::newRow("dot-dot out of the folder")
                << QUrl(fileUrl("app").toString() + "/../outside/secret.txt") << false;
        QTest::newRow("encoded dot-dot")
                << QUrl(fileUrl("app").toString() + "/%2E%2E/outside/secret.txt") << false;
        QTest::newRow("link to a file outside") << fileUrl("app/leak.txt") << false;
        QTest::newRow("missing file behind a link outside")
                << fileUrl("app/linkdir/new.txt") << false;
        QTest::newRow("parent folder") << fileUrl("") << false;
        QTest::newRow("system file") << QUrl(QStringLiteral("file:///etc/passwd")) << false;
        QTest::newRow("file on another host")
                << QUrl(QStringLiteral("file://server") + path("app/trevix.swf")) << false;
        QTest::newRow("web") << QUrl(QStringLiteral("https://example.com/chart.swf")) << false;
        QTest::newRow("plain http") << QUrl(QStringLiteral("http://127.0.0.1/")) << false;
        QTest::newRow("websocket") << QUrl(QStringLiteral("ws://127.0.0.1:8080/")) << false;
        QTest::newRow("data url") << QUrl(QStringLiteral("data:text/html,<p>page</p>")) << true;
    }

    void allows()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, allowed);
        QCOMPARE(m_policy.allows(url), allowed);
    }

    void nothingAllowedWithoutFolders()
    {
        QVERIFY(!PreviewUrlPolicy().allows(fileUrl("app/trevix.swf")));
    }
};

QTEST_APPLESS_MAIN(tst_PreviewUrlPolicy)
#include "tst_previewurlpolicy.moc"

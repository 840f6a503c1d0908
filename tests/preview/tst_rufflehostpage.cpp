#include "preview/RuffleHostPage.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

// The host page's Ruffle configuration and the scripts the player runs in it.
class tst_RuffleHostPage : public QObject
{
    Q_OBJECT

private:
    // The arguments of a "trevixLoad(...);" call, read back as JSON.
    static QJsonArray loadArguments(const QString &script)
    {
        const QString prefix = QStringLiteral("trevixLoad(");
        if (!script.startsWith(prefix) || !script.endsWith(QLatin1String(");")))
            return {};
        const QString args = script.mid(prefix.size(), script.size() - prefix.size() - 2);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson('[' + args.toUtf8() + ']', &error);
        return error.error == QJsonParseError::NoError ? doc.array() : QJsonArray();
    }

private slots:
    void configFollowsTheDesignSettings()
    {
        const QJsonObject c
                = RuffleHostPage(QStringLiteral("/opt/app dir/ruffle"), FlashSettings()).config();
        QCOMPARE(c.value("publicPath").toString(), QStringLiteral("file:///opt/app%20dir/ruffle/"));
        QCOMPARE(c.value("scale").toString(), QStringLiteral("showall"));
        QCOMPARE(c.value("quality").toString(), QStringLiteral("high"));
        QCOMPARE(c.value("autoplay").toString(), QStringLiteral("on"));
        // The design's "always" notwithstanding, the movie never runs script in the page.
        QCOMPARE(c.value("allowScriptAccess").toBool(), false);
        QCOMPARE(c.value("allowNetworking").toString(), QStringLiteral("all"));
        QCOMPARE(c.value("allowFullscreen").toBool(), false);
        QVERIFY(!c.contains("backgroundColor")); // the movie's own background
        QVERIFY(!c.contains("defaultFonts"));
        // The preview shows the movie only: no splash, overlay, bars or links; the player's menu is there.
        QCOMPARE(c.value("splashScreen").toBool(), false);
        QCOMPARE(c.value("unmuteOverlay").toString(), QStringLiteral("hidden"));
        QCOMPARE(c.value("contextMenu").toString(), QStringLiteral("on"));
        QCOMPARE(c.value("menu").toBool(), true);
        QCOMPARE(c.value("letterbox").toString(), QStringLiteral("off"));
        QCOMPARE(c.value("openUrlMode").toString(), QStringLiteral("deny"));
        QCOMPARE(c.value("preferredRenderer").toString(), QStringLiteral("canvas"));
    }

    void configTakesChangedSettings()
    {
        FlashSettings s;
        s.playing = false;
        s.scale = QStringLiteral("NoBorder");
        s.bgColor = QStringLiteral("#102030");
        const QJsonObject c = RuffleHostPage(QStringLiteral("/r"), s).config();
        QCOMPARE(c.value("autoplay").toString(), QStringLiteral("off"));
        QCOMPARE(c.value("scale").toString(), QStringLiteral("noborder"));
        QCOMPARE(c.value("backgroundColor").toString(), QStringLiteral("#102030"));
    }

    void unknownFontsFallBackToTheSystemSans()
    {
        const QJsonObject c = RuffleHostPage(QStringLiteral("/r"), FlashSettings(),
                                             QStringLiteral("DejaVu Sans"))
                                      .config();
        QCOMPARE(c.value("defaultFonts").toObject().value("sans").toArray(),
                 QJsonArray{QStringLiteral("DejaVu Sans")});
    }

    void pageLoadsRuffleFromItsFolder()
    {
        const QString html
                = RuffleHostPage(QStringLiteral("/opt/app/ruffle"), FlashSettings()).html();
        QVERIFY(html.contains(
                QLatin1String("<script src=\"file:///opt/app/ruffle/ruffle.js\"></script>")));
        QVERIFY(html.contains(QLatin1String("window.trevixLoad")));
        QVERIFY(html.contains(QLatin1String("window.trevixClear")));
    }

    void policyAllowsOnlyThePagesOwnInlineScripts()
    {
        const QString html
                = RuffleHostPage(QStringLiteral("/opt/app/ruffle"), FlashSettings()).html();
        const QRegularExpression policyTag(QStringLiteral(
                "<meta http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\">"));
        const QString policy = policyTag.match(html).captured(1);
        for (const char *closed :
             {"default-src 'none'", "frame-src 'none'", "worker-src 'none'", "form-action 'none'"})
            QVERIFY2(policy.contains(QLatin1String(closed)), closed);
        const QString scriptSources
                = policy.section(QLatin1String("script-src "), 1).section(QLatin1Char(';'), 0, 0);
        QVERIFY(!scriptSources.contains(QLatin1String("'unsafe-inline'")));
        QVERIFY(!scriptSources.contains(QLatin1String("'unsafe-eval'")));
        // Each inline script is allowed by its hash, and no other.
        const QRegularExpression inline_(QStringLiteral("<script>(.*?)</script>"),
                                         QRegularExpression::DotMatchesEverythingOption);
        QStringList hashes;
        for (const QRegularExpressionMatch &m : inline_.globalMatch(html)) {
            hashes << QStringLiteral("'sha256-%1'")
                              .arg(QString::fromLatin1(
                                      QCryptographicHash::hash(m.captured(1).toUtf8(),
                                                               QCryptographicHash::Sha256)
                                              .toBase64()));
        }
        QCOMPARE(hashes.size(), 2);
        const QRegularExpression allowed(QStringLiteral("'sha256-[^']*'"));
        QStringList inPolicy;
        for (const QRegularExpressionMatch &m : allowed.globalMatch(policy))
            inPolicy << m.captured(0);
        QCOMPARE(inPolicy, hashes);
    }

    void loadScriptCarriesAnyTextIntact_data()
    {
        QTest::addColumn<QString>("flashVars");
        QTest::newRow("plain") << QStringLiteral("datafile=data.txt");
        QTest::newRow("empty") << QString();
        QTest::newRow("quotes and backslashes") << QStringLiteral("datafile=a\"b'c\\d");
        QTest::newRow("script end")
                << QStringLiteral("datafile=</script><script>alert(1)</script>");
        QTest::newRow("line breaks")
                << QStringLiteral("datafile=a\nb\r\n") + QChar(0x2028) + QChar(0x2029);
        QTest::newRow("call break-out")
                << QStringLiteral("x\"); fetch(\"http://127.0.0.1/\"); (\"");
        QTest::newRow("non-latin") << QStringLiteral("datafile=данные.txt");
    }

    void loadScriptCarriesAnyTextIntact()
    {
        QFETCH(QString, flashVars);
        const QString script = RuffleHostPage::loadScript(QStringLiteral("/app/my chart#1.swf"),
                                                          flashVars, QStringLiteral("/app"),
                                                          {QStringLiteral("/tmp/f/0-0.ttf")}, false,
                                                          42);
        QVERIFY(!script.contains(QChar(0x2028)) && !script.contains(QChar(0x2029)));
        QVERIFY(!script.contains(QLatin1String("</")));
        const QJsonArray args = loadArguments(script);
        QCOMPARE(args.size(), 6);
        QCOMPARE(args.at(0).toString(), QStringLiteral("file:///app/my%20chart%231.swf"));
        QCOMPARE(args.at(1).toString(), flashVars);
        QCOMPARE(args.at(2).toString(), QStringLiteral("file:///app/"));
        QCOMPARE(args.at(3).toArray(), QJsonArray{QStringLiteral("file:///tmp/f/0-0.ttf")});
        QCOMPARE(args.at(4), QJsonValue(false));
        QCOMPARE(args.at(5), QJsonValue(42));
    }

    // A movie loaded to pick learns it from one more variable; the page gives it script access.
    void loadScriptForPickingAddsTheVariable()
    {
        const QJsonArray args = loadArguments(
                RuffleHostPage::loadScript(QStringLiteral("/app/trevix.swf"),
                                           QStringLiteral("datafile=data.txt"),
                                           QStringLiteral("/app"), {}, true));
        QCOMPARE(args.size(), 6);
        QCOMPARE(args.at(1).toString(), QStringLiteral("datafile=data.txt&pick=1"));
        QCOMPARE(args.at(4), QJsonValue(true));
    }
};

QTEST_APPLESS_MAIN(tst_RuffleHostPage)
#include "tst_rufflehostpage.moc"

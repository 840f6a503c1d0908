#include "help/ChmSitemap.h"

#include <QtTest>

// Flattens entries as "name>local" lines indented by depth, for comparison.
static QStringList flatten(const QList<ChmSitemapEntry> &entries, int depth = 0)
{
    QStringList lines;
    for (const ChmSitemapEntry &e : entries) {
        lines << QString(depth, QLatin1Char(' ')) + e.name + QLatin1Char('>') + e.local;
        lines << flatten(e.children, depth + 1);
    }
    return lines;
}

static QByteArray item(const char *name, const char *local)
{
    return QByteArray("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"") + name
           + "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

class tst_ChmSitemap : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void tst_ChmSitemap::parse_data()
{
    QTest::addColumn<QByteArray>("sitemap");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("flat") << "<UL>" + item("A", "a.html") + item("B", "b.html") + "</UL>"
                          << QStringList{"A>a.html", "B>b.html"};
    QTest::newRow("nested, then back out")
            << "<UL>" + item("A", "a.html") + "<UL>" + item("A1", "a1.html") + "<UL>"
                       + item("A11", "x.html") + "</UL></UL>" + item("B", "b.html") + "</UL>"
            << QStringList{"A>a.html", " A1>a1.html", "  A11>x.html", "B>b.html"};
    QTest::newRow("heading without topic") << "<ul><li><object type=\"text/sitemap\"><param "
                                              "name=\"Name\" value=\"Part\"></object><ul>"
                                                      + item("A", "a.html") + "</ul></ul>"
                                           << QStringList{"Part>", " A>a.html"};
    QTest::newRow("site properties are no entry")
            << "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" "
               "value=\"0x800025\"></OBJECT><UL>"
                       + item("A", "a.html") + "</UL>"
            << QStringList{"A>a.html"};
    QTest::newRow("character references and quoting")
            << QByteArray("<ul><li><object type='text/sitemap'><param name=Name value='Fish &amp; "
                          "Chips &#60;1&#x3E;'>"
                          "<param name=\"Local\" value=\"f&amp;c.html\"></object></ul>")
            << QStringList{"Fish & Chips <1>>f&c.html"};
    QTest::newRow("first name counts")
            << QByteArray("<ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
                          "value=\"One\"><param name=\"Name\" value=\"Two\">"
                          "<param name=\"Local\" value=\"a.html\"></object></ul>")
            << QStringList{"One>a.html"};
    QTest::newRow("unbalanced closing list")
            << "</UL></UL><UL>" + item("A", "a.html") << QStringList{"A>a.html"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void tst_ChmSitemap::parse()
{
    QFETCH(QByteArray, sitemap);
    QFETCH(QStringList, expected);
    QCOMPARE(flatten(ChmSitemap::parse(sitemap)), expected);
}

QTEST_GUILESS_MAIN(tst_ChmSitemap)
#include "tst_chmsitemap.moc"

#include "settings/ChmFile.h"
#include "settings/ChmSitemap.h"
#include "settings/PopupTopics.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Builds a small help file with the help compiler and reads it back.
class TestChmFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsTopicsAndReportsMissingOnes();
    void readsProjectSettings();
    void mapsContextNumbersToTopics();
    void readsContentsAndPopupTopics();
    void missingFileIsNotOpen();

private:
    void write(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
    QString m_chm;
};

void TestChmFile::write(const QString &name, const QByteArray &content)
{
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestChmFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    write("help.hhp", "[OPTIONS]\n"
                      "Compiled file=help.chm\n"
                      "Contents file=toc.hhc\n"
                      "Index file=keys.hhk\n"
                      "Default topic=Start.html\n"
                      "Title=Test Help\n\n"
                      "[FILES]\nStart.html\nSettings.html\nCSHelp.txt\n\n"
                      "[MAP]\n#define IDH_SETTINGS 1050\n#define IDH_START 7\n\n"
                      "[ALIAS]\nIDH_SETTINGS=Settings.html\nIDH_START=Start.html\n");
    write("Start.html", "<html><head><title>Start</title></head><body><p>Start here</p></body></html>");
    write("Settings.html", "<html><head><title>Settings</title></head><body><p>Area size</p></body></html>");
    write("CSHelp.txt", ".topic 1\nFirst popup\n\n.topic 2\nSecond popup,\ntwo lines\n");
    const QByteArray sitemap = "<html><body><ul>"
                               "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Start\">"
                               "<param name=\"Local\" value=\"Start.html\"></object>"
                               "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Settings\">"
                               "<param name=\"Local\" value=\"Settings.html\"></object></ul>"
                               "</ul></body></html>";
    write("toc.hhc", sitemap);
    write("keys.hhk", sitemap);

    QProcess compiler;
    compiler.setWorkingDirectory(m_dir.path());
    compiler.start(QStringLiteral(TREVIX_CHMCMD), {QStringLiteral("--no-html-scan"), m_dir.filePath("help.hhp")});
    QVERIFY(compiler.waitForFinished(60000));
    QCOMPARE(compiler.exitCode(), 0);
    m_chm = m_dir.filePath("help.chm");
    QVERIFY(QFile::exists(m_chm));
}

void TestChmFile::readsTopicsAndReportsMissingOnes()
{
    ChmFile chm(m_chm);
    QVERIFY(chm.isOpen());
    const std::optional<QByteArray> topic = chm.read("/Settings.html");
    QVERIFY(topic.has_value());
    QVERIFY(topic->contains("<p>Area size</p>"));
    QVERIFY(chm.read("/settings.html").has_value()); // case does not matter
    QVERIFY(!chm.read("/Missing.html").has_value());
}

void TestChmFile::readsProjectSettings()
{
    ChmFile chm(m_chm);
    QCOMPARE(chm.contentsFile(), QStringLiteral("toc.hhc"));
    QCOMPARE(chm.indexFile(), QStringLiteral("keys.hhk"));
    QCOMPARE(chm.defaultTopic(), QStringLiteral("Start.html"));
    QCOMPARE(chm.title(), QStringLiteral("Test Help"));
}

void TestChmFile::mapsContextNumbersToTopics()
{
    ChmFile chm(m_chm);
    QCOMPARE(chm.topicForContext(1050), QStringLiteral("Settings.html"));
    QCOMPARE(chm.topicForContext(7), QStringLiteral("Start.html"));
    QCOMPARE(chm.topicForContext(8), QString());
}

void TestChmFile::readsContentsAndPopupTopics()
{
    ChmFile chm(m_chm);
    const QList<ChmSitemapEntry> toc = ChmSitemap::parse(chm.read('/' + chm.contentsFile()).value());
    QCOMPARE(toc.size(), 1);
    QCOMPARE(toc[0].local, QStringLiteral("Start.html"));
    QCOMPARE(toc[0].children.size(), 1);
    QCOMPARE(toc[0].children[0].name, QStringLiteral("Settings"));

    const QByteArray popups = chm.read("/CSHelp.txt").value();
    QCOMPARE(PopupTopics::text(popups, 1), QStringLiteral("First popup"));
    QCOMPARE(PopupTopics::text(popups, 2), QStringLiteral("Second popup,\ntwo lines"));
    QCOMPARE(PopupTopics::text(popups, 3), QString());
}

void TestChmFile::missingFileIsNotOpen()
{
    ChmFile chm(m_dir.filePath("none.chm"));
    QVERIFY(!chm.isOpen());
    QVERIFY(!chm.read("/Start.html").has_value());
    QCOMPARE(chm.topicForContext(1050), QString());
}

QTEST_GUILESS_MAIN(TestChmFile)
#include "tst_chmfile.moc"

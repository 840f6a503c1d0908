#include "help/ChmFile.h"
#include "help/ChmSitemap.h"
#include "help/PopupTopics.h"
#include "support/TestHelpFile.h"

#include <QTemporaryDir>
#include <QtTest>

// Builds a small help file with the help compiler and reads it back.
class tst_ChmFile : public QObject
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
    QTemporaryDir m_dir;
    QString m_chm;
};

void tst_ChmFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_chm = buildTestHelpFile(m_dir.path());
    QVERIFY(!m_chm.isEmpty());
}

void tst_ChmFile::readsTopicsAndReportsMissingOnes()
{
    ChmFile chm(m_chm);
    QVERIFY(chm.isOpen());
    const std::optional<QByteArray> topic = chm.read("/Settings.html");
    QVERIFY(topic.has_value());
    QVERIFY(topic->contains("<p>Area size</p>"));
    QVERIFY(chm.read("/settings.html").has_value()); // case does not matter
    QVERIFY(!chm.read("/Missing.html").has_value());
}

void tst_ChmFile::readsProjectSettings()
{
    ChmFile chm(m_chm);
    QCOMPARE(chm.contentsFile(), QStringLiteral("toc.hhc"));
    QCOMPARE(chm.indexFile(), QStringLiteral("keys.hhk"));
    QCOMPARE(chm.defaultTopic(), QStringLiteral("Start.html"));
    QCOMPARE(chm.title(), QStringLiteral("Test Help"));
}

void tst_ChmFile::mapsContextNumbersToTopics()
{
    ChmFile chm(m_chm);
    QCOMPARE(chm.topicForContext(1050), QStringLiteral("Settings.html"));
    QCOMPARE(chm.topicForContext(7), QStringLiteral("Start.html"));
    QCOMPARE(chm.topicForContext(8), QString());
}

void tst_ChmFile::readsContentsAndPopupTopics()
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

void tst_ChmFile::missingFileIsNotOpen()
{
    ChmFile chm(m_dir.filePath("none.chm"));
    QVERIFY(!chm.isOpen());
    QVERIFY(!chm.read("/Start.html").has_value());
    QCOMPARE(chm.topicForContext(1050), QString());
}

QTEST_GUILESS_MAIN(tst_ChmFile)
#include "tst_chmfile.moc"

#include "app/EditorError.h"
#include "app/StyleDocument.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The document over a small profile in a temporary application folder.
class tst_StyleDocument : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Loads a profile the way start-up does.
    void loadProfile(StyleDocument &doc, const QByteArray &xml)
    {
        writeFile(QStringLiteral("Style.xml"), xml);
        doc.FAppDir = m_dir.path() + QLatin1Char('/');
        doc.XML.LoadFromFile(doc.FAppDir + QStringLiteral("Style.xml"));
        doc.FNextId = 1;
        doc.FTableReady = false;
        doc.LoadProfileItem(doc.XML.Root(), QString());
        doc.XMLMemoryData.first();
        doc.FTableReady = true;
    }

    static QStringList records(StyleDocument &doc)
    {
        QStringList out;
        for (int i = 0; i < doc.XMLMemoryData.count(); ++i) {
            const ParameterRecord &r = doc.XMLMemoryData.record(i);
            out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                       .arg(r.id).arg(r.pGroup(), r.pName(), r.pText(), r.pType(), r.pValues(), r.pDefault());
        }
        return out;
    }

    static QByteArray threeParameters()
    {
        return "<root>root<s>Chart<bgColor type=\"color\" default=\"0xFFFFFF\">Background</bgColor>"
               "<title>Title</title><width type=\"spin\" values=\"0,10\" default=\"5\">Width</width></s></root>";
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void profileBecomesRecords_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("one section, two parameters")
            << QByteArray("<root><s>Chart<a type=\"list\" values=\"x,y\" default=\"x\">A</a><b>B</b></s></root>")
            << QStringList({"1|Chart|a|A|list|x,y|x", "2|Chart|b|B|||"});
        QTest::newRow("outermost text root")
            << QByteArray("<r>root<s>Chart<a>A</a></s></r>") << QStringList({"1|Chart|a|A|||"});
        QTest::newRow("outermost text other than root makes sections records")
            << QByteArray("<r>Top<s>Chart<a>A</a></s></r>") << QStringList({"1|Top|s|Chart|||", "2|Chart|a|A|||"});
        QTest::newRow("elements below a parameter group under its caption")
            << QByteArray("<r><s>S<p>Caption<q>Q</q></p></s></r>") << QStringList({"1|S|p|Caption|||", "2|Caption|q|Q|||"});
        QTest::newRow("a section without text yields nothing below it")
            << QByteArray("<r><s><a>A</a></s></r>") << QStringList();
        QTest::newRow("attribute names ignore case")
            << QByteArray("<r><s>S<a TYPE=\"spin\" Default=\"3\">A</a></s></r>") << QStringList({"1|S|a|A|spin||3"});
        QTest::newRow("long key cut to 20")
            << QByteArray("<r><s>S<abcdefghijklmnopqrstuvwxy>A</abcdefghijklmnopqrstuvwxy></s></r>")
            << QStringList({"1|S|abcdefghijklmnopqrst|A|||"});
    }

    void profileBecomesRecords()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, expected);
        StyleDocument doc;
        loadProfile(doc, xml);
        QCOMPARE(records(doc), expected);
        QCOMPARE(doc.FNextId, expected.size() + 1);
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("<missing>")); // loading writes nothing
    }

    void getParamValueIsCaseSensitive()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.XMLMemoryData.setRecNo(2);
        QCOMPARE(doc.GetParamValue(QStringLiteral("width")), QStringLiteral("5"));
        QCOMPARE(doc.GetParamValue(QStringLiteral("Width")), QString());
        QCOMPARE(doc.XMLMemoryData.recNo(), 2);
    }

    void clearValuesEmptiesEverythingQuietly()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.XMLMemoryData.setRecNo(3);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.ClearValues();
        for (int i = 0; i < doc.XMLMemoryData.count(); ++i)
            QVERIFY(doc.XMLMemoryData.record(i).pDefault().isEmpty());
        QCOMPARE(doc.XMLMemoryData.recNo(), 3);
        QVERIFY(doc.FTableReady);
        QVERIFY(doc.FModified);
        QCOMPARE(refresh.count(), 0);
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("<missing>"));
    }

    void saveWritesOnlyValues()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.SaveStyleValues(m_dir.filePath(QStringLiteral("out.stl")));
        QCOMPARE(readFile(QStringLiteral("out.stl")), QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);
    }

    void saveWithoutValuesWritesAnEmptyFile()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.ClearValues();
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.SaveStyleValues(m_dir.filePath(QStringLiteral("empty.stl")));
        QCOMPARE(readFile(QStringLiteral("empty.stl")), QByteArray());
        QCOMPARE(refresh.count(), 1);
    }

    void loadReplacesEveryValue()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.XMLMemoryData.setRecNo(2);
        writeFile(QStringLiteral("in.stl"), "&TITLE=" + QByteArray(30, 'z') + "\n&unknown=1\n");
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.LoadStyleValues(m_dir.filePath(QStringLiteral("in.stl")));
        QCOMPARE(records(doc), QStringList({"1|Chart|bgColor|Background|color||", "2|Chart|title|Title|||" + QString(20, u'z'),
                                            "3|Chart|width|Width|spin|0,10|"}));
        QCOMPARE(doc.XMLMemoryData.recNo(), 2);
        QVERIFY(doc.FTableReady);
        QCOMPARE(refresh.count(), 0); // reading writes nothing
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("<missing>"));
    }

    void loadOfAMissingFileTouchesNothing()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.XMLMemoryData.setRecNo(3);
        const QStringList before = records(doc);
        const QString path = m_dir.filePath(QStringLiteral("gone.stl"));
        try {
            doc.LoadStyleValues(path);
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot open file %1").arg(path));
        }
        QCOMPARE(records(doc), before);
        QCOMPARE(doc.XMLMemoryData.recNo(), 3);
        QVERIFY(doc.FTableReady);
    }

    void postWritesStyleTxtOnlyWhenTheTableIsReady()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.setModified(false);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.XMLMemoryData.setRecNo(2);
        doc.XMLMemoryData.postValue(QStringLiteral("Hello"));
        QVERIFY(doc.FModified);
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("&bgColor=0xFFFFFF\r\n&title=Hello\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);

        doc.FTableReady = false;
        doc.XMLMemoryData.postValue(QStringLiteral("Bye"));
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("&bgColor=0xFFFFFF\r\n&title=Hello\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);
    }

    void failedStyleTxtWriteKeepsThePostedValue()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("style.txt"))); // a folder where the file should go
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.setModified(false);
        doc.XMLMemoryData.setRecNo(1);
        QVERIFY_THROWS_EXCEPTION(EditorError, doc.XMLMemoryData.postValue(QStringLiteral("0x000000")));
        QCOMPARE(doc.XMLMemoryData.record(0).pDefault(), QStringLiteral("0x000000"));
        QVERIFY(doc.FModified);
        QCOMPARE(refresh.count(), 0);
    }

    void stateChangedOnlyOnChange()
    {
        StyleDocument doc;
        QSignalSpy changed(&doc, &StyleDocument::stateChanged);
        doc.setModified(true);
        doc.setModified(true);
        doc.setFileName(QStringLiteral("/a.stl"));
        doc.setFileName(QStringLiteral("/a.stl"));
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_StyleDocument)
#include "tst_styledocument.moc"

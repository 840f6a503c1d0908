#include "base/EditorError.h"
#include "style/StyleDocument.h"

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
        doc.setAppDir(m_dir.path() + QLatin1Char('/'));
        doc.loadProfile(doc.appDir() + QStringLiteral("Style.xml"));
    }

    static QStringList records(StyleDocument &doc)
    {
        QStringList out;
        for (int i = 0; i < doc.table().count(); ++i) {
            const ParameterRecord &r = doc.table().record(i);
            out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                            .arg(r.id())
                            .arg(r.group(), r.name(), r.caption(), r.type(), r.values(), r.value());
        }
        return out;
    }

    static QByteArray threeParameters()
    {
        return "<root>root<s>Chart<bgColor type=\"color\" default=\"0xFFFFFF\">Background</bgColor>"
               "<title>Title</title><width type=\"spin\" values=\"0,10\" "
               "default=\"5\">Width</width></s></root>";
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
                << QByteArray("<root><s>Chart<a type=\"list\" values=\"x,y\" "
                              "default=\"x\">A</a><b>B</b></s></root>")
                << QStringList({"1|Chart|a|A|list|x,y|x", "2|Chart|b|B|||"});
        QTest::newRow("outermost text root")
                << QByteArray("<r>root<s>Chart<a>A</a></s></r>") << QStringList({"1|Chart|a|A|||"});
        QTest::newRow("outermost text other than root makes sections records")
                << QByteArray("<r>Top<s>Chart<a>A</a></s></r>")
                << QStringList({"1|Top|s|Chart|||", "2|Chart|a|A|||"});
        QTest::newRow("elements below a parameter group under its caption")
                << QByteArray("<r><s>S<p>Caption<q>Q</q></p></s></r>")
                << QStringList({"1|S|p|Caption|||", "2|Caption|q|Q|||"});
        QTest::newRow("a section without text yields nothing below it")
                << QByteArray("<r><s><a>A</a></s></r>") << QStringList();
        QTest::newRow("attribute names ignore case")
                << QByteArray("<r><s>S<a TYPE=\"spin\" Default=\"3\">A</a></s></r>")
                << QStringList({"1|S|a|A|spin||3"});
        QTest::newRow("long key cut to 20") << QByteArray(
                "<r><s>S<abcdefghijklmnopqrstuvwxy>A</abcdefghijklmnopqrstuvwxy></s></r>")
                                            << QStringList({"1|S|abcdefghijklmnopqrst|A|||"});
    }

    void profileBecomesRecords()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QStringList, expected);
        StyleDocument doc;
        loadProfile(doc, xml);
        QCOMPARE(records(doc), expected);
        QCOMPARE(doc.nextId(), expected.size() + 1);
        QCOMPARE(readFile(QStringLiteral("style.txt")),
                 QByteArray("<missing>")); // loading writes nothing
    }

    void getParamValueIsCaseSensitive()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.table().setCurrentIndex(1);
        QCOMPARE(doc.paramValue(QStringLiteral("width")), QStringLiteral("5"));
        QCOMPARE(doc.paramValue(QStringLiteral("Width")), QString());
        QCOMPARE(doc.table().currentIndex(), 1);
    }

    void clearValuesEmptiesEverythingQuietly()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.table().setCurrentIndex(2);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.clearValues();
        for (int i = 0; i < doc.table().count(); ++i)
            QVERIFY(doc.table().record(i).value().isEmpty());
        QCOMPARE(doc.table().currentIndex(), 2);
        QVERIFY(doc.isTableReady());
        QVERIFY(doc.isModified());
        QCOMPARE(refresh.count(), 0);
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("<missing>"));
    }

    void saveWritesOnlyValues()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.saveStyleValues(m_dir.filePath(QStringLiteral("out.stl")));
        QCOMPARE(readFile(QStringLiteral("out.stl")),
                 QByteArray("&bgColor=0xFFFFFF\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);
    }

    void saveWithoutValuesWritesAnEmptyFile()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.clearValues();
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.saveStyleValues(m_dir.filePath(QStringLiteral("empty.stl")));
        QCOMPARE(readFile(QStringLiteral("empty.stl")), QByteArray());
        QCOMPARE(refresh.count(), 1);
    }

    void loadReplacesEveryValue()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.table().setCurrentIndex(1);
        writeFile(QStringLiteral("in.stl"), "&TITLE=" + QByteArray(30, 'z') + "\n&unknown=1\n");
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.loadStyleValues(m_dir.filePath(QStringLiteral("in.stl")));
        QCOMPARE(records(doc), QStringList({"1|Chart|bgColor|Background|color||",
                                            "2|Chart|title|Title|||" + QString(20, u'z'),
                                            "3|Chart|width|Width|spin|0,10|"}));
        QCOMPARE(doc.table().currentIndex(), 1);
        QVERIFY(doc.isTableReady());
        QCOMPARE(refresh.count(), 0); // reading writes nothing
        QCOMPARE(readFile(QStringLiteral("style.txt")), QByteArray("<missing>"));
    }

    void loadOfAMissingFileTouchesNothing()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.table().setCurrentIndex(2);
        const QStringList before = records(doc);
        const QString path = m_dir.filePath(QStringLiteral("gone.stl"));
        try {
            doc.loadStyleValues(path);
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot open file %1").arg(path));
        }
        QCOMPARE(records(doc), before);
        QCOMPARE(doc.table().currentIndex(), 2);
        QVERIFY(doc.isTableReady());
    }

    void postWritesStyleTxtOnlyWhenTheTableIsReady()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        doc.setModified(false);
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.table().setValue(1, QStringLiteral("Hello"));
        QVERIFY(doc.isModified());
        QCOMPARE(readFile(QStringLiteral("style.txt")),
                 QByteArray("&bgColor=0xFFFFFF\r\n&title=Hello\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);

        const ScopedFlag filling = doc.fillingTable();
        doc.table().setValue(1, QStringLiteral("Bye"));
        QCOMPARE(readFile(QStringLiteral("style.txt")),
                 QByteArray("&bgColor=0xFFFFFF\r\n&title=Hello\r\n&width=5\r\n"));
        QCOMPARE(refresh.count(), 1);
    }

    void failedStyleTxtWriteKeepsThePostedValue()
    {
        StyleDocument doc;
        loadProfile(doc, threeParameters());
        QVERIFY(QDir(m_dir.path())
                        .mkdir(QStringLiteral("style.txt"))); // a folder where the file should go
        QSignalSpy refresh(&doc, &StyleDocument::refreshRequested);
        doc.setModified(false);
        QVERIFY_THROWS_EXCEPTION(EditorError, doc.table().setValue(0, QStringLiteral("0x000000")));
        QCOMPARE(doc.table().record(0).value(), QStringLiteral("0x000000"));
        QVERIFY(doc.isModified());
        QCOMPARE(refresh.count(), 0);
    }

    // A value's bytes, as a file written in any code page holds them, are
    // written back as they were read while another value changes; only the
    // cut to 20 characters (a byte that is not UTF-8 counting as one, a valid
    // sequence never split) may shorten them.
    void valueBytesSurviveLoadAndSave_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("kept");

        const QByteArray a19(19, 'a');
        QTest::newRow("Windows-1252 umlaut")
                << QByteArray("Umsatz f\xFCr 2026") << QByteArray("Umsatz f\xFCr 2026");
        QTest::newRow("Windows-1252 signs")
                << QByteArray("\xA9 Melbrin \x80 5") << QByteArray("\xA9 Melbrin \x80 5");
        QTest::newRow("control bytes and FF")
                << QByteArray("\x01\x02junk\xFF") << QByteArray("\x01\x02junk\xFF");
        QTest::newRow("lone continuation bytes")
                << QByteArray("\x80\xBF\x80") << QByteArray("\x80\xBF\x80");
        QTest::newRow("lead byte at the end") << QByteArray("abc\xC3") << QByteArray("abc\xC3");
        QTest::newRow("overlong encodings")
                << QByteArray("\xC0\xAF\xE0\x80\xAF") << QByteArray("\xC0\xAF\xE0\x80\xAF");
        QTest::newRow("encoded surrogate")
                << QByteArray("x\xED\xA0\x80y") << QByteArray("x\xED\xA0\x80y");
        QTest::newRow("FF and FE") << QByteArray("\xFF\xFE") << QByteArray("\xFF\xFE");
        QTest::newRow("valid UTF-8") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                   "e")
                                     << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                   "e");
        QTest::newRow("Windows-1252 cut at 20 characters")
                << QByteArray("Umsatz f\xFCr das Jahr 2026")
                << QByteArray("Umsatz f\xFCr das Jahr ");
        QTest::newRow("kept bytes count one character each")
                << QByteArray(25, '\xFC') << QByteArray(20, '\xFC');
        QTest::newRow("two-byte sequence as the 20th character")
                << a19 + "\xC3\xA9zz" << a19 + "\xC3\xA9";
        QTest::newRow("four-byte sequence as the 20th character")
                << a19 + "\xF0\x9F\x98\x80z" << a19 + "\xF0\x9F\x98\x80";
        QTest::newRow("lone lead byte as the 20th character")
                << a19 + "\xC3\xC3\xA9" << a19 + "\xC3";
        QTest::newRow("sequence cut short at the 20th character")
                << a19 + "\xE2\x82" << a19 + "\xE2";
        QTest::newRow("NUL ends the text") << QByteArray("ab\0\xFC"
                                                         "cd",
                                                         6)
                                           << QByteArray("ab");
    }

    void valueBytesSurviveLoadAndSave()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, kept);
        StyleDocument doc;
        loadProfile(doc, "<root>root<s>Chart<a>A</a><b>B</b></s></root>");
        // The value's line last: a NUL in it ends the file there.
        writeFile(QStringLiteral("in.stl"), "&b=1\r\n&a=" + value + "\r\n");
        doc.loadStyleValues(m_dir.filePath(QStringLiteral("in.stl")));
        doc.table().setValue(1, QStringLiteral("2"));

        const QByteArray expected = "&a=" + kept + "\r\n&b=2\r\n";
        QCOMPARE(readFile(QStringLiteral("style.txt")), expected);
        doc.saveStyleValues(m_dir.filePath(QStringLiteral("out.stl")));
        QCOMPARE(readFile(QStringLiteral("out.stl")), expected);
    }

    // Keys and defaults of the profile keep their bytes; a key matches a
    // parameter letter case aside, but bytes that are not UTF-8 only match
    // the same bytes.
    void keysMatchOnTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("saved"); // empty: the line matched nothing

        QTest::newRow("same kept byte")
                << QByteArray("a\xFC") << QByteArray("&a\xFC=1") << QByteArray("&a\xFC=1\r\n");
        QTest::newRow("other kept byte")
                << QByteArray("a\xFC") << QByteArray("&a\xFD=1") << QByteArray();
        QTest::newRow("letter case beside a kept byte")
                << QByteArray("a\xFC") << QByteArray("&A\xFC=1") << QByteArray("&a\xFC=1\r\n");
        QTest::newRow("letter case beside other kept bytes")
                << QByteArray("A\xFC") << QByteArray("&a\xFD=1") << QByteArray();
        QTest::newRow("kept byte against its character")
                << QByteArray("a\xFC") << QByteArray("&a\xC3\xBC=1") << QByteArray();
        QTest::newRow("letter case of a character")
                << QByteArray("a\xC3\xBC") << QByteArray("&A\xC3\x9C=1")
                << QByteArray("&a\xC3\xBC=1\r\n");
        QTest::newRow("kept byte against a replacement mark")
                << QByteArray("a\xFC") << QByteArray("&a\xEF\xBF\xBD=1") << QByteArray();
    }

    void keysMatchOnTheirBytes()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, line);
        StyleDocument doc;
        loadProfile(doc,
                    "<root>root<s>Chart<" + key + " default=\"d\xE9\">A</" + key + "></s></root>");
        doc.saveStyleValues(m_dir.filePath(QStringLiteral("profile.stl")));
        QCOMPARE(readFile(QStringLiteral("profile.stl")), "&" + key + "=d\xE9\r\n");

        writeFile(QStringLiteral("in.stl"), line + "\r\n");
        doc.loadStyleValues(m_dir.filePath(QStringLiteral("in.stl")));
        doc.saveStyleValues(m_dir.filePath(QStringLiteral("out.stl")));
        QTEST(readFile(QStringLiteral("out.stl")), "saved");
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

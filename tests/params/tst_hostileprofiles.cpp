#include "style/StyleDocument.h"
#include "xml/XmlParseError.h"

#include <QTemporaryDir>
#include <QTest>

// Profiles that are large, deep, broken or not XML at all: each loads into
// the table or fails with the reader's message, without deep recursion and
// in time linear in its size.
class tst_HostileProfiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("Style.xml"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    static QByteArray junk(qsizetype size, quint32 seed)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &c : bytes) {
            seed = seed * 1664525u + 1013904223u;
            c = char(seed >> 24);
        }
        return bytes;
    }

    // Loads the profile into a fresh document the way start-up does.
    static int load(StyleDocument &doc, const QString &path)
    {
        doc.loadProfile(path);
        return doc.table().count();
    }

private slots:
    void hundredThousandParameters()
    {
        QByteArray xml = "<root>root\r\n";
        for (int i = 0; i < 100000; ++i) {
            if (i % 50 == 0)
                xml += (i ? "</s>\r\n" : "") + QByteArray("<s>Section ")
                       + QByteArray::number(i / 50) + "\r\n";
            xml += "<p" + QByteArray::number(i) + " type=\"spin\" values=\"0,9\" default=\""
                   + QByteArray::number(i % 10) + "\">Caption " + QByteArray::number(i) + "</p"
                   + QByteArray::number(i) + ">\r\n";
        }
        xml += "</s></root>\r\n";
        StyleDocument doc;
        QCOMPARE(load(doc, write(xml)), 100000);
        const ParameterRecord &last = doc.table().record(99999);
        QCOMPARE(last.name(), QStringLiteral("p99999"));
        QCOMPARE(last.group(), QStringLiteral("Section 1999"));
        QCOMPARE(last.value(), QStringLiteral("9"));
    }

    void deepNestingBecomesRecords()
    {
        // Every element but the outermost is a parameter of its parent's section.
        QByteArray xml;
        for (int i = 0; i < 100000; ++i)
            xml += "<a>t\n";
        StyleDocument doc;
        QCOMPARE(load(doc, write(xml)), 99999);
        QCOMPARE(doc.table().record(99998).group(), QStringLiteral("t"));
    }

    void notXml_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary junk") << junk(1 << 20, 1);
        QTest::newRow("junk after a good start")
                << QByteArray("<root>root<s>S<p>P</p>") + junk(1 << 20, 2);
        QTest::newRow("NUL bytes")
                << QByteArray("<root>root<s>S<p>P</p>") + QByteArray(1 << 20, '\0');
        QTest::newRow("NUL inside tags")
                << QByteArray("<root>root<s>S<p\0 x=\"\0\">P</p>\n", 30).repeated(20000);
        QTest::newRow("unclosed tag")
                << "<root>root<s>S<p x=\"" + QByteArray(1 << 20, 'x').replace('x', "x\n");
        QTest::newRow("only markup") << QByteArray("<<<<>>>></></></>").repeated(50000);
    }

    void notXml()
    {
        QFETCH(QByteArray, bytes);
        StyleDocument doc;
        try {
            load(doc, write(bytes));
        } catch (const XmlParseError &error) {
            QCOMPARE(error.message(), QStringLiteral("Line too long on line 1"));
        }
        for (int i = 0; i < doc.table().count(); ++i)
            QVERIFY(doc.table().record(i).name().size() <= ParameterRecord::NameWidth);
    }

    void longLineWithoutLineFeeds()
    {
        StyleDocument doc;
        QVERIFY_THROWS_EXCEPTION(XmlParseError,
                                 load(doc, write("<root>" + QByteArray(8 << 20, 'x') + "</root>")));
        QCOMPARE(doc.profileReader().root()->count(), 0);
    }

    void manyAttributesInOneTag()
    {
        // Repeated names are looked up by hashing, not by walking all earlier lines.
        QByteArray tag = "<root>root<s>S<p";
        for (int i = 0; i < 200000; ++i)
            tag += " a" + QByteArray::number(i % 100000) + "=\"" + QByteArray::number(i) + "\"\r\n";
        tag += " type=\"list\"></p></s></root>";
        StyleDocument doc;
        QCOMPARE(load(doc, write(tag)), 1);
        const XmlItem *p = doc.profileReader().root()->item(0)->item(0);
        QCOMPARE(p->attribute(u"A99999"),
                 QStringLiteral("99999")); // the first line of a name counts
        QCOMPARE(p->attributes().size(), 200001);
        QCOMPARE(doc.table().record(0).type(), QStringLiteral("list"));
    }

    void manyTextRunsInOneElement()
    {
        QByteArray xml = "<root>root<s>S<p>" + QByteArray("x<!---->\n").repeated(200000)
                         + "</p></s></root>";
        StyleDocument doc;
        QCOMPARE(load(doc, write(xml)), 1);
        const QString text = doc.profileReader().root()->item(0)->item(0)->text();
        QCOMPARE(text.size(), 200000 * 3 - 2);
        QVERIFY(text.startsWith(QLatin1String("x\r\nx\r\n")));
        QCOMPARE(doc.table().record(0).caption(),
                 QStringLiteral("x\r\nx\r\n").repeated(34).left(100));
    }
};

QTEST_GUILESS_MAIN(tst_HostileProfiles)
#include "tst_hostileprofiles.moc"

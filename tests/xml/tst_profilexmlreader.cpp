#include "xml/ProfileXmlReader.h"
#include "xml/XmlParseError.h"

#include <QTemporaryDir>
#include <QTest>

// Loads byte strings through the profile reader and compares a compact dump
// of the resulting tree: name[attribute|...]{text}(child,...).
class tst_ProfileXmlReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("profile.xml"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    static QString dump(const XmlItem *item)
    {
        QString out = item->name();
        if (!item->attributes().isEmpty())
            out += QLatin1Char('[') + item->attributes().join(QLatin1Char('|')) + QLatin1Char(']');
        if (!item->text().isEmpty())
            out += QLatin1Char('{') + item->text() + QLatin1Char('}');
        if (item->count() > 0) {
            QStringList children;
            for (int i = 0; i < item->count(); ++i)
                children << dump(item->item(i));
            out += QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        return out;
    }

private slots:
    void tree_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("plain document")
                << QByteArray("<root><a x=\"1\">A</a></root>") << "root(a[x=1]{A})";
        QTest::newRow("declaration and comment ignored")
                << QByteArray("<?xml version=\"1.0\"?>\r\n<!-- c -->\r\n<r>t</r>") << "r{t}";
        QTest::newRow("byte order mark becomes root text")
                << QByteArray("\xEF\xBB\xBF<r></r>") << QString::fromUtf8("r{\xEF\xBB\xBF}");
        QTest::newRow("CR LF pair removed")
                << QByteArray("<p>Back\r\nground</p>") << "p{Background}";
        QTest::newRow("space run collapsed")
                << QByteArray("<p>Back\r\n   ground</p>") << "p{Back ground}";
        QTest::newRow("LF CR pair removed") << QByteArray("<p>a\n\rb</p>") << "p{ab}";
        QTest::newRow("lone LF and tab kept") << QByteArray("<p>a\nb\tc</p>") << "p{a\nb\tc}";
        QTest::newRow("text runs joined") << QByteArray("<s>x<p/>y</s>") << "s{x\r\ny}(p)";
        QTest::newRow("entity decoded once") << QByteArray("<a>&amp;lt;</a>") << "a{&lt;}";
        QTest::newRow("each run decoded before joining")
                << QByteArray("<a>&amp;lt;<b/>x</a>") << "a{&lt;\r\nx}(b)";
        QTest::newRow("four entities, others kept")
                << QByteArray("<a>&lt;&gt;&quot;&amp;&apos;&#65;</a>") << "a{<>\"&&apos;&#65;}";
        QTest::newRow("quoted values") << QByteArray("<a v=\"x y\" w=\"1\"/>") << "(a[v=x y|w=1])";
        QTest::newRow("single quotes do not protect")
                << QByteArray("<a v='x y'/>") << "(a[v='x|y'])";
        QTest::newRow("space before > stays on last value")
                << QByteArray("<a v=\"1\" >") << "a[v=1\" ]";
        QTest::newRow("quoted empty value kept") << QByteArray("<a v=\"\">") << "a[v=\"\"]";
        QTest::newRow("quoted empty value among pairs")
                << QByteArray("<a v=\"\" w=\"1\"/>") << "(a[v=\"\"|w=1])";
        QTest::newRow("empty value dropped") << QByteArray("<a v= w=\"1\">") << "a[w=1]";
        QTest::newRow("space run inside quotes") << QByteArray("<a x=\"p  q\">") << "a[x=p q]";
        QTest::newRow("entities in attribute")
                << QByteArray("<a x=\"&lt;b&gt;\"/>") << "(a[x=<b>])";
        QTest::newRow("repeated name acts on first")
                << QByteArray("<a v=\"x\" V=\"y\"/>") << "(a[V=x|V=\"y\"])";
        QTest::newRow("comment ends at first >")
                << QByteArray("<r><!-- a > b --></r>") << "r{b -->}";
        QTest::newRow("doctype names the root")
                << QByteArray("<!DOCTYPE x><r></r>") << "!DOCTYPE[x](r)";
        QTest::newRow("slash then space is a start tag") << QByteArray("<a/ >") << "a/";
        QTest::newRow("empty tags before the first start tag")
                << QByteArray("<e/><r>t</r>") << "r{t}(e)";
        QTest::newRow("end tag names are not checked")
                << QByteArray("<r><a></b><c/></r>") << "r(a,c)";
        QTest::newRow("missing end tags") << QByteArray("<r><a><b>") << "r(a(b))";
        QTest::newRow("zero byte ends the input") << QByteArray("<r><a/>\0<b/></r>", 16) << "r(a)";
        QTest::newRow("zero byte inside a tag is ordinary")
                << QByteArray("<r x=\"a\0b\"/>", 12)
                << QStringLiteral("(r[x=a") + QChar(0) + QStringLiteral("b])");
        QTest::newRow("unclosed tag ends the input") << QByteArray("<r>t</r><a") << "r{t}";
        QTest::newRow("content after the outermost element dropped")
                << QByteArray("<r>t</r>junk<x>y</x></z><q/>") << "r{t}";
        QTest::newRow("tag split over lines")
                << QByteArray("<r\r\n x=\"1\"\r\n y=\"2\">") << "r[x=1|y=2]";
        QTest::newRow("CR LF removed inside a tag") << QByteArray("<r\r\nx=\"1\">") << "rx=\"1\"";
        QTest::newRow("a tag is told by its bytes as written")
                << QByteArray("<r><\r\n/x y=\"1\">t</r>") << "r(/x[y=1]{t})";
        QTest::newRow("tag text with lone LF splits attributes")
                << QByteArray("<r\nx=\"1\"\ny=\"2\">") << "r\nx=\"1\"\ny=\"2\"";
    }

    void tree()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        ProfileXmlReader parser;
        parser.loadFromFile(write(input));
        QCOMPARE(dump(parser.root()), expected);
    }

    void attributeLookupIgnoresCase()
    {
        ProfileXmlReader parser;
        parser.loadFromFile(write("<a Type=\"list\" type=\"font\" flag/>"));
        QCOMPARE(parser.root()->item(0)->attribute(u"type"), QStringLiteral("list"));
        QCOMPARE(parser.root()->item(0)->attribute(u"flag"), QString());
        QCOMPARE(parser.root()->item(0)->attribute(u"missing"), QString());
    }

    void styleSheetInstruction()
    {
        ProfileXmlReader parser;
        parser.loadFromFile(write("<?xml-stylesheet type=\"text/xsl\" href=\"Sheet.XSL\"?><r/>"));
        QCOMPARE(parser.styleSheet(), QStringLiteral("Sheet.XSL"));
    }

    void longLines_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("fails");
        QTest::newRow("4000 bytes load") << 4000 << false;
        QTest::newRow("5000 bytes fail") << 5000 << true;
    }

    void longLines()
    {
        QFETCH(int, length);
        QFETCH(bool, fails);
        QByteArray bytes = "<r>" + QByteArray(length - 9, 'x') + "</r>\r\n";
        QCOMPARE(bytes.size(), length);
        ProfileXmlReader parser;
        parser.loadFromFile(write("<old/>"));
        try {
            parser.loadFromFile(write(bytes));
            QVERIFY(!fails);
            QCOMPARE(parser.root()->text().size(), length - 9);
        } catch (const XmlParseError &error) {
            QVERIFY(fails);
            QCOMPARE(error.message(), QStringLiteral("Line too long on line 1"));
            QCOMPARE(dump(parser.root()),
                     QStringLiteral("(old)")); // both attempts failed before building
        }
    }

    void tokensAcrossManyLines()
    {
        // Many short lines: texts and tags at every multiple of 4096 bytes.
        QByteArray bytes = "<root>\r\n<s>Section\r\n";
        for (int i = 0; i < 800; ++i)
            bytes += "<p" + QByteArray::number(i) + " default=\"v" + QByteArray::number(i)
                     + "\">Caption " + QByteArray::number(i) + "</p" + QByteArray::number(i)
                     + ">\r\n";
        bytes += "</s></root>\r\n";
        QVERIFY(bytes.size() > 5 * 4096);
        ProfileXmlReader parser;
        parser.loadFromFile(write(bytes));
        const XmlItem *section = parser.root()->item(0);
        QCOMPARE(section->count(), 800);
        for (int i = 0; i < 800; ++i) {
            const XmlItem *p = section->item(i);
            QCOMPARE(p->name(), QStringLiteral("p%1").arg(i));
            QCOMPARE(p->text(), QStringLiteral("Caption %1").arg(i));
            QCOMPARE(p->attribute(u"default"), QStringLiteral("v%1").arg(i));
        }
    }

    void constructAcrossByte4096_data()
    {
        // A construct and the place in it that lands on byte 4096, the first
        // byte past the first 4096.
        QTest::addColumn<QByteArray>("construct");
        QTest::addColumn<int>("splitAt");
        const QByteArray item = "<param key=\"a&amp;b\" caption='c d'>caf\xc3\xa9 "
                                "&lt;x&gt;\r\nline two</param>\r\n";
        QTest::newRow("start tag name") << item << 3;
        QTest::newRow("attribute name") << item << 9;
        QTest::newRow("attribute equals sign") << item << 10;
        QTest::newRow("attribute value") << item << 13;
        QTest::newRow("entity in an attribute") << item << 15;
        QTest::newRow("single-quoted value") << item << 31;
        QTest::newRow("tag end") << item << 35;
        QTest::newRow("multi-byte character") << item << int(item.indexOf("\xa9"));
        QTest::newRow("entity in the text") << item << int(item.indexOf("lt;") + 1);
        QTest::newRow("CR LF in the text") << item << int(item.indexOf("\r\nline") + 1);
        QTest::newRow("end tag") << item << int(item.indexOf("</param") + 3);
        QTest::newRow("CR LF after the end tag") << item << int(item.size() - 1);
        const QByteArray empty = "<flag on=\"1\"/>\r\n";
        QTest::newRow("empty-element tag end") << empty << int(empty.indexOf("/>") + 1);
        const QByteArray comment = "<!-- a comment -->\r\n";
        QTest::newRow("comment") << comment << 7;
    }

    void constructAcrossByte4096()
    {
        // Whatever byte a construct starts at, it reads the same.
        QFETCH(QByteArray, construct);
        QFETCH(int, splitAt);
        const auto read = [&](int firstByte) {
            QByteArray bytes = "<root>\r\n<before>b</before>\r\n";
            // Blank lines between the tokens move the construct without changing the tree.
            while (bytes.size() < firstByte - 64)
                bytes += QByteArray(62, ' ') + "\r\n";
            bytes += QByteArray(firstByte - int(bytes.size()) - 1, ' ') + '\n';
            [&] { QCOMPARE(bytes.size(), firstByte); }();
            bytes += construct + "<after>a</after>\r\n</root>\r\n";
            ProfileXmlReader parser;
            parser.loadFromFile(write(bytes));
            return dump(parser.root());
        };
        const QString across = read(4096 - splitAt);
        QVERIFY2(across.contains(QLatin1String("before{b}"))
                         && across.contains(QLatin1String("after{a}")),
                 qPrintable(across));
        QCOMPARE(across, read(1000));
        QCOMPARE(across, read(4096 - splitAt + 200));
    }

    void lineFeedNearByte4096_data()
    {
        // A file of at least 4096 bytes needs a line feed between its first
        // and its last byte.
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("lineFeedAt"); // -1: none
        QTest::addColumn<bool>("fails");
        QTest::newRow("4095 bytes, no line feed") << 4095 << -1 << false;
        QTest::newRow("4096 bytes, no line feed") << 4096 << -1 << true;
        QTest::newRow("4096 bytes, line feed last") << 4096 << 4095 << true;
        QTest::newRow("4096 bytes, line feed first") << 4096 << 0 << true;
        QTest::newRow("4096 bytes, line feed last but one") << 4096 << 4094 << false;
        QTest::newRow("4096 bytes, line feed second") << 4096 << 1 << false;
    }

    void lineFeedNearByte4096()
    {
        QFETCH(int, size);
        QFETCH(int, lineFeedAt);
        QFETCH(bool, fails);
        // Blanks at both ends, where the line feed goes.
        QByteArray bytes = "  <r>" + QByteArray(size - 11, 'x') + "</r>  ";
        if (lineFeedAt >= 0)
            bytes[lineFeedAt] = '\n';
        QCOMPARE(bytes.size(), size);
        ProfileXmlReader parser;
        try {
            parser.loadFromFile(write(bytes));
            QVERIFY(!fails);
            QCOMPARE(parser.root()->name(), QStringLiteral("r"));
        } catch (const XmlParseError &error) {
            QVERIFY2(fails, qPrintable(error.message()));
            QCOMPARE(error.message(), QStringLiteral("Line too long on line 1"));
        }
    }

    void longLineLaterInTheFileLoads_data()
    {
        QTest::addColumn<int>("longLine");
        QTest::newRow("short enough") << 4000;
        QTest::newRow("too long") << 9000; // a line of it is too long: the file is read whole
    }
    void longLineLaterInTheFileLoads()
    {
        // A long line after many short ones: the file loads whole.
        QFETCH(int, longLine);
        QByteArray bytes = "<root>\r\n";
        for (int i = 0; i < 300; ++i)
            bytes += "<a>x</a>\r\n";
        bytes += "<long>" + QByteArray(longLine, 'y') + "</long>\r\n</root>\r\n";
        ProfileXmlReader parser;
        parser.loadFromFile(write(bytes));
        QCOMPARE(parser.root()->count(), 301);
        QCOMPARE(parser.root()->item(300)->text().size(), longLine);
    }

    void missingFile()
    {
        ProfileXmlReader parser;
        const QString path = m_dir.filePath(QStringLiteral("nothing.xml"));
        try {
            parser.loadFromFile(path);
            QFAIL("no error");
        } catch (const EditorError &error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot open file %1").arg(path));
        }
    }

    void deepNestingNeedsNoStack()
    {
        QByteArray bytes;
        for (int i = 0; i < 100000; ++i)
            bytes += "<a>\n";
        {
            ProfileXmlReader parser;
            parser.loadFromFile(write(bytes));
            const XmlItem *item = parser.root();
            int depth = 0;
            while (item->count() > 0) {
                item = item->item(0);
                ++depth;
            }
            QCOMPARE(depth, 99999);
        } // destroying the tree must not recurse either
    }
};

QTEST_GUILESS_MAIN(tst_ProfileXmlReader)
#include "tst_profilexmlreader.moc"

#include "style/ProblemListModel.h"
#include "style/SourceLines.h"
#include "style/StyleCheck.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Profile = R"(<root>root
  <s>Section
    <bgColor type="color" default="0xFFFFFF">Background</bgColor>
    <width type="spin" values="0,100" default="1">Width</width>
    <level type="spin" values="5" default="5">Level</level>
    <flat type="spin" values="3,3">Flat</flat>
    <back type="spin" values="100,0">Bounds the other way round</back>
    <odd type="spin" values="x,y">Broken domain</odd>
    <align type="list" values="left,center,right">Alignment</align>
    <thick type="list" values="0 - none,1 - thin">Thickness</thick>
    <kind type="list" values="a\,b,c">Kind</kind>
    <chartType type="list" values="bar,line">Chart type</chartType>
    <lineStyle type="list" values="chartType=line:solid,dashed;chartType=bar:-">Line style</lineStyle>
    <title>Title</title>
    <titleFont type="font">Title font</titleFont>
  </s>
</root>
)";

void write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class tst_StyleCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_profile;

    QString styleFile(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("chart.stl"));
        write(path, content);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_profile = m_dir.filePath(QStringLiteral("Style.xml"));
        write(m_profile, Profile);
    }

    void problems_data()
    {
        QTest::addColumn<QByteArray>("content");
        // "line: message"; "(dropped)" stands for the note on a line Save does not keep.
        QTest::addColumn<QStringList>("problems");

        const QString none = QStringLiteral("0: holds no style lines (\"&name=value\")");
        QTest::newRow("clean") << QByteArray(
                "&bgColor=0x00ff00\r\n&width=100\r\n&align=center\r\n&title=Sales\r\n")
                               << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QStringList{none};
        QTest::newRow("blank and plain lines")
                << QByteArray("\r\n# notes\r\nplain\r\n&width=1\r\n   \r\n")
                << QStringList{"2: \"# notes\" is no \"&name=value\" line (dropped)",
                               "3: \"plain\" is no \"&name=value\" line (dropped)",
                               "5: \"   \" is no \"&name=value\" line (dropped)"};
        QTest::newRow("a picture")
                << QByteArray("GIF89a\r\n\x1a\n\0\0\0\rIHDR", 16)
                << QStringList{none, "1: \"GIF89a\" is no \"&name=value\" line (dropped)",
                               "2: \"\x1a\" is no \"&name=value\" line (dropped)"};
        QTest::newRow("only lines the profile does not know")
                << QByteArray("&height=5\r\n")
                << QStringList{"1: unknown key \"&height\" (dropped)"};

        QTest::newRow("unknown key") << QByteArray("&width=1\r\n&height=5\r\n")
                                     << QStringList{"2: unknown key \"&height\" (dropped)"};
        QTest::newRow("key in other letter case")
                << QByteArray("&BGCOLOR=0x000000\r\n") << QStringList{};
        QTest::newRow("blank after the key") << QByteArray("&width =5\r\n")
                                             << QStringList{"1: unknown key \"&width \" (dropped)"};
        QTest::newRow("key without &") << QByteArray("&width=1\r\nwidth=5\r\n")
                                       << QStringList{"2: unknown key \"width\" (dropped)"};
        QTest::newRow("no =") << QByteArray("&width=1\r\n&width 5\r\n")
                              << QStringList{"2: \"&width 5\" has no \"=\" (dropped)"};
        QTest::newRow("repeated keys")
                << QByteArray("&width=1\r\n&align=left\r\n&Width=2\r\n&width=x\r\n")
                << QStringList{"3: key \"&Width\" repeats line 1 (dropped)",
                               "4: key \"&width\" repeats line 1 (dropped)"};

        QTest::newRow("20 characters")
                << QByteArray("&title=12345678901234567890\r\n") << QStringList{};
        QTest::newRow("21 characters")
                << QByteArray("&title=123456789012345678901\r\n")
                << QStringList{"1: value of \"&title\" is longer than 20 characters"};
        QTest::newRow("no value") << QByteArray("&width=\r\n&bgColor=   \r\n&align=\r\n")
                                  << QStringList{};

        QTest::newRow("spin in range")
                << QByteArray("&width=0\r\n&level=100\r\n&flat= 7 \r\n") << QStringList{};
        QTest::newRow("spin not a number")
                << QByteArray("&width=5px\r\n&level=1.5\r\n")
                << QStringList{"1: value \"5px\" of \"&width\" is not a whole number",
                               "2: value \"1.5\" of \"&level\" is not a whole number"};
        QTest::newRow("spin out of range")
                << QByteArray("&width=101\r\n")
                << QStringList{"1: value \"101\" of \"&width\" is outside 0..100"};
        QTest::newRow("spin below the range")
                << QByteArray("&width=-1\r\n")
                << QStringList{"1: value \"-1\" of \"&width\" is outside 0..100"};
        QTest::newRow("spin with bounds the other way round")
                << QByteArray("&back=50\r\n") << QStringList{};
        QTest::newRow("spin outside bounds the other way round")
                << QByteArray("&back=150\r\n")
                << QStringList{"1: value \"150\" of \"&back\" is outside 0..100"};
        QTest::newRow("spin with one bound") << QByteArray("&level=999\r\n") << QStringList{};
        QTest::newRow("spin with equal bounds") << QByteArray("&flat=9\r\n") << QStringList{};
        QTest::newRow("spin with a broken domain")
                << QByteArray("&odd=x\r\n")
                << QStringList{"1: value \"x\" of \"&odd\" is not a whole number"};

        QTest::newRow("list choice and its start")
                << QByteArray("&align=cen\r\n&thick=1 \r\n&kind=a,b\r\n") << QStringList{};
        QTest::newRow("list value that starts no choice")
                << QByteArray("&align=middle\r\n")
                << QStringList{"1: value \"middle\" of \"&align\" starts none of the choices "
                               "\"left\", \"center\", \"right\""};
        QTest::newRow("conditional list follows the file")
                << QByteArray("&lineStyle=dashed\r\n&chartType=line\r\n") << QStringList{};
        QTest::newRow("conditional list of another value")
                << QByteArray("&chartType=bar\r\n&lineStyle=dashed\r\n")
                << QStringList{"2: value \"dashed\" of \"&lineStyle\" starts none of the choices "
                               "\"-\""};
        QTest::newRow("conditional list without its key")
                << QByteArray("&lineStyle=solid\r\n")
                << QStringList{
                           "1: value \"solid\" of \"&lineStyle\" starts none of the choices \"-\""};

        QTest::newRow("colour") << QByteArray("&bgColor=0x80a0c0\r\n") << QStringList{};
        QTest::newRow("system colour of the palette")
                << QByteArray("&bgColor=0x80000005\r\n") << QStringList{};
        QTest::newRow("last system colour")
                << QByteArray("&bgColor=0x8000001C\r\n") << QStringList{};
        QTest::newRow("no system colour")
                << QByteArray("&bgColor=0x8000001D\r\n")
                << QStringList{
                           "1: value \"0x8000001D\" of \"&bgColor\" is not 0x and six hex digits"};
        QTest::newRow("colour not 0x and six digits")
                << QByteArray("&bgColor=0xFFF\r\n")
                << QStringList{"1: value \"0xFFF\" of \"&bgColor\" is not 0x and six hex digits"};
        QTest::newRow("colour with #")
                << QByteArray("&bgColor=#FF0000\r\n")
                << QStringList{"1: value \"#FF0000\" of \"&bgColor\" is not 0x and six hex digits"};
        QTest::newRow("untyped and font values")
                << QByteArray("&title=anything at all\r\n&titleFont=Any Font\r\n") << QStringList{};

        QTest::newRow("two problems on a line")
                << QByteArray("&bgColor=0x112233445566778899AA\r\n")
                << QStringList{"1: value of \"&bgColor\" is longer than 20 characters",
                               "1: value \"0x112233445566778899\" of \"&bgColor\" is not 0x and "
                               "six hex digits"};
        QTest::newRow("lone CR line ends")
                << QByteArray("&width=1\r&x=1\r") << QStringList{"2: unknown key \"&x\" (dropped)"};
    }

    // One table for both uses of the rules: --check and the Problems panel of
    // a document that has just read the file.
    void problems()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, problems);
        const QString file = styleFile(content);

        QStringList expected;
        for (const QString &problem : problems) {
            expected << QString(problem).replace(QStringLiteral("(dropped)"),
                                                 QStringLiteral("(%1)").arg(
                                                         SourceLines::droppedNote()));
        }
        StyleCheck check(m_profile);
        QStringList found;
        for (const StyleCheck::Problem &problem : check.check(file))
            found << QStringLiteral("%1: %2").arg(problem.line).arg(problem.message);
        QCOMPARE(found, expected);

        StyleDocument document;
        document.loadProfile(m_profile);
        ProblemListModel panel(&document);
        document.loadStyleValues(file);
        found.clear();
        for (int row = 0; row < panel.rowCount(); ++row) {
            found << QStringLiteral("%1: %2")
                             .arg(panel.index(row, ProblemListModel::LineColumn).data().toInt())
                             .arg(panel.index(row, ProblemListModel::MessageColumn)
                                          .data()
                                          .toString());
        }
        QCOMPARE(found, expected);
    }

    // Control characters would steer the terminal the check prints to.
    void runEscapesControlCharacters()
    {
        const QString file = styleFile(
                "&title\x1b[2K\x1b[1A=1\r\n&bgColor=a\tb\x7f\xc2\x9b\xe2\x82\xac\xfc\r\n");
        QByteArray out;
        QByteArray err;
        QBuffer outStream(&out);
        QBuffer errStream(&err);
        QVERIFY(outStream.open(QIODevice::WriteOnly) && errStream.open(QIODevice::WriteOnly));
        QCOMPARE(StyleCheck::run({file}, m_profile, outStream, errStream),
                 StyleCheck::ProblemsFound);
        const QByteArray name = file.toUtf8();
        QCOMPARE(out, name + ":1: unknown key \"&title\\x1b[2K\\x1b[1A\" ("
                              + SourceLines::droppedNote().toUtf8() + ")\n" + name
                              + ":2: value \"a\\x09b\\x7f\\xc2\\x9b\xe2\x82\xac\xfc\" of "
                                "\"&bgColor\" is not 0x and six hex digits\n");

        const QString picture = styleFile(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        out.clear();
        outStream.seek(0);
        QCOMPARE(StyleCheck::run({picture}, m_profile, outStream, errStream),
                 StyleCheck::ProblemsFound);
        QVERIFY2(out.startsWith(name + ": holds no style lines"), out.constData());
        QVERIFY2(out.contains(":2: \"\\x1a\" is no"), out.constData());
    }

    void oneCheckerForSeveralFiles()
    {
        StyleCheck check(m_profile);
        QCOMPARE(check.check(styleFile("&chartType=bar\r\n&lineStyle=solid\r\n")).size(), 1);
        QCOMPARE(check.check(styleFile("&chartType=line\r\n&lineStyle=solid\r\n")).size(), 0);
    }

    void runReportsEveryFile()
    {
        const QString bad = m_dir.filePath(QStringLiteral("bad.stl"));
        const QString good = m_dir.filePath(QStringLiteral("good.stl"));
        const QString missing = m_dir.filePath(QStringLiteral("missing.stl"));
        write(bad, "&width=1\r\n&height=2\r\n");
        write(good, "&width=1\r\n");
        QByteArray out;
        QByteArray err;
        QBuffer outStream(&out);
        QBuffer errStream(&err);
        QVERIFY(outStream.open(QIODevice::WriteOnly) && errStream.open(QIODevice::WriteOnly));

        QCOMPARE(StyleCheck::run({good}, m_profile, outStream, errStream), StyleCheck::Clean);
        QVERIFY(out.isEmpty() && err.isEmpty());

        QCOMPARE(StyleCheck::run({bad, good}, m_profile, outStream, errStream),
                 StyleCheck::ProblemsFound);
        const QString dropped = QStringLiteral(" (%1)").arg(SourceLines::droppedNote());
        QCOMPARE(QString::fromUtf8(out), bad + ":2: unknown key \"&height\"" + dropped + "\n");
        QVERIFY(err.isEmpty());

        outStream.seek(0);
        out.clear();
        QCOMPARE(StyleCheck::run({missing, bad}, m_profile, outStream, errStream),
                 StyleCheck::CannotCheck);
        QCOMPARE(QString::fromUtf8(err), "Cannot open file " + missing + "\n");
        QCOMPARE(QString::fromUtf8(out), bad + ":2: unknown key \"&height\"" + dropped + "\n");
    }

    // Keys, values and choices are printed with the bytes the files hold,
    // also those that are not UTF-8.
    void runPrintsTheFilesBytes()
    {
        const QString profile = m_dir.filePath(QStringLiteral("bytes.xml"));
        write(profile, "<root>root<s>S<c type=\"color\">C</c><m type=\"list\" values=\"f\xFCr,\xA9 "
                       "x\">M</m></s></root>");
        const QString file = styleFile("&h\xF6he=1\r\n&c=\xFC\r\n&m=\xFD\r\n&m=f\xFC\r\n");
        QByteArray out;
        QByteArray err;
        QBuffer outStream(&out);
        QBuffer errStream(&err);
        QVERIFY(outStream.open(QIODevice::WriteOnly) && errStream.open(QIODevice::WriteOnly));
        QCOMPARE(StyleCheck::run({file}, profile, outStream, errStream), StyleCheck::ProblemsFound);
        const QByteArray name = file.toUtf8();
        const QByteArray dropped = " (" + SourceLines::droppedNote().toUtf8() + ")";
        QCOMPARE(out, name + ":1: unknown key \"&h\xF6he\"" + dropped + "\n" + name
                              + ":2: value \"\xFC\" of \"&c\" is not 0x and six hex digits\n" + name
                              + ":3: value \"\xFD\" of \"&m\" starts none of the choices "
                                "\"f\xFCr\", \"\xA9 x\"\n"
                              + name + ":4: key \"&m\" repeats line 3" + dropped + "\n");
        QVERIFY(err.isEmpty());
    }

    void runWithoutAProfile()
    {
        QByteArray out;
        QByteArray err;
        QBuffer outStream(&out);
        QBuffer errStream(&err);
        QVERIFY(outStream.open(QIODevice::WriteOnly) && errStream.open(QIODevice::WriteOnly));
        const QString profile = m_dir.filePath(QStringLiteral("none.xml"));
        QCOMPARE(StyleCheck::run({styleFile("&width=1\r\n")}, profile, outStream, errStream),
                 StyleCheck::CannotCheck);
        QVERIFY(out.isEmpty());
        QCOMPARE(QString::fromUtf8(err), profile + ": Cannot open file " + profile + "\n");
    }

    void bundledStyleFilesPassTheCheck()
    {
        // Every style file shipped beside the program, and the values a first
        // start without style.txt writes, checked as --check checks them
        // against the profile shipped with them.
        const QDir sample(QStringLiteral(TREVIX_SAMPLE_DIR));
        const QString profile = sample.filePath(QStringLiteral("Style.xml"));
        QStringList files;
        QDirIterator found(sample.path(), {QStringLiteral("*.stl"), QStringLiteral("style.txt")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (found.hasNext())
            files << found.next();
        QVERIFY(files.contains(sample.filePath(QStringLiteral("style.txt"))));

        StyleDocument defaults;
        defaults.loadProfile(profile);
        files << m_dir.filePath(QStringLiteral("defaults.stl"));
        defaults.saveStyleValues(files.last());

        QByteArray out;
        QByteArray err;
        QBuffer outStream(&out);
        QBuffer errStream(&err);
        QVERIFY(outStream.open(QIODevice::WriteOnly) && errStream.open(QIODevice::WriteOnly));
        const StyleCheck::Result result = StyleCheck::run(files, profile, outStream, errStream);
        QVERIFY2(out.isEmpty() && err.isEmpty(), (out + err).constData());
        QCOMPARE(result, StyleCheck::Clean);
    }
};

QTEST_GUILESS_MAIN(tst_StyleCheck)
#include "tst_stylecheck.moc"

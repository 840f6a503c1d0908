#include "base/EditorError.h"
#include "params/ProfileGridModel.h"
#include "style/StyleComparison.h"
#include "support/ProfileFolder.h"

#include <QAbstractItemModelTester>
#include <QTest>

namespace {

const QByteArray Profile = R"(<root>root
  <s>Section
    <bgColor type="color" default="0xFFFFFF">Background</bgColor>
    <width type="spin" values="0,100" default="1">Width</width>
    <title>Title</title>
    <font type="font">Font</font>
  </s>
</root>
)";

} // namespace

// Which parameters differ between the document and another style file, and
// how the list follows the document's values.
class tst_StyleComparison : public QObject
{
    Q_OBJECT

    const ProfileFolder m_dir{Profile};

    static QStringList rows(const StyleComparison &model)
    {
        QStringList out;
        for (int row = 0; row < model.rowCount(); ++row) {
            out << QStringLiteral("%1|%2|%3")
                            .arg(model.index(row, StyleComparison::ParameterColumn).data().toString(),
                                 model.index(row, StyleComparison::ThisColumn).data().toString(),
                                 model.index(row, StyleComparison::ThatColumn).data().toString());
        }
        return out;
    }

private slots:
    void differences_data()
    {
        QTest::addColumn<QByteArray>("mine");
        QTest::addColumn<QByteArray>("theirs");
        QTest::addColumn<QStringList>("rows"); // "caption|this|that", in profile order

        QTest::newRow("same") << QByteArray("&width=5\r\n&title=A\r\n")
                              << QByteArray("&title=A\r\n&width=5\r\n") << QStringList{};
        QTest::newRow("values differ")
                << QByteArray("&width=5\r\n&bgColor=0x000000\r\n")
                << QByteArray("&width=6\r\n&bgColor=0x000000\r\n") << QStringList{"Width|5|6"};
        QTest::newRow("only one has a value")
                << QByteArray("&title=A\r\n") << QByteArray("&font=Serif\r\n")
                << QStringList{"Title|A|", "Font||Serif"};
        QTest::newRow("keys in other letter case")
                << QByteArray("&width=5\r\n") << QByteArray("&WIDTH=5\r\n") << QStringList{};
        QTest::newRow("the first of repeated keys")
                << QByteArray("&width=5\r\n") << QByteArray("&width=5\r\n&width=7\r\n")
                << QStringList{};
        QTest::newRow("a long value as the document would keep it")
                << QByteArray("&title=12345678901234567890\r\n")
                << QByteArray("&title=12345678901234567890XYZ\r\n") << QStringList{};
        QTest::newRow("blanks are no value either")
                << QByteArray("&title=   \r\n") << QByteArray() << QStringList{};
        QTest::newRow("blanks around a value count")
                << QByteArray("&title=A\r\n") << QByteArray("&title= A\r\n")
                << QStringList{"Title|A| A"};
        QTest::newRow("letter case of values counts")
                << QByteArray("&bgColor=0xabcdef\r\n") << QByteArray("&bgColor=0xABCDEF\r\n")
                << QStringList{"Background|0xabcdef|0xABCDEF"};
        QTest::newRow("keys the profile does not know")
                << QByteArray("&title=A\r\n") << QByteArray("&title=A\r\n&other=1\r\n")
                << QStringList{};
    }

    void differences()
    {
        QFETCH(QByteArray, mine);
        QFETCH(QByteArray, theirs);
        QFETCH(QStringList, rows);
        StyleDocument document;
        m_dir.load(document);
        StyleComparison comparison(&document);
        QAbstractItemModelTester tester(&comparison,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        document.loadStyleValues(m_dir.write(QStringLiteral("mine.stl"), mine));
        comparison.compareWith(m_dir.write(QStringLiteral("theirs.stl"), theirs));
        QCOMPARE(this->rows(comparison), rows);
        QCOMPARE(comparison.headerData(StyleComparison::ThatColumn, Qt::Horizontal).toString(),
                 QStringLiteral("theirs.stl"));
    }

    // The list follows edits, takes, New and opening another document.
    void followsTheDocument()
    {
        StyleDocument document;
        m_dir.load(document);
        StyleComparison comparison(&document);
        QAbstractItemModelTester tester(&comparison,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        document.loadStyleValues(
                m_dir.write(QStringLiteral("mine.stl"), "&width=5\r\n&title=A\r\n"));
        comparison.compareWith(m_dir.write(QStringLiteral("theirs.stl"),
                                           "&width=6\r\n&title=B\r\n&bgColor=0x102030\r\n"));
        QCOMPARE(rows(comparison), (QStringList{"Background||0x102030", "Width|5|6", "Title|A|B"}));
        QCOMPARE(comparison.index(0, 0).data(ProfileGridModel::TypeRole).toString(),
                 QStringLiteral("color"));

        comparison.take(1);
        QCOMPARE(rows(comparison), (QStringList{"Background||0x102030", "Title|A|B"}));
        QCOMPARE(document.paramValue(QStringLiteral("width")), QStringLiteral("6"));
        // style.txt follows a take as any edit.
        QFile styleTxt(document.styleTxtPath());
        QVERIFY(styleTxt.open(QIODevice::ReadOnly));
        QCOMPARE(styleTxt.readAll(), QByteArray("&width=6\r\n&title=A\r\n"));

        document.table().setValue(2, QStringLiteral("C"));
        QCOMPARE(rows(comparison), (QStringList{"Background||0x102030", "Title|C|B"}));
        document.clearValues();
        QCOMPARE(rows(comparison), (QStringList{"Background||0x102030", "Width||6", "Title||B"}));
        document.loadStyleValues(m_dir.write(QStringLiteral("mine.stl"),
                                             "&width=6\r\n&title=B\r\n&bgColor=0x102030\r\n"));
        QCOMPARE(rows(comparison), QStringList{});
    }

    // A file in a code page other than UTF-8 compares and gives its values with their bytes.
    void bytesThatAreNotUtf8()
    {
        StyleDocument document;
        m_dir.load(document);
        StyleComparison comparison(&document);
        document.loadStyleValues(
                m_dir.write(QStringLiteral("mine.stl"), "&title=Umsatz f\xFCr\r\n"));
        comparison.compareWith(m_dir.write(QStringLiteral("theirs.stl"),
                                           "&title=Umsatz f\xFCr\r\n&font=\xA9 \x80\r\n"));
        QCOMPARE(comparison.rowCount(), 1);
        comparison.take(0);
        QCOMPARE(comparison.rowCount(), 0);
        QFile styleTxt(document.styleTxtPath());
        QVERIFY(styleTxt.open(QIODevice::ReadOnly));
        QCOMPARE(styleTxt.readAll(), QByteArray("&title=Umsatz f\xFCr\r\n&font=\xA9 \x80\r\n"));
    }

    void aFileThatCannotBeReadKeepsTheComparison()
    {
        StyleDocument document;
        m_dir.load(document);
        StyleComparison comparison(&document);
        comparison.compareWith(m_dir.write(QStringLiteral("theirs.stl"), "&width=6\r\n"));
        QVERIFY_THROWS_EXCEPTION(EditorError,
                                 comparison.compareWith(m_dir.path(QStringLiteral("none.stl"))));
        QCOMPARE(comparison.fileName(), m_dir.path(QStringLiteral("theirs.stl")));
        QCOMPARE(rows(comparison), (QStringList{"Background|0xFFFFFF|", "Width|1|6"}));
    }
};

QTEST_GUILESS_MAIN(tst_StyleComparison)
#include "tst_stylecomparison.moc"

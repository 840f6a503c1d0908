#include "style/ProblemListModel.h"
#include "style/SourceLines.h"
#include "support/ProfileFolder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray Profile = R"(<root>root
  <s>Section
    <bgColor type="color" default="0xFFFFFF">Background</bgColor>
    <width type="spin" values="0,100" default="1">Width</width>
    <chartType type="list" values="bar,line">Chart type</chartType>
    <lineStyle type="list" values="chartType=line:solid,dashed;chartType=bar:-">Line style</lineStyle>
    <title>Title</title>
  </s>
</root>
)";

} // namespace

// The Problems panel's list over a document: what it lists after opening a
// file, after edits, saving and New, checked by Qt's model tester throughout.
class tst_ProblemListModel : public QObject
{
    Q_OBJECT

    const ProfileFolder m_dir{Profile};

    static QStringList rows(const ProblemListModel &model)
    {
        QStringList out;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column)
                cells << model.index(row, column).data().toString();
            out << cells.join(u'|');
        }
        return out;
    }

    static int recordOf(StyleDocument &document, const QString &key)
    {
        return document.table().indexOfKey(key);
    }

    // A change as the editors make it: one post while the table is ready.
    static void set(StyleDocument &document, const QString &key, const QString &value)
    {
        document.table().setValue(recordOf(document, key), value);
    }

private slots:
    void sequences_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("steps"); // "key=value" posts, "save", "new"
        QTest::addColumn<QStringList>("rows");  // "line|key|message"

        const QString dropped = QStringLiteral(" (%1)").arg(SourceLines::droppedNote());
        const QByteArray file = "&bgColor=0xFFF\r\n&height=5\r\n&width=7\r\n";

        QTest::newRow("opened") << file << QStringList{}
                                << QStringList{"1|&bgColor|value \"0xFFF\" of \"&bgColor\" is not "
                                               "0x and six hex digits",
                                               "2|&height|unknown key \"&height\"" + dropped};
        QTest::newRow("a change mends a line")
                << file << QStringList{"bgColor=0x00FF00"}
                << QStringList{"2|&height|unknown key \"&height\"" + dropped};
        QTest::newRow("a change breaks a line")
                << file << QStringList{"width=250"}
                << QStringList{"1|&bgColor|value \"0xFFF\" of \"&bgColor\" is not 0x and six hex "
                               "digits",
                               "2|&height|unknown key \"&height\"" + dropped,
                               "3|&width|value \"250\" of \"&width\" is outside 0..100"};
        QTest::newRow("a value the file did not have")
                << file << QStringList{"title=Sales", "chartType=pie"}
                << QStringList{"1|&bgColor|value \"0xFFF\" of \"&bgColor\" is not 0x and six hex "
                               "digits",
                               "2|&height|unknown key \"&height\"" + dropped,
                               "|&chartType|value \"pie\" of \"&chartType\" starts none of the "
                               "choices \"bar\", \"line\""};
        QTest::newRow("conditional list follows the other value")
                << QByteArray("&chartType=line\r\n&lineStyle=dashed\r\n")
                << QStringList{"chartType=bar"}
                << QStringList{"2|&lineStyle|value \"dashed\" of \"&lineStyle\" starts none of the "
                               "choices \"-\""};
        QTest::newRow("a long value stays until changed")
                << QByteArray("&title=123456789012345678901\r\n&width=1\r\n")
                << QStringList{"width=2"}
                << QStringList{"1|&title|value of \"&title\" is longer than 20 characters"};
        QTest::newRow("a long value changed") << QByteArray("&title=123456789012345678901\r\n")
                                              << QStringList{"title=short"} << QStringList{};
        QTest::newRow("a repeated key is not kept")
                << QByteArray("&width=5\r\n&width=x\r\n") << QStringList{"width=6"}
                << QStringList{"2|&width|key \"&width\" repeats line 1" + dropped};
        QTest::newRow("save keeps only what it wrote")
                << file << QStringList{"width=250", "save"}
                << QStringList{"1|&bgColor|value \"0xFFF\" of \"&bgColor\" is not 0x and six hex "
                               "digits",
                               "2|&width|value \"250\" of \"&width\" is outside 0..100"};
        QTest::newRow("new") << file << QStringList{"new"} << QStringList{};
        QTest::newRow("new, then a value")
                << file << QStringList{"new", "width=-3"}
                << QStringList{"|&width|value \"-3\" of \"&width\" is outside 0..100"};
        QTest::newRow("lines that are no style lines")
                << QByteArray("\r\nplain\r\n&width\r\n&title=x\r\n") << QStringList{}
                << QStringList{"2|plain|\"plain\" is no \"&name=value\" line" + dropped,
                               "3|&width|\"&width\" has no \"=\"" + dropped};
        QTest::newRow("no style lines")
                << QByteArray("plain\r\n") << QStringList{}
                << QStringList{"||holds no style lines (\"&name=value\")",
                               "1|plain|\"plain\" is no \"&name=value\" line" + dropped};
    }

    void sequences()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);

        StyleDocument document;
        m_dir.load(document);
        ProblemListModel model(&document);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        document.loadStyleValues(m_dir.write(QStringLiteral("chart.stl"), file));
        for (const QString &step : std::as_const(steps)) {
            if (step == QLatin1String("save")) {
                document.saveStyleValues(m_dir.path(QStringLiteral("chart.stl")));
            } else if (step == QLatin1String("new")) {
                document.clearValues();
            } else {
                const qsizetype equals = step.indexOf(u'=');
                set(document, step.left(equals), step.mid(equals + 1));
            }
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(this->rows(model), rows);
    }

    void problemsNameTheirParameter()
    {
        StyleDocument document;
        m_dir.load(document);
        ProblemListModel model(&document);
        document.loadStyleValues(
                m_dir.write(QStringLiteral("chart.stl"), "&nope=1\r\n&width=x\r\n&WIDTH=y\r\n"));
        QCOMPARE(model.rowCount(), 3);
        const auto record = [&](int row) {
            return model.index(row, 0).data(ProblemListModel::RecordIndexRole).toInt();
        };
        QCOMPARE(record(0), -1);
        QCOMPARE(record(1), recordOf(document, QStringLiteral("width")));
        QCOMPARE(record(2), recordOf(document, QStringLiteral("width")));
    }

    // Loading and New change every value; the list is worked out once at their end.
    void bulkWorkUpdatesOnce()
    {
        StyleDocument document;
        m_dir.load(document);
        ProblemListModel model(&document);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        document.loadStyleValues(m_dir.write(QStringLiteral("chart.stl"),
                                             "&width=500\r\n&bgColor=red\r\n&title=x\r\n"));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(model.rowCount(), 2);
    }

    void linesBeyondTheLimitAreCounted()
    {
        QByteArray file;
        for (int i = 0; i < SourceLines::DroppedLineLimit + 5; ++i)
            file += "&unknown" + QByteArray::number(i) + "=1\r\n";
        file += "&width=999\r\n";
        StyleDocument document;
        m_dir.load(document);
        ProblemListModel model(&document);
        document.loadStyleValues(m_dir.write(QStringLiteral("chart.stl"), file));
        QCOMPARE(model.rowCount(), SourceLines::DroppedLineLimit + 2);
        // The parameter's own line is checked whatever comes before it.
        QCOMPARE(model.index(SourceLines::DroppedLineLimit, ProblemListModel::KeyColumn)
                         .data()
                         .toString(),
                 QStringLiteral("&width"));
        QCOMPARE(model.index(SourceLines::DroppedLineLimit + 1, ProblemListModel::MessageColumn)
                         .data()
                         .toString(),
                 QStringLiteral("5 more lines that Save will not keep are not checked"));
    }
};

QTEST_GUILESS_MAIN(tst_ProblemListModel)
#include "tst_problemlistmodel.moc"

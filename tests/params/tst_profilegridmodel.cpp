#include "base/ErrorReport.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class tst_ProfileGridModel : public QObject
{
    Q_OBJECT

private:
    static void add(ParameterTable &table, const QString &group, const QString &text,
                    const QString &value = {})
    {
        ParameterRecord record;
        record.setId(table.count() + 1);
        record.setGroup(group);
        record.setName(QStringLiteral("k%1").arg(table.count()));
        record.setCaption(text);
        record.setValue(value);
        table.append(record);
    }

    static QStringList groupTexts(const QAbstractItemModel &model)
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.index(row, 0).data().toString();
        return texts;
    }

    static QStringList captions(const QAbstractItemModel &model, int groupRow)
    {
        const QModelIndex group = model.index(groupRow, 0);
        QStringList texts;
        for (int row = 0; row < model.rowCount(group); ++row)
            texts << model.index(row, ProfileGridModel::ParameterColumn, group).data().toString();
        return texts;
    }

private slots:
    void initTestCase()
    {
        // Section order follows the locale's collation; pin the locale the cases are written for.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void groupsInLocaleOrderWhileRecordsArrive()
    {
        ParameterTable table;
        ProfileGridModel model(&table);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        add(table, QStringLiteral("Series"), QStringLiteral("Palette"));
        add(table, QStringLiteral("axes"), QStringLiteral("Axis color"));
        add(table, QStringLiteral("Chart"), QStringLiteral("Background"));
        add(table, QStringLiteral("Series"), QStringLiteral("Bar width"));
        add(table, QStringLiteral("Ärger"), QStringLiteral("Umlaut"));
        QCOMPARE(groupTexts(model), QStringList({"Ärger", "axes", "Chart", "Series"}));
        // Within a section the parameters keep the profile's order.
        QCOMPARE(captions(model, 3), QStringList({"Palette", "Bar width"}));
    }

    void columnsAndFlags()
    {
        ParameterTable table;
        add(table, QStringLiteral("Axes"), QStringLiteral("Line width"), QStringLiteral("2"));
        ProfileGridModel model(&table);
        const QModelIndex group = model.index(0, 0);
        const QModelIndex value = model.index(0, ProfileGridModel::ValueColumn, group);
        QCOMPARE(model.index(0, ProfileGridModel::SectionColumn, group).data().toString(),
                 QStringLiteral("Axes"));
        QCOMPARE(value.data().toString(), QStringLiteral("2"));
        QVERIFY(value.flags() & Qt::ItemIsEditable);
        QVERIFY(!(model.index(0, ProfileGridModel::ParameterColumn, group).flags()
                  & Qt::ItemIsEditable));
        QVERIFY(!(group.flags() & Qt::ItemIsEditable));
        QCOMPARE(model.headerData(ProfileGridModel::ParameterColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Parameter"));
        QCOMPARE(model.headerData(ProfileGridModel::ValueColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Value"));
        QCOMPARE(model.headerData(ProfileGridModel::SectionColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Section"));
    }

    void typedValuePostsTheEditedRow()
    {
        ParameterTable table;
        add(table, QStringLiteral("A"), QStringLiteral("first"));
        add(table, QStringLiteral("A"), QStringLiteral("second"));
        ProfileGridModel model(&table);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy posts(&table, &ParameterTable::afterPost);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex value = model.index(1, ProfileGridModel::ValueColumn, model.index(0, 0));
        QVERIFY(model.setData(value, QStringLiteral("a value longer than twenty")));
        QCOMPARE(posts.count(), 1);
        QCOMPARE(table.record(1).value(), QStringLiteral("a value longer than "));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<QModelIndex>(), value);
    }

    void failedPostIsReportedAndTheValueStays()
    {
        ParameterTable table;
        add(table, QStringLiteral("A"), QStringLiteral("first"));
        ProfileGridModel model(&table);
        connect(&table, &ParameterTable::afterPost, this,
                [] { throw EditorError(QStringLiteral("Cannot create file x")); });
        QStringList reported;
        const auto previous = ErrorReport::setHandler([&](const QString &m) { reported << m; });
        model.setData(model.index(0, ProfileGridModel::ValueColumn, model.index(0, 0)),
                      QStringLiteral("5"));
        ErrorReport::setHandler(previous);
        QCOMPARE(reported, QStringList{QStringLiteral("Cannot create file x.")});
        QCOMPARE(table.record(0).value(), QStringLiteral("5"));
    }

    // The rows that were and are highlighted are redrawn, each whole.
    void highlightFollowsTheLatestPick()
    {
        ParameterTable table;
        add(table, QStringLiteral("A"), QStringLiteral("first"));
        add(table, QStringLiteral("B"), QStringLiteral("second"));
        add(table, QStringLiteral("B"), QStringLiteral("third"));
        ProfileGridModel model(&table);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto highlighted = [&] {
            QList<int> records;
            for (int i = 0; i < table.count(); ++i) {
                for (int column = 0; column < ProfileGridModel::ColumnCount; ++column) {
                    if (model.indexOfRecord(i, column).data(ProfileGridModel::HighlightRole).toBool()
                        && !records.contains(i))
                        records << i;
                }
            }
            return records;
        };
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setHighlighted({0, 2});
        QCOMPARE(highlighted(), (QList<int>{0, 2}));
        QCOMPARE(changed.count(), 2);
        model.setHighlighted({1});
        QCOMPARE(highlighted(), QList<int>{1});
        QCOMPARE(changed.count(), 5);
        const QList<QVariant> last = changed.last();
        QCOMPARE(last.at(0).value<QModelIndex>(),
                 model.indexOfRecord(1, ProfileGridModel::ParameterColumn));
        QCOMPARE(last.at(1).value<QModelIndex>(),
                 model.indexOfRecord(1, ProfileGridModel::SectionColumn));
        QVERIFY(!model.index(0, 0).data(ProfileGridModel::HighlightRole).toBool()); // a group row
    }

    void bulkChangesReachTheViewWhenControlsResume()
    {
        ParameterTable table;
        add(table, QStringLiteral("A"), QStringLiteral("first"), QStringLiteral("1"));
        add(table, QStringLiteral("B"), QStringLiteral("second"), QStringLiteral("2"));
        ProfileGridModel model(&table);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        table.disableControls();
        table.setValue(0, QString());
        QCOMPARE(changed.count(), 0);
        table.enableControls();
        QCOMPARE(changed.count(), 2); // one range per section
        QCOMPARE(model.index(0, ProfileGridModel::ValueColumn, model.index(0, 0)).data().toString(),
                 QString());
    }

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("modifiedOnly");
        QTest::addColumn<QStringList>("shown"); // "section/caption" in view order

        QTest::newRow("nothing filtered") << QString() << false
                                          << QStringList({"Axes/Axis color", "Axes/Line width",
                                                          "Chart/Background", "Chart/Title"});
        QTest::newRow("caption, any case") << "COLOR" << false << QStringList({"Axes/Axis color"});
        QTest::newRow("key") << "k3" << false << QStringList({"Chart/Title"});
        QTest::newRow("value") << "0xff" << false << QStringList({"Chart/Background"});
        QTest::newRow("section text alone does not match") << "Chart" << false << QStringList();
        QTest::newRow("modified only")
                << QString() << true << QStringList({"Axes/Line width", "Chart/Title"});
        QTest::newRow("modified and text") << "width" << true << QStringList({"Axes/Line width"});
    }

    void filter()
    {
        QFETCH(QString, text);
        QFETCH(bool, modifiedOnly);
        QFETCH(QStringList, shown);
        ParameterTable table;
        add(table, QStringLiteral("Axes"), QStringLiteral("Axis color"), QStringLiteral("0x000000"));
        add(table, QStringLiteral("Axes"), QStringLiteral("Line width"), QStringLiteral("1"));
        add(table, QStringLiteral("Chart"), QStringLiteral("Background"),
            QStringLiteral("0xFFFFFF"));
        add(table, QStringLiteral("Chart"), QStringLiteral("Title"));
        table.setValue(1, QStringLiteral("3"));
        table.setValue(3, QStringLiteral("Sales"));
        ProfileGridModel model(&table);
        ProfileGridProxy proxy;
        proxy.setSourceModel(&model);
        QAbstractItemModelTester tester(&proxy,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        proxy.setFilterText(text);
        proxy.setModifiedOnly(modifiedOnly);
        QStringList actual;
        for (int g = 0; g < proxy.rowCount(); ++g) {
            for (const QString &caption : captions(proxy, g))
                actual << proxy.index(g, 0).data().toString() + QLatin1Char('/') + caption;
        }
        QCOMPARE(actual, shown);
        QCOMPARE(proxy.rowCount() > 0, !shown.isEmpty()); // no empty section rows
    }

    void modifiedOnlyFollowsEdits()
    {
        ParameterTable table;
        add(table, QStringLiteral("Axes"), QStringLiteral("Axis color"), QStringLiteral("0x000000"));
        add(table, QStringLiteral("Chart"), QStringLiteral("Title"), QStringLiteral("T"));
        ProfileGridModel model(&table);
        ProfileGridProxy proxy;
        proxy.setSourceModel(&model);
        QAbstractItemModelTester tester(&proxy,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        proxy.setModifiedOnly(true);
        QCOMPARE(proxy.rowCount(), 0);
        table.setValue(1, QStringLiteral("Other"));
        QCOMPARE(groupTexts(proxy), QStringList{QStringLiteral("Chart")});
        QVERIFY(model.index(0, ProfileGridModel::ValueColumn, model.index(1, 0))
                        .data(ProfileGridModel::DiffersFromProfileRole)
                        .toBool());
        table.setValue(1, QStringLiteral("T")); // back to the profile's value
        QCOMPARE(proxy.rowCount(), 0);
    }

    void sortingKeepsSectionsAscending_data()
    {
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("ascending") << Qt::AscendingOrder << QStringList({"alpha", "Beta", "gamma"});
        QTest::newRow("descending")
                << Qt::DescendingOrder << QStringList({"gamma", "Beta", "alpha"});
    }

    void sortingKeepsSectionsAscending()
    {
        QFETCH(Qt::SortOrder, order);
        QFETCH(QStringList, captions);
        ParameterTable table;
        add(table, QStringLiteral("Zeta"), QStringLiteral("gamma"));
        add(table, QStringLiteral("Zeta"), QStringLiteral("alpha"));
        add(table, QStringLiteral("Zeta"), QStringLiteral("Beta"));
        add(table, QStringLiteral("Alpha"), QStringLiteral("x"));
        ProfileGridModel model(&table);
        ProfileGridProxy proxy;
        proxy.setSourceModel(&model);
        QAbstractItemModelTester tester(&proxy,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(this->captions(proxy, 1),
                 QStringList({"gamma", "alpha", "Beta"})); // unsorted: profile order
        proxy.sort(ProfileGridModel::ParameterColumn, order);
        QCOMPARE(groupTexts(proxy), QStringList({"Alpha", "Zeta"}));
        QCOMPARE(this->captions(proxy, 1), captions);
    }
};

QTEST_GUILESS_MAIN(tst_ProfileGridModel)
#include "tst_profilegridmodel.moc"

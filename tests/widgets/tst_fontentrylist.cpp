#include "widgets/FontEntryList.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {

const QList<FontFace> Faces = {
        {"Tahoma", FontKind::TrueTypeText},
        {"Symbol", FontKind::TrueTypeSymbol},
        {"arial", FontKind::TrueTypeText},
        {"Courier", FontKind::Raster},
        {"@Gothic", FontKind::TrueTypeText},
        {"Arial Black", FontKind::TrueTypeText},
        {"Oddity", FontKinds()},
        {"Verdana", FontKind::TrueTypeText},
        {"Georgia", FontKind::TrueTypeText},
        {"Tahoma", FontKind::TrueTypeText},
};
const FontKinds TrueTypeOnly = FontKind::TrueTypeText | FontKind::TrueTypeSymbol;

} // namespace

// The font picker's entries, used section and fontName rules, on a fixed
// font list.
class tst_FontEntryList : public QObject
{
    Q_OBJECT

private slots:
    void build_data();
    void build();
    void fontNameWrite_data();
    void fontNameWrite();
    void nameNotInstalledChangesNothing();
    void usedSectionIsSearchedFirst();
    void pickInOpenListGivesFaceAlone();
    void closeWithoutPickKeepsEntryText();
    void selectionWhileClosedGivesFace();
    void selectionWhileOpenChangesNothing();
    void usedSectionLimit();
    void usedEntryMovesToTop();
    void noLimitAndNoUsedSection();
    void emptyList();
    void staysAConsistentModel();
};

void tst_FontEntryList::build_data()
{
    QTest::addColumn<int>("types");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("TrueType kinds")
            << int(TrueTypeOnly)
            << QStringList{"Arial Black=TA", "arial=TA",  "Georgia=TA", "Symbol=TS",
                           "Tahoma=TA",      "Tahoma=TA", "Verdana=TA"};
    QTest::newRow("raster only") << int(FontKind::Raster) << QStringList{"Courier=R"};
    QTest::newRow("symbol only") << int(FontKind::TrueTypeSymbol) << QStringList{"Symbol=TS"};
}

void tst_FontEntryList::build()
{
    QFETCH(int, types);
    FontEntryList list;
    list.build(Faces, FontKinds(types));
    // The whole entry text is compared, case ignored: the blank sorts before
    // "=", so "Arial Black" comes before "arial"; duplicates stay.
    QTEST(list.entries(), "entries");
    QCOMPARE(list.usedCount(), 0);
    QCOMPARE(list.selected(), -1);
    QVERIFY(list.fontName().isEmpty());
}

void tst_FontEntryList::fontNameWrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<QStringList>("top");
    QTest::newRow("exact face") << "Georgia"
                                << "Georgia=TA" << QStringList{"Georgia=TA"};
    // Entry 0 is committed in place, without a copy in the used section.
    QTest::newRow("empty name selects the first entry") << ""
                                                        << "Arial Black=TA" << QStringList{};
    QTest::newRow("end of a longer face matches it first") << "Black"
                                                           << "Arial Black=TA" << QStringList{};
    QTest::newRow("case-sensitive") << "arial"
                                    << "arial=TA" << QStringList{"arial=TA"};
    QTest::newRow("symbol face") << "Symbol"
                                 << "Symbol=TS" << QStringList{"Symbol=TS"};
}

void tst_FontEntryList::fontNameWrite()
{
    QFETCH(QString, name);
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(name);
    QTEST(list.fontName(), "fontName");
    QFETCH(QStringList, top);
    // The found entry was committed: it heads the list and is selected.
    QCOMPARE(list.entries().mid(0, list.usedCount()), top);
    QCOMPARE(list.selected(), 0);
}

void tst_FontEntryList::nameNotInstalledChangesNothing()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(QStringLiteral("Missing"));
    list.setFontName(QStringLiteral("ARIAL"));
    QVERIFY(list.fontName().isEmpty());
    QCOMPARE(list.selected(), -1);

    list.setFontName(QStringLiteral("Verdana"));
    list.setFontName(QStringLiteral("Missing"));
    QCOMPARE(list.fontName(), QStringLiteral("Verdana=TA"));
    QCOMPARE(list.selected(), 0);
    QCOMPARE(list.usedCount(), 1);
}

void tst_FontEntryList::usedSectionIsSearchedFirst()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(QStringLiteral("Tahoma"));
    list.setFontName(QStringLiteral("Georgia"));
    QCOMPARE(list.entries().mid(0, 2), (QStringList{"Georgia=TA", "Tahoma=TA"}));
    // "Tahoma" is found in the used section (entry 1), which moves to the top.
    list.setFontName(QStringLiteral("Tahoma"));
    QCOMPARE(list.entries().mid(0, 2), (QStringList{"Tahoma=TA", "Georgia=TA"}));
    QCOMPARE(list.usedCount(), 2);
}

void tst_FontEntryList::pickInOpenListGivesFaceAlone()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(QStringLiteral("Georgia"));
    list.dropDown();
    const int verdana = int(list.entries().indexOf(QStringLiteral("Verdana=TA")));
    QVERIFY(list.closeUp(verdana));
    QCOMPARE(list.fontName(), QStringLiteral("Verdana"));
    QCOMPARE(list.entries().mid(0, 2), (QStringList{"Verdana=TA", "Georgia=TA"}));
    QCOMPARE(list.selected(), 0);
    QVERIFY(!list.isOpen());
}

void tst_FontEntryList::closeWithoutPickKeepsEntryText()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.changeSelection(3); // "Symbol=TS", chosen with the list closed
    QCOMPARE(list.fontName(), QStringLiteral("Symbol"));
    QCOMPARE(list.usedCount(), 0);

    list.dropDown();
    QVERIFY(!list.closeUp(3));
    QCOMPARE(list.fontName(), QStringLiteral("Symbol=TS"));
    QCOMPARE(list.entries().first(), QStringLiteral("Symbol=TS"));
    QCOMPARE(list.usedCount(), 1);

    // Entry 0 is already on top: no second copy.
    list.dropDown();
    QVERIFY(!list.closeUp(0));
    QCOMPARE(list.usedCount(), 1);
    QCOMPARE(list.fontName(), QStringLiteral("Symbol=TS"));
}

void tst_FontEntryList::selectionWhileClosedGivesFace()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(QStringLiteral("Georgia"));
    list.changeSelection(2);
    QCOMPARE(list.fontName(), QStringLiteral("arial"));
    QCOMPARE(list.usedCount(), 1); // no commit
}

void tst_FontEntryList::selectionWhileOpenChangesNothing()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    list.setFontName(QStringLiteral("Georgia"));
    list.dropDown();
    list.changeSelection(4);
    QCOMPARE(list.fontName(), QStringLiteral("Georgia=TA"));
    // Escape: the list closes on the entry it opened with, which is committed.
    QVERIFY(!list.closeUp(0));
    QCOMPARE(list.fontName(), QStringLiteral("Georgia=TA"));
}

void tst_FontEntryList::usedSectionLimit()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    const QStringList picks{"Georgia", "Tahoma", "Verdana", "Symbol", "arial"};
    for (const QString &face : picks)
        list.setFontName(face);
    QCOMPARE(list.usedCount(), 5);
    list.setFontName(QStringLiteral("Arial Black")); // the sixth distinct font
    QCOMPARE(list.usedCount(), 5);
    QCOMPARE(list.entries().mid(0, 5),
             (QStringList{"Arial Black=TA", "arial=TA", "Symbol=TS", "Verdana=TA", "Tahoma=TA"}));
    // The font section stays whole and sorted.
    QCOMPARE(list.entries().size(), 5 + 7);
    QCOMPARE(list.entries().mid(5, 2), (QStringList{"Arial Black=TA", "arial=TA"}));
}

void tst_FontEntryList::usedEntryMovesToTop()
{
    FontEntryList list;
    list.build(Faces, TrueTypeOnly);
    for (const char *face : {"Georgia", "Tahoma", "Verdana"})
        list.setFontName(QLatin1String(face));
    list.dropDown();
    list.closeUp(2); // Georgia, from the used section
    QCOMPARE(list.entries().mid(0, 3), (QStringList{"Georgia=TA", "Verdana=TA", "Tahoma=TA"}));
    QCOMPARE(list.usedCount(), 3);
}

void tst_FontEntryList::noLimitAndNoUsedSection()
{
    FontEntryList unlimited;
    unlimited.build(Faces, TrueTypeOnly);
    unlimited.setMaxUsed(0);
    for (const char *face : {"Georgia", "Tahoma", "Verdana", "Symbol", "arial", "Arial Black"})
        unlimited.setFontName(QLatin1String(face));
    QCOMPARE(unlimited.usedCount(), 6);

    FontEntryList flat;
    flat.build(Faces, TrueTypeOnly);
    flat.setMoveUsedToTop(false);
    flat.setFontName(QStringLiteral("Verdana"));
    QCOMPARE(flat.usedCount(), 0);
    QCOMPARE(flat.selected(), 6);
    QCOMPARE(flat.fontName(), QStringLiteral("Verdana=TA"));
}

void tst_FontEntryList::emptyList()
{
    FontEntryList list;
    list.build({}, TrueTypeOnly);
    list.setFontName(QString());
    list.dropDown();
    QVERIFY(!list.closeUp(-1));
    QVERIFY(list.fontName().isEmpty());
    QVERIFY(!list.isOpen());
}

void tst_FontEntryList::staysAConsistentModel()
{
    FontEntryList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.build(Faces, TrueTypeOnly);
    // Picks past the used section's limit, then one already in it.
    for (const char *face :
         {"Verdana", "Georgia", "Symbol", "Tahoma", "arial", "Arial Black", "Georgia"})
        list.setFontName(QLatin1String(face));
    QCOMPARE(list.usedCount(), 5);
    QCOMPARE(list.entries().first(), QStringLiteral("Georgia=TA"));
    // A pick in the open list, from the font section's end.
    list.dropDown();
    list.closeUp(list.rowCount() - 1);
    QCOMPARE(list.entries().first(), QStringLiteral("Verdana=TA"));
    list.build(Faces, FontKind::Raster);
    QCOMPARE(list.rowCount(), 1);
}

QTEST_APPLESS_MAIN(tst_FontEntryList)
#include "tst_fontentrylist.moc"

#include "base/EditorError.h"
#include "params/ListChoices.h"
#include "style/StyleDocument.h"
#include "style/ValueEditing.h"
#include "style/ValuePopups.h"

#include <QtTest>

#include <optional>

namespace {

// Popups that record what they were handed and answer as scripted.
class ScriptedPopups : public ValuePopups
{
public:
    bool ok = true;
    int shown = 0;

    QStringList choices;
    int selected = -2;
    std::optional<int> pick;

    QString fontGiven;
    std::optional<QString> fontAnswer;

    NumberBox box;
    std::optional<int> spinAnswer;

    ColorRef colorGiven = 0xDEADBEEF;
    std::optional<ColorRef> colorAnswer;

    FontStyleValue styleGiven;
    std::optional<FontStyleValue> styleAnswer;

    bool execList(const QStringList &c, int &s) override
    {
        ++shown;
        choices = c;
        selected = s;
        if (pick)
            s = *pick;
        return ok;
    }
    bool execFont(QString &name) override
    {
        ++shown;
        fontGiven = name;
        if (fontAnswer)
            name = *fontAnswer;
        return ok;
    }
    bool execSpin(NumberBox &b) override
    {
        ++shown;
        box = b;
        if (spinAnswer)
            b.setValue(*spinAnswer);
        return ok;
    }
    bool execColor(ColorRef &color) override
    {
        ++shown;
        colorGiven = color;
        if (colorAnswer)
            color = *colorAnswer;
        return ok;
    }
    bool execFontStyle(FontStyleValue &style) override
    {
        ++shown;
        styleGiven = style;
        if (styleAnswer)
            style = *styleAnswer;
        return ok;
    }
};

void addRow(StyleDocument &doc, const QString &name, const QString &type, const QString &values,
            const QString &value)
{
    ParameterRecord record;
    record.setId(doc.table().count() + 1);
    record.setGroup(QStringLiteral("Chart"));
    record.setName(name);
    record.setCaption(name);
    record.setType(type);
    record.setValues(values);
    record.setValue(value);
    doc.table().append(record);
}

// A document whose current row is the edited one; the other rows are the
// parameters a conditional list may look at. Until published, posts write
// nothing to disk, as while a table is filled.
struct Fixture
{
    StyleDocument doc;
    std::optional<ScopedFlag> quiet;
    Fixture(const QString &type, const QString &values, const QString &value,
            const QStringList &others = {})
    {
        QByteArray emptyProfile = "<root>root</root>";
        QBuffer profile(&emptyProfile);
        profile.open(QIODevice::ReadOnly);
        doc.loadProfile(&profile);
        quiet.emplace(doc.fillingTable());
        for (const QString &other : others)
            addRow(doc, other.section(QLatin1Char('='), 0, 0), QString(), QString(),
                   other.section(QLatin1Char('='), 1));
        addRow(doc, QStringLiteral("edited"), type, values, value);
        addRow(doc, QStringLiteral("last"), QString(), QString(), QStringLiteral("unchanged"));
        doc.table().setCurrentIndex(others.size());
    }
    // From here on posts write style.txt, as in the running editor.
    void publish() { quiet.reset(); }
    QString value() const { return doc.table().record(doc.table().count() - 2).value(); }
};

} // namespace

class tst_ValueEditing : public QObject
{
    Q_OBJECT

private slots:
    void list_data();
    void list();
    void spin_data();
    void spin();
    void spinKeepsMaximum();
    void numberErrors_data();
    void numberErrors();
    void color_data();
    void color();
    void fontStyle_data();
    void fontStyle();
    void font_data();
    void font();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void otherTypesOpenNothing();
    void okPostsWithEffects();
};

void tst_ValueEditing::list_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("preselected");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain list with escaped comma")
            << "a\\,b,c" << QStringList{} << "" << QStringList{"a,b", "c"} << -1 << 0 << "a,b";
    QTest::newRow("empty domain gives one empty choice")
            << "" << QStringList{} << "x" << QStringList{""} << -1 << 0 << "";
    QTest::newRow("trailing comma gives an empty last choice")
            << "a,b," << QStringList{} << "b" << QStringList{"a", "b", ""} << 1 << 1 << "b";
    QTest::newRow("choices are not trimmed")
            << " a , b" << QStringList{} << " b" << QStringList{" a ", " b"} << 1 << 1 << " b";
    QTest::newRow("conditional, value 2") << "width=1:a,b;width=2:c" << QStringList{"width=2"} << ""
                                          << QStringList{"c"} << -1 << 0 << "c";
    QTest::newRow("conditional, value empty takes the last entry")
            << "width=1:a,b;width=2:c" << QStringList{"width="} << "" << QStringList{"c"} << -1 << 0
            << "c";
    QTest::newRow("conditional, no entry for the value")
            << "width=1:a,b;width=2:c" << QStringList{"width=3"} << "a" << QStringList{""} << -1
            << 0 << "";
    QTest::newRow("conditional, 1 also matches 10")
            << "width=10:p;width=2:q" << QStringList{"width=1"} << "" << QStringList{"p"} << -1 << 0
            << "p";
    QTest::newRow("conditional keeps the escaped comma")
            << "k=1:x\\,y" << QStringList{"k=1"} << "" << QStringList{"x\\,y"} << -1 << 0
            << "x\\,y";
    QTest::newRow("conditional, leading = skipped in the key")
            << "==k=1:a;k=2:b" << QStringList{"k=2"} << "" << QStringList{"b"} << -1 << 0 << "b";
    QTest::newRow("conditional, malformed entry")
            << "k=1:a:b;k=2:c" << QStringList{"k=1"} << "" << QStringList{""} << 0 << 0 << "";
    QTest::newRow("conditional, key compared case-sensitively")
            << "K=1:a;k=1:b" << QStringList{"K=1", "k=2"} << "" << QStringList{"a"} << -1 << 0
            << "a";
    QTest::newRow("preselect by beginning, OK writes the same value")
            << "0 - none,1 - thin" << QStringList{} << "1 " << QStringList{"0 - none", "1 - thin"}
            << 1 << 1 << "1 ";
    QTest::newRow("preselect the last choice that begins with the value")
            << "1 - a,1 - b,2" << QStringList{} << "1" << QStringList{"1 - a", "1 - b", "2"} << 1
            << 1 << "1 ";
    QTest::newRow("equality ignoring case wins over a beginning")
            << "left x,Left" << QStringList{} << "left" << QStringList{"left x", "Left"} << 1 << 1
            << "Left";
    QTest::newRow("beginning is case-sensitive")
            << "Left,Right" << QStringList{} << "lef" << QStringList{"Left", "Right"} << -1 << 1
            << "Right";
    QTest::newRow("a choice beginning with - writes the empty value")
            << "-5,0,5" << QStringList{} << "0" << QStringList{"-5", "0", "5"} << 1 << 0 << "";
    QTest::newRow("nothing selected writes the empty value")
            << "a,b" << QStringList{} << "z" << QStringList{"a", "b"} << -1 << -1 << "";
}

void tst_ValueEditing::list()
{
    QFETCH(QString, values);
    QFETCH(QStringList, others);
    QFETCH(QString, value);
    QFETCH(int, pick);
    Fixture f(QStringLiteral("list"), values, value, others);
    ScriptedPopups popups;
    popups.pick = pick;

    QVERIFY(ValueEditing().edit(f.doc, popups));
    QTEST(popups.choices, "choices");
    QTEST(popups.selected, "preselected");
    QTEST(f.value(), "written");
    QCOMPARE(f.doc.table().record(f.doc.table().count() - 1).value(), QStringLiteral("unchanged"));
    for (int i = 0; i < others.size(); ++i)
        QCOMPARE(f.doc.table().record(i).value(), others.at(i).section(QLatin1Char('='), 1));
}

void tst_ValueEditing::spin_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("value");
    QTest::addColumn<std::optional<int>>("answer");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("written");
    QTest::newRow("inside the range") << "0,100"
                                      << "40" << std::optional<int>() << 40 << "40";
    QTest::newRow("above the range shows the maximum")
            << "0,100"
            << "250" << std::optional<int>() << 100 << "100";
    QTest::newRow("below the range shows the minimum") << "6,48"
                                                       << "2" << std::optional<int>() << 6 << "6";
    QTest::newRow("further pieces ignored") << "0,10,x"
                                            << "5" << std::optional<int>() << 5 << "5";
    QTest::newRow("negative result") << "-20,20"
                                     << "0" << std::optional<int>(-12) << 0 << "-12";
    QTest::newRow("large result without exponent")
            << "0,2000000"
            << "1" << std::optional<int>(1000000) << 1 << "1000000";
}

void tst_ValueEditing::spin()
{
    QFETCH(QString, values);
    QFETCH(QString, value);
    QFETCH(std::optional<int>, answer);
    Fixture f(QStringLiteral("spin"), values, value);
    ScriptedPopups popups;
    popups.spinAnswer = answer;
    QVERIFY(ValueEditing().edit(f.doc, popups));
    QTEST(popups.box.value(), "shown");
    QTEST(f.value(), "written");
}

void tst_ValueEditing::spinKeepsMaximum()
{
    ValueEditing editing;
    ScriptedPopups popups;
    Fixture first(QStringLiteral("spin"), QStringLiteral("0,50"), QStringLiteral("20"));
    QVERIFY(editing.edit(first.doc, popups));

    Fixture second(QStringLiteral("spin"), QStringLiteral("10"), QStringLiteral("70"));
    QVERIFY(editing.edit(second.doc, popups));
    QCOMPARE(popups.box.minValue(), 10);
    QCOMPARE(popups.box.maxValue(), 50);
    QCOMPARE(second.value(), QStringLiteral("50"));

    // Before any two-number domain the maximum is 0.
    ValueEditing fresh;
    Fixture third(QStringLiteral("spin"), QStringLiteral("0"), QStringLiteral("70"));
    QVERIFY(fresh.edit(third.doc, popups));
    QCOMPARE(third.value(), QStringLiteral("70"));
}

void tst_ValueEditing::numberErrors_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("offending");
    QTest::newRow("spin, empty value") << "spin"
                                       << "0,100"
                                       << ""
                                       << "";
    QTest::newRow("spin, value not a number") << "spin"
                                              << "0,100"
                                              << "1.5"
                                              << "1.5";
    QTest::newRow("spin, empty domain") << "spin"
                                        << ""
                                        << "5"
                                        << "";
    QTest::newRow("spin, bad minimum") << "spin"
                                       << "a,5"
                                       << "5"
                                       << "a";
    QTest::newRow("spin, bad maximum") << "spin"
                                       << "0,x"
                                       << "5"
                                       << "x";
    QTest::newRow("spin, domain checked before the value") << "spin"
                                                           << "y"
                                                           << "z"
                                                           << "y";
    QTest::newRow("fontstyle, empty value") << "fontstyle"
                                            << ""
                                            << ""
                                            << "";
    QTest::newRow("fontstyle, not a number") << "fontstyle"
                                             << ""
                                             << "bold"
                                             << "bold";
}

void tst_ValueEditing::numberErrors()
{
    QFETCH(QString, type);
    QFETCH(QString, values);
    QFETCH(QString, value);
    QFETCH(QString, offending);
    Fixture f(type, values, value);
    ScriptedPopups popups;
    bool posted = false;
    connect(&f.doc.table(), &ParameterTable::afterPost, this, [&posted] { posted = true; });
    try {
        ValueEditing().edit(f.doc, popups);
        QFAIL("no error");
    } catch (const EditorError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("'%1' is not a valid integer value").arg(offending));
    }
    QCOMPARE(popups.shown, 0);
    QVERIFY(!posted);
    QCOMPARE(f.value(), value);
}

void tst_ValueEditing::color_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<uint>("given");
    QTest::addColumn<std::optional<ColorRef>>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("dark red, unchanged")
            << "0x800000" << 0x80u << std::optional<ColorRef>() << "0x800000";
    QTest::newRow("lower case comes back upper case")
            << "0x1f3f6e" << 0x6E3F1Fu << std::optional<ColorRef>() << "0x1F3F6E";
    QTest::newRow("blue chosen") << "0xFFFFFF" << 0xFFFFFFu << std::optional<ColorRef>(0xFF0000u)
                                 << "0x0000FF";
    QTest::newRow("system colour chosen")
            << "0x000000" << 0u << std::optional<ColorRef>(0x8000000Fu) << "0x8000000F";
    QTest::newRow("system colour kept")
            << "0x80000005" << 0x80000005u << std::optional<ColorRef>() << "0x80000005";
    QTest::newRow("unreadable opens on black")
            << "0xRED" << 0u << std::optional<ColorRef>() << "0x000000";
}

void tst_ValueEditing::color()
{
    QFETCH(QString, value);
    QFETCH(uint, given);
    QFETCH(std::optional<ColorRef>, answer);
    Fixture f(QStringLiteral("color"), QString(), value);
    ScriptedPopups popups;
    popups.colorAnswer = answer;
    QVERIFY(ValueEditing().edit(f.doc, popups));
    QCOMPARE(popups.colorGiven, ColorRef(given));
    QTEST(f.value(), "written");
}

void tst_ValueEditing::fontStyle_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("written");
    QTest::newRow("5") << "5" << true << false << true << "5";
    QTest::newRow("9 checks all three") << "9" << true << true << true << "7";
    QTest::newRow("0") << "0" << false << false << false << "0";
}

void tst_ValueEditing::fontStyle()
{
    QFETCH(QString, value);
    Fixture f(QStringLiteral("fontstyle"), QString(), value);
    ScriptedPopups popups;
    QVERIFY(ValueEditing().edit(f.doc, popups));
    QTEST(popups.styleGiven.bold, "bold");
    QTEST(popups.styleGiven.italic, "italic");
    QTEST(popups.styleGiven.underline, "underline");
    QTEST(f.value(), "written");

    popups.styleAnswer = FontStyleValue{false, true, true};
    QVERIFY(ValueEditing().edit(f.doc, popups));
    QCOMPARE(f.value(), QStringLiteral("6"));
}

void tst_ValueEditing::font_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("posted");
    QTest::newRow("a new pick is written") << "Arial"
                                           << "Arial"
                                           << "DejaVu Serif" << true;
    QTest::newRow("blanks and control characters trimmed") << " \tArial\x01 "
                                                           << "Arial"
                                                           << "Courier" << true;
    QTest::newRow("an entry text means no pick") << "Arial"
                                                 << "Arial"
                                                 << "Arial=TA" << false;
    QTest::newRow("nothing committed means no pick") << "Gone"
                                                     << "Gone"
                                                     << "" << false;
}

void tst_ValueEditing::font()
{
    QFETCH(QString, value);
    QFETCH(QString, answer);
    QFETCH(bool, posted);
    Fixture f(QStringLiteral("font"), QString(), value);
    ScriptedPopups popups;
    popups.fontAnswer = answer;
    QCOMPARE(ValueEditing().edit(f.doc, popups), posted);
    QTEST(popups.fontGiven, "given");
    QCOMPARE(f.value(), posted ? answer : value);
}

void tst_ValueEditing::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("value");
    QTest::newRow("list") << "list"
                          << "a,b"
                          << "a";
    QTest::newRow("font") << "font"
                          << ""
                          << "Arial";
    QTest::newRow("spin") << "spin"
                          << "0,9"
                          << "3";
    QTest::newRow("color") << "color"
                           << ""
                           << "0x123456";
    QTest::newRow("fontstyle") << "fontstyle"
                               << ""
                               << "1";
}

void tst_ValueEditing::cancelWritesNothing()
{
    QFETCH(QString, type);
    QFETCH(QString, values);
    QFETCH(QString, value);
    Fixture f(type, values, value);
    f.doc.setModified(false);
    ScriptedPopups popups;
    popups.ok = false;
    popups.pick = 1;
    popups.fontAnswer = QStringLiteral("Other");
    popups.spinAnswer = 7;
    popups.colorAnswer = 0;
    popups.styleAnswer = FontStyleValue{true, true, true};
    QVERIFY(!ValueEditing().edit(f.doc, popups));
    QCOMPARE(popups.shown, 1);
    QCOMPARE(f.value(), value);
    QVERIFY(!f.doc.isModified());
}

void tst_ValueEditing::otherTypesOpenNothing()
{
    for (const char *type : {"", "text", "List", "colour"}) {
        Fixture f(QLatin1String(type), QStringLiteral("a,b"), QStringLiteral("5"));
        ScriptedPopups popups;
        QVERIFY(!ValueEditing().edit(f.doc, popups));
        QCOMPARE(popups.shown, 0);
    }
}

void tst_ValueEditing::okPostsWithEffects()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Fixture f(QStringLiteral("color"), QString(), QStringLiteral("0x800000"));
    f.doc.setAppDir(dir.path() + QLatin1Char('/'));
    f.publish();
    f.doc.setModified(false);
    QSignalSpy refresh(&f.doc, &StyleDocument::refreshRequested);
    QList<bool> inEditorAtPost;
    connect(&f.doc.table(), &ParameterTable::afterPost, this,
            [&] { inEditorAtPost.append(f.doc.isInValueEditor()); });

    ScriptedPopups popups;
    QVERIFY(ValueEditing().edit(f.doc, popups)); // OK without a change still posts

    QCOMPARE(inEditorAtPost, QList<bool>{true});
    QVERIFY(!f.doc.isInValueEditor());
    QVERIFY(f.doc.isModified());
    QCOMPARE(refresh.count(), 1);
    QFile style(f.doc.styleTxtPath());
    QVERIFY(style.open(QIODevice::ReadOnly));
    QVERIFY(style.readAll().contains("&edited=0x800000"));
}

QTEST_APPLESS_MAIN(tst_ValueEditing)
#include "tst_valueediting.moc"

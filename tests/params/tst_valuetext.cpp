#include "base/EditorError.h"
#include "base/IntegerText.h"
#include "base/SplitString.h"
#include "params/ColorValue.h"
#include "params/FontStyleValue.h"
#include "params/NumberBox.h"
#include "params/PopupPosition.h"
#include "params/SwapColorBytes.h"

#include <QtTest>

// The text helpers and encodings behind the value editors.
class tst_ValueText : public QObject
{
    Q_OBJECT

private slots:
    void splitStringCases_data();
    void splitStringCases();
    void swapColorBytesCases_data();
    void swapColorBytesCases();
    void readDecimal_data();
    void readDecimal();
    void colorDecode_data();
    void colorDecode();
    void colorEncode_data();
    void colorEncode();
    void fontStyle_data();
    void fontStyle();
    void describeFontStyle_data();
    void describeFontStyle();
    void spinEditLimits_data();
    void spinEditLimits();
    void spinEditText();
    void spinFormat_data();
    void spinFormat();
    void popupPosition_data();
    void popupPosition();
};

void tst_ValueText::splitStringCases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("plain") << "a,b,c"
                           << "," << QStringList{"a", "b", "c"};
    QTest::newRow("empty text gives one empty piece") << ""
                                                      << "," << QStringList{""};
    QTest::newRow("trailing delimiter") << "a,"
                                        << "," << QStringList{"a", ""};
    QTest::newRow("adjacent delimiters") << "a,,b"
                                         << "," << QStringList{"a", "", "b"};
    QTest::newRow("leading delimiter") << ",a"
                                       << "," << QStringList{"", "a"};
    QTest::newRow("no delimiter") << "abc"
                                  << ";" << QStringList{"abc"};
    QTest::newRow("multi-character delimiter") << "a::b:c"
                                               << "::" << QStringList{"a", "b:c"};
    QTest::newRow("case-sensitive") << "aXbxc"
                                    << "x" << QStringList{"aXb", "c"};
    QTest::newRow("blanks kept") << " a , b "
                                 << "," << QStringList{" a ", " b "};
}

void tst_ValueText::splitStringCases()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, pieces);
    QCOMPARE(splitString(text, delimiter), pieces);
}

void tst_ValueText::swapColorBytesCases_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("swapped");
    QTest::newRow("six characters") << "112233"
                                    << "332211";
    QTest::newRow("red") << "FF0000"
                         << "0000FF";
    QTest::newRow("five characters") << "12345"
                                     << "12345";
    QTest::newRow("eight characters") << "8000000F"
                                      << "8000000F";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_ValueText::swapColorBytesCases()
{
    QFETCH(QString, text);
    QFETCH(QString, swapped);
    QCOMPARE(swapColorBytes(text), swapped);
    QCOMPARE(swapColorBytes(swapColorBytes(text)), text);
}

void tst_ValueText::readDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << "42" << true << 42;
    QTest::newRow("negative") << "-7" << true << -7;
    QTest::newRow("plus sign") << "+3" << true << 3;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank") << " " << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("too large") << "2147483648" << false << 0;
}

void tst_ValueText::readDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    if (valid) {
        QCOMPARE(IntegerText::readDecimal(text), value);
        return;
    }
    try {
        IntegerText::readDecimal(text);
        QFAIL("no error for an invalid integer");
    } catch (const EditorError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void tst_ValueText::colorDecode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<uint>("color");
    QTest::newRow("dark red opens as 0x00000080") << "0x800000" << 0x00000080u;
    QTest::newRow("white") << "0xFFFFFF" << 0x00FFFFFFu;
    QTest::newRow("blue") << "0x0000FF" << 0x00FF0000u;
    QTest::newRow("lower case") << "0xabcdef" << 0x00EFCDABu;
    QTest::newRow("first two characters dropped whatever they are") << "#$123456" << 0x00563412u;
    QTest::newRow("system colour, eight digits unswapped") << "0x8000000F" << 0x8000000Fu;
    QTest::newRow("not hexadecimal gives black") << "0xGG0000" << 0u;
    QTest::newRow("empty gives black") << "" << 0u;
    QTest::newRow("dollar elsewhere gives black") << "0x12$456" << 0u;
    QTest::newRow("more than 32 bits gives black") << "0x123456789" << 0u;
}

void tst_ValueText::colorDecode()
{
    QFETCH(QString, value);
    QFETCH(uint, color);
    QCOMPARE(ColorValue::decode(value), ColorRef(color));
}

void tst_ValueText::colorEncode_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<QString>("value");
    QTest::newRow("dark red") << 0x00000080u << "0x800000";
    QTest::newRow("blue") << 0x00FF0000u << "0x0000FF";
    QTest::newRow("black") << 0u << "0x000000";
    QTest::newRow("mixed, upper case") << 0x00EFCDABu << "0xABCDEF";
    QTest::newRow("system colour") << 0x8000000Fu << "0x8000000F";
}

void tst_ValueText::colorEncode()
{
    QFETCH(uint, color);
    QFETCH(QString, value);
    QCOMPARE(ColorValue::encode(color), value);
    QCOMPARE(ColorValue::decode(value), ColorRef(color));
}

void tst_ValueText::fontStyle_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<int>("written");
    QTest::newRow("0") << 0 << false << false << false << 0;
    QTest::newRow("1 bold") << 1 << true << false << false << 1;
    QTest::newRow("2 italic") << 2 << false << true << false << 2;
    QTest::newRow("5 bold and underline") << 5 << true << false << true << 5;
    QTest::newRow("7 all") << 7 << true << true << true << 7;
    QTest::newRow("9 takes 4, 2 and 1") << 9 << true << true << true << 7;
    QTest::newRow("negative") << -3 << false << false << false << 0;
}

void tst_ValueText::fontStyle()
{
    QFETCH(int, number);
    const FontStyleValue style = FontStyleValue::fromNumber(number);
    QTEST(style.bold, "bold");
    QTEST(style.italic, "italic");
    QTEST(style.underline, "underline");
    QTEST(style.number(), "written");
}

void tst_ValueText::describeFontStyle_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bold and underline") << "5"
                                        << "5 (Bold, Underline)";
    QTest::newRow("none") << "0"
                          << "0 (Regular)";
    QTest::newRow("all three from 9") << "9"
                                      << "9 (Bold, Italic, Underline)";
    QTest::newRow("not a number stays as it is") << "bold"
                                                 << "bold";
}

void tst_ValueText::describeFontStyle()
{
    QFETCH(QString, value);
    QTEST(FontStyleValue::describe(value), "shown");
}

void tst_ValueText::spinEditLimits_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("value");
    QTest::newRow("inside") << 0 << 100 << 50 << 50;
    QTest::newRow("above the maximum") << 0 << 100 << 250 << 100;
    QTest::newRow("below the minimum") << 10 << 100 << -5 << 10;
    QTest::newRow("equal bounds do not limit") << 5 << 5 << 99 << 99;
    QTest::newRow("no range yet") << 0 << 0 << -40 << -40;
}

void tst_ValueText::spinEditLimits()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, written);
    NumberBox box;
    box.setMinValue(minimum);
    box.setMaxValue(maximum);
    box.setValue(written);
    QTEST(box.value(), "value");
}

void tst_ValueText::spinEditText()
{
    NumberBox box;
    box.setMinValue(6);
    box.setMaxValue(48);
    const QLocale c = QLocale::c();
    QCOMPARE(box.valueOfText(QStringLiteral("12"), c), 12);
    QCOMPARE(box.valueOfText(QString(), c), 6);
    QCOMPARE(box.valueOfText(QStringLiteral("twelve"), c), 6);
}

void tst_ValueText::spinFormat_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("small") << 7 << "7";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("negative") << -12 << "-12";
    QTest::newRow("a million, no exponent") << 1000000 << "1000000";
    QTest::newRow("int max") << 2147483647 << "2147483647";
}

void tst_ValueText::spinFormat()
{
    QFETCH(int, value);
    QTEST(NumberBox::format(value), "text");
}

void tst_ValueText::popupPosition_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("popupHeight");
    QTest::addColumn<int>("mainBottom");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("topLeft");
    // Anchor (100, 50), grid 300 wide, rows 20 high: left = 100 + 300 - 64;
    // the popup 160 wide.
    const QRect wide(0, 0, 1280, 800);
    QTest::newRow("top row") << 0 << 61 << 800 << wide << QPoint(336, 90);
    QTest::newRow("fifth row") << 4 << 61 << 800 << wide << QPoint(336, 170);
    QTest::newRow("bottom exactly at the main window's")
            << 4 << 61 << 231 << wide << QPoint(336, 170);
    QTest::newRow("one pixel lower moves up by its height")
            << 4 << 61 << 230 << wide << QPoint(336, 109);
    QTest::newRow("no screen: left where it is") << 0 << 61 << 800 << QRect() << QPoint(336, 90);
    QTest::newRow("past the screen's right edge")
            << 0 << 61 << 800 << QRect(0, 0, 400, 800) << QPoint(240, 90);
    QTest::newRow("left of a screen further right")
            << 0 << 61 << 800 << QRect(1280, 0, 1024, 768) << QPoint(1280, 90);
    QTest::newRow("past the screen's bottom, above the window's")
            << 4 << 61 << 800 << QRect(0, 0, 1280, 200) << QPoint(336, 139);
    QTest::newRow("taller than the screen: top on it")
            << 0 << 300 << 800 << QRect(0, 100, 1280, 200) << QPoint(336, 100);
}

void tst_ValueText::popupPosition()
{
    QFETCH(int, row);
    QFETCH(int, popupHeight);
    QFETCH(int, mainBottom);
    QFETCH(QRect, screen);
    PopupPosition position{QPoint(100, 50), 300, 20, row};
    position.screen = screen;
    QTEST(position.topLeft(QSize(160, popupHeight), mainBottom), "topLeft");
}

QTEST_APPLESS_MAIN(tst_ValueText)
#include "tst_valuetext.moc"

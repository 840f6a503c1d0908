#include "base/SystemText.h"

#include <QTest>

// Bytes of the editor's files against the text the program holds: valid UTF-8
// becomes characters, every other byte a code point of its own, and encoding
// gives back the very bytes.
class tst_SystemText : public QObject
{
    Q_OBJECT

private:
    // One UTF-16 unit per list entry, so that kept bytes show as their codes.
    static QString units(std::initializer_list<char16_t> codes)
    {
        QString text;
        for (char16_t c : codes)
            text += QChar(c);
        return text;
    }

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("ASCII") << QByteArray("&width=5") << QStringLiteral("&width=5");
        QTest::newRow("valid two, three and four bytes")
                << QByteArray("\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80")
                << units({0xFC, 0x20AC, 0xD83D, 0xDE00});
        QTest::newRow("Windows-1252 text") << QByteArray("f\xFCr \xA9 \x80")
                                           << units({'f', 0xDCFC, 'r', ' ', 0xDCA9, ' ', 0xDC80});
        QTest::newRow("lone continuation bytes") << QByteArray("\x80\xBF"
                                                               "a")
                                                 << units({0xDC80, 0xDCBF, 'a'});
        QTest::newRow("lead byte at the end")
                << QByteArray("abc\xC3") << units({'a', 'b', 'c', 0xDCC3});
        QTest::newRow("three-byte sequence cut short") << QByteArray("\xE2\x82"
                                                                     "x")
                                                       << units({0xDCE2, 0xDC82, 'x'});
        QTest::newRow("lead byte before a valid sequence")
                << QByteArray("\xE2\xC3\xA9") << units({0xDCE2, 0xE9});
        QTest::newRow("overlong two bytes")
                << QByteArray("\xC0\xAF\xC1\xBF") << units({0xDCC0, 0xDCAF, 0xDCC1, 0xDCBF});
        QTest::newRow("overlong three bytes")
                << QByteArray("\xE0\x80\xAF") << units({0xDCE0, 0xDC80, 0xDCAF});
        QTest::newRow("overlong four bytes")
                << QByteArray("\xF0\x8F\xBF\xBF") << units({0xDCF0, 0xDC8F, 0xDCBF, 0xDCBF});
        QTest::newRow("encoded high surrogate")
                << QByteArray("\xED\xA0\x80") << units({0xDCED, 0xDCA0, 0xDC80});
        QTest::newRow("encoded low surrogate")
                << QByteArray("\xED\xB2\x80") << units({0xDCED, 0xDCB2, 0xDC80});
        QTest::newRow("last code point before the surrogates")
                << QByteArray("\xED\x9F\xBF") << units({0xD7FF});
        QTest::newRow("above U+10FFFF")
                << QByteArray("\xF4\x90\x80\x80") << units({0xDCF4, 0xDC90, 0xDC80, 0xDC80});
        QTest::newRow("U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << units({0xDBFF, 0xDFFF});
        QTest::newRow("FE and FF") << QByteArray("\xFF\xFE") << units({0xDCFF, 0xDCFE});
        QTest::newRow("F5 lead byte")
                << QByteArray("\xF5\x80\x80\x80") << units({0xDCF5, 0xDC80, 0xDC80, 0xDC80});
        QTest::newRow("byte order mark stays")
                << QByteArray("\xEF\xBB\xBF&a=1") << units({0xFEFF, '&', 'a', '=', '1'});
        QTest::newRow("NUL stays a character")
                << QByteArray("a\0\xFC", 3) << units({'a', 0, 0xDCFC});
        QTest::newRow("bytes that look like a kept byte's UTF-8")
                << QByteArray("\xED\xB3\xBC") << units({0xDCED, 0xDCB3, 0xDCBC});
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(SystemText::decode(bytes), text);
        QCOMPARE(SystemText::encode(text), bytes);
    }

    // Every sequence of one or two bytes, and two bytes before each lead byte,
    // comes back whole; pieces split at an ASCII byte decode as the whole.
    void everyShortSequenceRoundTrips()
    {
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const char raw[] = {char(first), char(second), 'x', char(0xF0), char(0x9F)};
                const QByteArray bytes(raw, sizeof raw);
                const QString text = SystemText::decode(bytes);
                if (SystemText::encode(text) != bytes)
                    QFAIL(qPrintable(QStringLiteral("%1 does not round-trip")
                                             .arg(QString::fromLatin1(bytes.toHex(' ')))));
                if (text != SystemText::decode(bytes.first(2)) + SystemText::decode(bytes.sliced(2)))
                    QFAIL(qPrintable(QStringLiteral("%1 decodes differently in pieces")
                                             .arg(QString::fromLatin1(bytes.toHex(' ')))));
            }
        }
    }

    // Text that no file gave: typed characters are UTF-8, and a surrogate that
    // stands for no byte cannot pass for one.
    void encodingTypedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("typed characters") << QStringLiteral("Gr\u00FC\u00DFe \u20AC")
                                          << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                        "e \xE2\x82\xAC");
        QTest::newRow("lone high surrogate") << units({'a', 0xD800, 'b'})
                                             << QByteArray("a\xEF\xBF\xBD"
                                                           "b");
        QTest::newRow("low surrogate below the kept bytes")
                << units({0xDC7F}) << QByteArray("\xEF\xBF\xBD");
        QTest::newRow("low surrogate above the kept bytes")
                << units({0xDD00}) << QByteArray("\xEF\xBF\xBD");
        QTest::newRow("high surrogate at the end")
                << units({'a', 0xDBFF}) << QByteArray("a\xEF\xBF\xBD");
    }

    void encodingTypedText()
    {
        QFETCH(QString, text);
        QTEST(SystemText::encode(text), "bytes");
    }

    void caseFoldingKeepsKeptBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("folded");
        QTest::newRow("letters around a kept byte") << QByteArray("&AB\xFC"
                                                                  "CD")
                                                    << QByteArray("&ab\xFC"
                                                                  "cd");
        QTest::newRow("kept bytes only") << QByteArray("\xFC\xFD") << QByteArray("\xFC\xFD");
        QTest::newRow("characters") << QByteArray("\xC3\x9C"
                                                  "X")
                                    << QByteArray("\xC3\xBC"
                                                  "x");
        QTest::newRow("kept byte after a four-byte character")
                << QByteArray("\xF0\x90\x90\x80\xFC") << QByteArray("\xF0\x90\x90\xA8\xFC");
    }

    void caseFoldingKeepsKeptBytes()
    {
        QFETCH(QByteArray, bytes);
        QTEST(SystemText::encode(SystemText::caseFolded(SystemText::decode(bytes))), "folded");
    }

    void displayedMarksKeptBytes()
    {
        QCOMPARE(SystemText::displayed(SystemText::decode("f\xFCr \xC3\xBC")),
                 QStringLiteral("f\uFFFDr \u00FC"));
    }

    // Bytes as a file holds them, and what a terminal gets to see of them.
    void escapedControls_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << QByteArray("&title=a b") << QByteArray("&title=a b");
        QTest::newRow("escape sequences")
                << QByteArray("&t\x1b[2K\x1b[1A") << QByteArray("&t\\x1b[2K\\x1b[1A");
        QTest::newRow("tab, CR, NUL and DEL")
                << QByteArray("a\tb\rc\0d\x7f", 8) << QByteArray("a\\x09b\\x0dc\\x00d\\x7f");
        QTest::newRow("C1 control as UTF-8")
                << QByteArray("x\xc2\x9by") << QByteArray("x\\xc2\\x9by");
        QTest::newRow("other characters and kept bytes")
                << QByteArray("\xc2\xa0\xe2\x82\xac\xfc\x9b")
                << QByteArray("\xc2\xa0\xe2\x82\xac\xfc\x9b");
    }
    void escapedControls()
    {
        QFETCH(QByteArray, bytes);
        QTEST(SystemText::encode(SystemText::escapedControls(SystemText::decode(bytes))), "shown");
    }
};

QTEST_APPLESS_MAIN(tst_SystemText)
#include "tst_systemtext.moc"

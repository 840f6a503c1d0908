#include "settings/IniTextFormat.h"

#include <QBuffer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The settings file's layout: what Qt's INI reader and writer make of it and
// the other way round, values in Qt's typed notations kept as bytes, and
// damaged files read as far as they make sense.
class tst_IniTextFormat : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString filePath(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    static QSettings::SettingsMap readBytes(const QByteArray &bytes)
    {
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QSettings::SettingsMap map;
        if (!IniTextFormat::read(buffer, map))
            qFatal("the reader refused the input");
        return map;
    }

    static QByteArray writeBytes(const QSettings::SettingsMap &map)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!IniTextFormat::write(buffer, map))
            qFatal("the writer failed");
        return buffer.data();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private slots:
    void textsAgreeWithQtsIniFormat_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("recent file")
                << QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/ReopenList/MRU1")
                << QStringLiteral("/home/ann/charts/q1 sales.stl");
        QTest::newRow("empty") << QStringLiteral("SOFTWARE/A/Empty") << QString();
        QTest::newRow("blanks at the ends")
                << QStringLiteral("SOFTWARE/A/Blanks") << QStringLiteral("  data.txt ");
        QTest::newRow("separators")
                << QStringLiteral("SOFTWARE/A/Separators") << QStringLiteral("a,b;c=d");
        QTest::newRow("quotes and backslashes")
                << QStringLiteral("SOFTWARE/A/Quotes") << QStringLiteral("C:\\Charts\\\"x\"\\");
        QTest::newRow("at sign") << QStringLiteral("SOFTWARE/A/At")
                                 << QStringLiteral("@Variant(\\0\\0)");
        QTest::newRow("two at signs") << QStringLiteral("SOFTWARE/A/At2") << QStringLiteral("@@x");
        QTest::newRow("controls") << QStringLiteral("SOFTWARE/A/Controls")
                                  << QStringLiteral("line\none\ttab") + QChar(0)
                                             + QStringLiteral("1") + QChar(0x1F)
                                             + QStringLiteral("f");
        QTest::newRow("non-latin") << QStringLiteral("SOFTWARE/A/Text")
                                   << QStringLiteral("Gr\u00fcn \u20ac \U0001F600");
        QTest::newRow("key with blanks and signs")
                << QStringLiteral("SOFTWARE/A b/%x=y\u00e9\u20ac") << QStringLiteral("v");
        QTest::newRow("outside any group") << QStringLiteral("TopLevel") << QStringLiteral("t");
        QTest::newRow("group called General")
                << QStringLiteral("General/Key") << QStringLiteral("g");
        QTest::newRow("group called general")
                << QStringLiteral("general/Key") << QStringLiteral("g");
    }
    void textsAgreeWithQtsIniFormat()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        const QString ours = filePath("ours.conf");
        const QString qts = filePath("qts.conf");
        QFile::remove(ours);
        QFile::remove(qts);
        {
            QSettings writer(ours, IniTextFormat::format());
            writer.setValue(QStringLiteral("SOFTWARE/Other/Value"), QStringLiteral("other"));
            writer.setValue(key, text);
            QCOMPARE(writer.status(), QSettings::NoError);
        }
        {
            QSettings writer(qts, QSettings::IniFormat);
            writer.setValue(QStringLiteral("SOFTWARE/Other/Value"), QStringLiteral("other"));
            writer.setValue(key, text);
        }
        const QVariant readByQt = QSettings(ours, QSettings::IniFormat).value(key);
        QCOMPARE(readByQt.typeId(), int(QMetaType::QString));
        QCOMPARE(readByQt.toString(), text);
        const QVariant readByUs = QSettings(qts, IniTextFormat::format()).value(key);
        QCOMPARE(readByUs.typeId(), int(QMetaType::QString));
        QCOMPARE(readByUs.toString(), text);
        QCOMPARE(QSettings(ours, IniTextFormat::format())
                         .value(QStringLiteral("SOFTWARE/Other/Value"))
                         .toString(),
                 QStringLiteral("other"));
    }

    void typedNotationsStayBytes_data()
    {
        QTest::addColumn<QByteArray>("value");
        // Counts of 0x32000000 elements: decoding it asks for gigabytes.
        QTest::newRow("huge list in a variant")
                << QByteArray("@Variant(\\0\\0\\0\\v2\\0\\0\\0\\x5)");
        QTest::newRow("byte array") << QByteArray("@ByteArray(abc)");
        QTest::newRow("rectangle") << QByteArray("@Rect(1 2 3 4)");
    }
    void typedNotationsStayBytes()
    {
        QFETCH(QByteArray, value);
        const QByteArray file = "[SOFTWARE]\nMelbrin\\List\\MRU1=" + value
                                + "\nMelbrin\\List\\MRU2=plain\n";
        const QSettings::SettingsMap map = readBytes(file);
        const QVariant read = map.value(QStringLiteral("SOFTWARE/Melbrin/List/MRU1"));
        QCOMPARE(read.typeId(), int(QMetaType::QByteArray));
        QCOMPARE(read.toByteArray(), value);
        QCOMPARE(map.value(QStringLiteral("SOFTWARE/Melbrin/List/MRU2")),
                 QVariant(QStringLiteral("plain")));
        QCOMPARE(writeBytes(map), file); // written back as it was
    }

    void unusualTextsSurviveTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("half a surrogate pair")
                << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("1") + QChar(0xDC00);
        QTest::newRow("leading byte order mark") << QChar(0xFEFF) + QStringLiteral("\t");
        QTest::newRow("kept byte") << QStringLiteral("Gr") + QChar(0xDCFC) + QStringLiteral("n");
        // As bytes, C3 A9 would read as one character.
        QTest::newRow("kept bytes that side by side are UTF-8")
                << QString(QChar(0xDCC3)) + QChar(0xDCA9);
    }
    void unusualTextsSurviveTheFile()
    {
        QFETCH(QString, text);
        const QSettings::SettingsMap map{{QStringLiteral("S/A"), text},
                                         {QChar(0xFEFF) + QStringLiteral("/B"), text}};
        QCOMPARE(readBytes(writeBytes(map)), map);
    }

    void damagedFilesReadAsFarAsTheyGo_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected"); // key=text pairs
        QTest::newRow("byte order mark, CRLF, comment")
                << QByteArray("\xEF\xBB\xBF[SOFTWARE]\r\n; a comment\r\nA\\B=1\r\n")
                << QStringList{"SOFTWARE/A/B=1"};
        QTest::newRow("junk lines")
                << QByteArray("junk\n[SOFTWARE]\n=x\nno equals\nA=1\n\x01\x02\n")
                << QStringList{"SOFTWARE/A=1"};
        QTest::newRow("section without a bracket keeps the last one")
                << QByteArray("[S]\nA=1\n[T\nB=2\n") << QStringList{"S/A=1", "S/B=2"};
        QTest::newRow("values before any section")
                << QByteArray("A=1\n[General]\nB=2\n") << QStringList{"A=1", "B=2"};
        QTest::newRow("last of a repeated key")
                << QByteArray("[S]\nA=1\nA=2\n") << QStringList{"S/A=2"};
        QTest::newRow("unfinished escapes")
                << QByteArray("[S]\nA=x\\\nB=\"open\n") << QStringList{"S/A=x\\", "S/B=open"};
        QTest::newRow("bad key escapes")
                << QByteArray("[S]\n%zz%=1\n%U12=2\n") << QStringList{"S/%U12=2", "S/%zz%=1"};
        QTest::newRow("empty groups")
                << QByteArray("[S/]\n\\A\\\\B\\=1\n[/]\nC=2\n") << QStringList{"C=2", "S/A/B=1"};
        QTest::newRow("nothing") << QByteArray() << QStringList{};
        QTest::newRow("key longer than a path") << "[S]\n" + QByteArray(4097, 'k') + "=1\nB=2\n"
                                                << QStringList{"S/B=2"};
    }
    void damagedFilesReadAsFarAsTheyGo()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QStringList pairs;
        const QSettings::SettingsMap map = readBytes(file);
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            pairs << it.key() + QLatin1Char('=') + it->toString();
        QCOMPARE(pairs, expected);
    }
};

QTEST_GUILESS_MAIN(tst_IniTextFormat)
#include "tst_initextformat.moc"

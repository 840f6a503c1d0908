#include "preview/DeviceFontFiles.h"
#include "preview/FontNameTable.h"

#include <QFile>
#include <QFileInfo>
#include <QRawFont>
#include <QTest>
#include <QtEndian>

// Device fonts for the player: finding a family's faces through fontconfig
// and renaming them to the family. Uses the DejaVu fonts the set-up installs.
class tst_FontNameTable : public QObject
{
    Q_OBJECT

private:
    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QString faceFile(const QString &family, bool bold, bool italic)
    {
        for (const DeviceFontFace &face : DeviceFontFiles::facesOf(family)) {
            if (face.bold == bold && face.italic == italic)
                return face.file;
        }
        return {};
    }

    // The Windows Unicode string of name id in the font's name table.
    static QString nameRecord(const QByteArray &font, int id)
    {
        const auto u16 = [&](qsizetype at) {
            return qFromBigEndian<quint16>(font.constData() + at);
        };
        const auto u32 = [&](qsizetype at) {
            return qFromBigEndian<quint32>(font.constData() + at);
        };
        for (int i = 0; i < u16(4); ++i) {
            const qsizetype record = 12 + i * 16;
            if (font.mid(record, 4) != "name")
                continue;
            const qsizetype table = u32(record + 8);
            const qsizetype storage = table + u16(table + 4);
            for (int n = 0; n < u16(table + 2); ++n) {
                const qsizetype r = table + 6 + n * 12;
                if (u16(r) != 3 || u16(r + 6) != id)
                    continue;
                QString text;
                for (int k = 0; k < u16(r + 8); k += 2)
                    text.append(QChar(u16(storage + u16(r + 10) + k)));
                return text;
            }
        }
        return {};
    }

private slots:
    void findsTheFourFacesOfAFamily()
    {
        const QList<DeviceFontFace> faces = DeviceFontFiles::facesOf(QStringLiteral("DejaVu Sans"));
        QCOMPARE(faces.size(), 4);
        QCOMPARE(QFileInfo(faceFile("DejaVu Sans", false, false)).fileName(),
                 QStringLiteral("DejaVuSans.ttf"));
        QCOMPARE(QFileInfo(faceFile("DejaVu Sans", true, false)).fileName(),
                 QStringLiteral("DejaVuSans-Bold.ttf"));
        QCOMPARE(QFileInfo(faceFile("DejaVu Sans", false, true)).fileName(),
                 QStringLiteral("DejaVuSans-Oblique.ttf"));
        QCOMPARE(QFileInfo(faceFile("dejavu sans", true, true)).fileName(),
                 QStringLiteral("DejaVuSans-BoldOblique.ttf"));
    }

    void defaultSansIsAnInstalledFamily()
    {
        const QString sans = DeviceFontFiles::defaultFamily(QStringLiteral("sans-serif"));
        QVERIFY(!sans.isEmpty());
        QVERIFY(!DeviceFontFiles::facesOf(sans).isEmpty());
    }

    void findsNothingForAnUnknownFamily()
    {
        QVERIFY(DeviceFontFiles::facesOf(QStringLiteral("No Such Family 4711")).isEmpty());
        QVERIFY(DeviceFontFiles::facesOf(QStringLiteral("  ")).isEmpty());
    }

    void renamesAFaceToItsFamily_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("style");
        QTest::newRow("regular") << false << false << QStringLiteral("Regular");
        QTest::newRow("bold") << true << false << QStringLiteral("Bold");
        QTest::newRow("italic") << false << true << QStringLiteral("Italic");
        QTest::newRow("bold italic") << true << true << QStringLiteral("Bold Italic");
    }

    void renamesAFaceToItsFamily()
    {
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, style);
        const QByteArray original = read(faceFile(QStringLiteral("DejaVu Sans"), bold, italic));
        QVERIFY(!original.isEmpty());
        const QByteArray font = FontNameTable::renamed(original, QStringLiteral("DejaVu Sans"),
                                                       bold, italic);
        QCOMPARE(nameRecord(font, 4), QStringLiteral("DejaVu Sans"));
        QCOMPARE(nameRecord(font, 1), QStringLiteral("DejaVu Sans"));
        QCOMPARE(nameRecord(font, 2), style);
        // Still a font, with the same glyphs.
        const QRawFont before(original, 20);
        const QRawFont after(font, 20);
        QVERIFY(after.isValid());
        QCOMPARE(after.familyName(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(after.fontTable("glyf"), before.fontTable("glyf"));
        QCOMPARE(after.glyphIndexesForString(QStringLiteral("Trevix")),
                 before.glyphIndexesForString(QStringLiteral("Trevix")));
    }

    void refusesWhatIsNoSingleFont_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("&bgColor=0xFFFFFF\r\n");
        QTest::newRow("collection") << QByteArray("ttcf\0\2\0\0\0\0\0\1\0\0\0\x10", 16);
        // A directory that claims more tables than the data holds.
        QTest::newRow("truncated directory") << QByteArray("\0\1\0\0\0\x20\0\0\0\0\0\0", 12);
        // A name table that would lie past the end of the data.
        QTest::newRow("table past the end")
                << QByteArray("\0\1\0\0\0\1\0\0\0\0\0\0name\0\0\0\0\0\0\0\x1c\xff\xff\0\0", 28);
    }

    void refusesWhatIsNoSingleFont()
    {
        QFETCH(QByteArray, data);
        QVERIFY(FontNameTable::renamed(data, QStringLiteral("X"), false, false).isEmpty());
    }
};

QTEST_MAIN(tst_FontNameTable)
#include "tst_fontnametable.moc"

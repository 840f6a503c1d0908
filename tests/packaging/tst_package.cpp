#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The text of the stand-alone "License: name" paragraph of a machine-readable
// copyright file, unfolded: continuation lines without their first space, "."
// lines empty; all white space as single spaces.
QString licenceText(const QString &copyright, const QString &name)
{
    for (const QString &paragraph : copyright.split(QStringLiteral("\n\n"))) {
        QStringList lines = paragraph.split(QLatin1Char('\n'));
        if (lines.takeFirst() != QLatin1String("License: ") + name)
            continue;
        for (QString &line : lines)
            line = line == QLatin1String(" .") ? QString() : line.mid(1);
        return lines.join(QLatin1Char(' ')).simplified();
    }
    return {};
}

} // namespace

// The Debian package that cpack makes of this build, as Debian's own tools see it.
class tst_Package : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_lintian;

    QString unpacked(const QString &path) const
    {
        return m_work.filePath(QStringLiteral("root/") + path);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        const ToolRun cpack(QStringLiteral(TREVIX_CPACK_COMMAND),
                            {"--config", TREVIX_BUILD_DIR "/CPackConfig.cmake", "-B",
                             m_work.path()});
        QVERIFY2(cpack.exitCode() == 0, qPrintable(cpack.output()));
        const QStringList packages
                = QDir(m_work.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        const QString package = m_work.filePath(packages.first());

        const ToolRun unpack(QStringLiteral("dpkg-deb"),
                             {"--extract", package, m_work.filePath(QStringLiteral("root"))});
        QVERIFY2(unpack.exitCode() == 0, qPrintable(unpack.output()));

        // Every tag, informational ones too; lintian's exit code only tells errors.
        const ToolRun lintian(QStringLiteral("lintian"), {"--display-info", package});
        QVERIFY2(lintian.exitCode() == 0 || lintian.exitCode() == 2, qPrintable(lintian.output()));
        m_lintian = lintian.out();
        qInfo("lintian:\n%s", qPrintable(m_lintian));
    }

    void lintianFindsNo_data()
    {
        QTest::addColumn<QString>("tags");
        QTest::newRow("errors") << "^E: ";
        QTest::newRow("warnings") << "^W: ";
        QTest::newRow("relocations not read-only") << "^I: .* hardening-no-relro";
        QTest::newRow("relocations not bound at start") << "^I: .* hardening-no-bindnow";
        QTest::newRow("not position independent") << "^I: .* hardening-no-pie";
        QTest::newRow("comment or note sections") << "^I: .* binary-has-unneeded-section ";
        QTest::newRow("short description") << "^I: .* extended-description-is-probably-too-short";
    }

    void lintianFindsNo()
    {
        QFETCH(QString, tags);
        const QRegularExpression pattern(tags, QRegularExpression::MultilineOption);
        QVERIFY2(!pattern.match(m_lintian).hasMatch(), qPrintable(m_lintian));
    }

    // Read-only relocations bound at start, and the stack protector, which
    // lintian does not look for. Fortified calls cannot be seen: neither
    // binary makes a call whose size is checked at run time.
    void programsAreHardened_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << "usr/lib/trevix-style-editor/TrevixStyleEditor";
        QTest::newRow("preview plugin")
                << "usr/lib/trevix-style-editor/libtrevix_preview_engine.so";
    }

    void programsAreHardened()
    {
        QFETCH(QString, path);
        const ToolRun readelf(QStringLiteral("readelf"), {"--wide", "--program-headers", "--dynamic",
                                                          "--dyn-syms", unpacked(path)});
        QVERIFY2(readelf.exitCode() == 0, qPrintable(readelf.output()));
        const QString out = readelf.out();
        QVERIFY2(out.contains(QLatin1String("GNU_RELRO")), "relocations are not made read-only");
        QVERIFY2(out.contains(QRegularExpression(
                         QStringLiteral("\\(FLAGS\\)\\s+BIND_NOW|\\(FLAGS_1\\)\\s+Flags:.* NOW"))),
                 "relocations are not bound at start");
        QVERIFY2(out.contains(QLatin1String("__stack_chk_fail")), "no stack protector");
    }

    // Ruffle comes with its own licence files; the copyright file says the
    // same: the licences its package names, the MIT text word for word, and
    // Debian's copy of the Apache licence where it matches Ruffle's.
    void copyrightFileHasRufflesLicence()
    {
        const QString ruffle = unpacked(QStringLiteral("usr/lib/trevix-style-editor/ruffle/"));
        const QString copyright = readText(
                unpacked(QStringLiteral("usr/share/doc/trevix-style-editor/copyright")));
        QVERIFY(copyright.startsWith(QLatin1String(
                "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")));

        const QRegularExpression licenceField(
                QStringLiteral("\"license\":\\s*\"\\(?([^\")]*)\\)?\""));
        QString licence = licenceField.match(readText(ruffle + "package.json")).captured(1);
        QVERIFY(!licence.isEmpty());
        const QString stanza = QStringLiteral("Files: node_modules/@ruffle-rs/ruffle/*\n");
        const qsizetype at = copyright.indexOf(stanza);
        QVERIFY(at >= 0);
        const QString files = copyright.mid(at, copyright.indexOf(QLatin1String("\n\n"), at) - at);

        QString mit = readText(ruffle + "LICENSE_MIT");
        const QString notice = mit.section(QLatin1Char('\n'), 0, 0);
        QVERIFY(notice.startsWith(QLatin1String("Copyright (c) ")));
        QVERIFY2(files.contains(QLatin1String("\nCopyright: ") + notice.mid(14) + '\n'),
                 qPrintable(files));
        QVERIFY2(files.contains(QLatin1String("\nLicense: ")
                                + licence.replace(QLatin1String(" OR "), " or ") + '\n'),
                 qPrintable(files));
        QCOMPARE(licenceText(copyright, QStringLiteral("MIT")),
                 mit.section(QLatin1Char('\n'), 1).simplified());

        const QString apache = readText(ruffle + "LICENSE_APACHE").simplified();
        QVERIFY(!apache.isEmpty());
        QVERIFY(readText(QStringLiteral("/usr/share/common-licenses/Apache-2.0"))
                        .simplified()
                        .startsWith(apache));
        QVERIFY(licenceText(copyright, QStringLiteral("Apache-2.0"))
                        .contains(QLatin1String("/usr/share/common-licenses/Apache-2.0")));
    }
};

QTEST_GUILESS_MAIN(tst_Package)
#include "tst_package.moc"

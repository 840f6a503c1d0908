#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

// Compiles a small help file into dir with the help compiler: the topics
// Start.html (the default) and Settings.html, a table of contents and an
// index listing both, the popup topics file CSHelp.txt and the context
// numbers 1050 (Settings.html) and 7 (Start.html). Returns the .chm's path,
// empty when compiling failed.
inline QString buildTestHelpFile(const QString &dir)
{
    const auto write = [&](const char *name, const QByteArray &content) {
        QFile file(QDir(dir).filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    };
    const QByteArray sitemap
            = "<html><body><ul>"
              "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Start\">"
              "<param name=\"Local\" value=\"Start.html\"></object>"
              "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Settings\">"
              "<param name=\"Local\" value=\"Settings.html\"></object></ul>"
              "</ul></body></html>";
    const bool written
            = write("help.hhp", "[OPTIONS]\n"
                                "Compiled file=help.chm\n"
                                "Contents file=toc.hhc\n"
                                "Index file=keys.hhk\n"
                                "Default topic=Start.html\n"
                                "Title=Test Help\n\n"
                                "[FILES]\nStart.html\nSettings.html\nCSHelp.txt\n\n"
                                "[MAP]\n#define IDH_SETTINGS 1050\n#define IDH_START 7\n\n"
                                "[ALIAS]\nIDH_SETTINGS=Settings.html\nIDH_START=Start.html\n")
              && write("Start.html",
                       "<html><head><title>Start</title></head><body><p>Start here, then "
                       "<a href=\"Settings.html\">settings</a> or "
                       "<a href=\"https://www.melbrin.com/trevix\">the web</a>.</p></body></html>")
              && write("Settings.html", "<html><head><title>Settings</title></head><body><p>Area "
                                        "size</p></body></html>")
              && write("CSHelp.txt",
                       ".topic 1\nFirst popup\n\n.topic 2\nSecond popup,\ntwo lines\n")
              && write("toc.hhc", sitemap) && write("keys.hhk", sitemap);
    if (!written)
        return {};

    QProcess compiler;
    compiler.setWorkingDirectory(dir);
    compiler.start(QStringLiteral(TREVIX_CHMCMD),
                   {QStringLiteral("--no-html-scan"), QDir(dir).filePath("help.hhp")});
    if (!compiler.waitForFinished(60000) || compiler.exitCode() != 0)
        return {};
    const QString chm = QDir(dir).filePath(QStringLiteral("help.chm"));
    return QFile::exists(chm) ? chm : QString();
}

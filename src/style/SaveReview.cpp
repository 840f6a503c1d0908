#include "style/SaveReview.h"

#include "base/LocalFile.h"
#include "base/SystemText.h"
#include "style/SourceLines.h"
#include "style/StyleDocument.h"
#include "style/StyleFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Lines named in a message; the rest are counted.
constexpr int ShownLines = 5;

// A line as the file writes it, cut short for a message.
QString shownLine(const StyleFile::Line &line)
{
    QString text = line.key;
    if (line.value)
        text += QLatin1Char('=') + *line.value;
    return QStringLiteral("%1: %2")
            .arg(line.number)
            .arg(SystemText::displayed(SystemText::escapedControls(ParameterRecord::cut(text, 40))));
}

QString listed(const QList<SourceLines::Entry> &entries, int count)
{
    QStringList shown;
    for (qsizetype i = 0; i < entries.size() && i < ShownLines; ++i)
        shown << shownLine(entries.at(i).line);
    if (count > shown.size())
        shown << QStringLiteral("...");
    return shown.join(QStringLiteral("; "));
}

// Whether Save, given the file's own values, would write other bytes than the file holds.
bool layoutDiffers(const StyleDocument &document, const QString &fileName, const StyleFile &style)
{
    QFile file;
    if (!LocalFile::open(file, fileName, QIODevice::ReadOnly))
        return true;
    const QByteArray own = StyleFile::content(
            document.styleLines([&style](const ParameterRecord &record) {
                return ParameterRecord::cut(style.value(record.name()).value_or(QString()),
                                            ParameterRecord::DefaultWidth);
            }));
    // A file much longer than what Save writes differs; it need not be read whole.
    if (file.size() != own.size())
        return true;
    return file.readAll() != own;
}

} // namespace

QString SaveReview::changes(const StyleDocument &document, const QString &fileName)
{
    // What cannot be read holds nothing to tell; Save reports what it cannot write.
    QFile readable;
    if (!LocalFile::isFile(fileName) || !LocalFile::open(readable, fileName, QIODevice::ReadOnly))
        return {};
    const QString name = SystemText::escapedControls(QFileInfo(fileName).fileName());
    const StyleRules rules(document.table());
    SourceLines source;
    source.read(fileName, rules);
    if (!source.holdsStyleLines()) {
        return tr("%1 holds no style lines (\"&name=value\"): Save will replace all of its "
                  "content with the parameters' values.")
                .arg(name);
    }
    QStringList changes;
    if (const int count = source.droppedCount(); count > 0) {
        QList<SourceLines::Entry> dropped;
        for (const SourceLines::Entry &entry : source.entries()) {
            if (!entry.kept())
                dropped << entry;
        }
        const QString text = count == 1
                                     ? tr("Save will drop 1 line of %1 that the profile does not "
                                          "know: %2")
                                     : tr("Save will drop %n lines of %1 that the profile does not "
                                          "know: %2",
                                          nullptr, count);
        changes << text.arg(name, listed(dropped, count));
    }
    const QList<SourceLines::Entry> cut = source.cutLines();
    if (const int count = int(cut.size()); count > 0) {
        const QString text = count == 1 ? tr("Save will cut 1 value of %1 to %2 characters: %3")
                                        : tr("Save will cut %n values of %1 to %2 characters: %3",
                                             nullptr, count);
        changes << text.arg(name, QString::number(ParameterRecord::DefaultWidth),
                            listed(cut, count));
    }
    if (changes.isEmpty() && layoutDiffers(document, fileName, StyleFile::load(fileName))) {
        changes << tr("Save will rewrite %1 in the editor's own layout: one line per parameter "
                      "that has a value, in the profile's order, each ending with CR LF.")
                           .arg(name);
    }
    return changes.join(QStringLiteral("\n\n"));
}

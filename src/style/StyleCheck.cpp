#include "style/StyleCheck.h"

#include "base/EditorError.h"
#include "base/SystemText.h"
#include "style/StyleFile.h"

#include <QIODevice>

#include <algorithm>

StyleCheck::StyleCheck(const QString &profileFile)
{
    m_document.loadProfile(profileFile);
    m_rules.emplace(m_document.table());
}

QList<StyleCheck::Problem> StyleCheck::check(const QString &styleFile)
{
    // The values as the editor would hold them decide the conditional lists.
    m_document.loadStyleValues(styleFile);

    QList<Problem> problems;
    StyleFile::readLines(styleFile, [&](const StyleFile::Line &line) { m_rules->check(line, problems); });
    return problems;
}

namespace {

// Texts from the files go out with the bytes they came with.
void writeLine(QIODevice &device, const QString &text)
{
    device.write(SystemText::encode(QString(text + QLatin1Char('\n'))));
}

} // namespace

StyleCheck::Result StyleCheck::run(const QStringList &styleFiles, const QString &profileFile, QIODevice &out,
                                   QIODevice &err)
{
    std::optional<StyleCheck> checker;
    try {
        checker.emplace(profileFile);
    } catch (const EditorError &error) {
        writeLine(err, profileFile + QStringLiteral(": ") + error.message());
        return CannotCheck;
    }
    Result result = Clean;
    for (const QString &file : styleFiles) {
        try {
            for (const Problem &problem : checker->check(file)) {
                writeLine(out, file + QLatin1Char(':') + QString::number(problem.line) + QStringLiteral(": ") + problem.message);
                result = std::max(result, ProblemsFound);
            }
        } catch (const EditorError &error) {
            writeLine(err, error.message());
            result = CannotCheck;
        }
    }
    return result;
}

#include "style/StyleCheck.h"

#include "base/EditorError.h"
#include "base/SystemText.h"
#include "style/SourceLines.h"

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

    SourceLines source;
    source.read(styleFile, *m_rules);
    QList<Problem> problems;
    source.check(*m_rules, problems);
    return problems;
}

namespace {

// Texts from the files go out with the bytes they came with, but for the
// control characters, which would steer a terminal.
void writeLine(QIODevice &device, const QString &text)
{
    device.write(SystemText::encode(QString(SystemText::escapedControls(text) + QLatin1Char('\n'))));
}

} // namespace

StyleCheck::Result StyleCheck::run(const QStringList &styleFiles, const QString &profileFile,
                                   QIODevice &out, QIODevice &err)
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
                const QString where = problem.line > 0 ? QStringLiteral(":%1").arg(problem.line)
                                                       : QString();
                writeLine(out, file + where + QStringLiteral(": ") + problem.message);
                result = std::max(result, ProblemsFound);
            }
        } catch (const EditorError &error) {
            writeLine(err, error.message());
            result = CannotCheck;
        }
    }
    return result;
}

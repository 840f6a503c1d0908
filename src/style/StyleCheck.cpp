#include "style/StyleCheck.h"

#include "app/EditorError.h"
#include "app/SystemText.h"
#include "params/IntegerText.h"
#include "params/ListChoices.h"
#include "params/SplitString.h"
#include "style/StyleFile.h"

#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

StyleCheck::StyleCheck(const QString &profileFile)
{
    m_document.XML.LoadFromFile(profileFile);
    m_document.FNextId = 1;
    m_document.LoadProfileItem(m_document.XML.Root(), QString());
    const ParameterTable &table = m_document.XMLMemoryData;
    for (int i = table.count() - 1; i >= 0; --i)
        m_records.insert(SystemText::caseFolded(QLatin1Char('&') + table.record(i).pName()), i);
}

QList<StyleCheck::Problem> StyleCheck::check(const QString &styleFile)
{
    // The values as the editor would hold them decide the conditional lists.
    m_document.LoadStyleValues(styleFile);

    QList<Problem> problems;
    StyleFile::readLines(styleFile, [&](const StyleFile::Line &line) {
        const auto report = [&](const QString &message) { problems.append({line.number, message}); };
        const QString key = QLatin1Char('"') + line.key + QLatin1Char('"');
        if (!line.value) {
            if (line.key.startsWith(QLatin1Char('&')))
                report(QStringLiteral("%1 has no \"=\"").arg(key));
            return;
        }
        const int index = line.keyTooLong ? -1 : m_records.value(SystemText::caseFolded(line.key), -1);
        if (index < 0) {
            report(QStringLiteral("unknown key %1").arg(key));
            return;
        }
        const QString stored = ParameterRecord::cut(*line.value, ParameterRecord::DefaultWidth);
        if (stored != *line.value)
            report(QStringLiteral("value of %1 is longer than %2 characters").arg(key).arg(ParameterRecord::DefaultWidth));
        if (!StyleFile::hasValue(stored))
            return;
        const QString problem = valueProblem(m_document.XMLMemoryData.record(index), stored);
        if (!problem.isEmpty())
            report(QStringLiteral("value \"%1\" of %2 %3").arg(stored, key, problem));
    });
    return problems;
}

QString StyleCheck::valueProblem(const ParameterRecord &record, const QString &value)
{
    const QString &type = record.pType();
    if (type == QLatin1String("spin")) {
        qint32 number = 0;
        try {
            number = IntegerText::readDecimal(value);
        } catch (const EditorError &) {
            return QStringLiteral("is not a whole number");
        }
        // The number box limits values only when the domain names two different bounds.
        const QStringList domain = SplitString(record.pValues(), QStringLiteral(","));
        if (domain.size() < 2)
            return {};
        qint32 min = 0;
        qint32 max = 0;
        try {
            min = IntegerText::readDecimal(domain.at(0));
            max = IntegerText::readDecimal(domain.at(1));
        } catch (const EditorError &) {
            return {};
        }
        if (min != max && (number < min || number > max))
            return QStringLiteral("is outside %1..%2").arg(min).arg(max);
    } else if (type == QLatin1String("list")) {
        const QStringList choices = ListChoices::parse(
            record.pValues(), [this](const QString &name) { return m_document.GetParamValue(name); });
        if (ListChoices::preselect(choices, value) < 0)
            return QStringLiteral("starts none of the choices \"%1\"").arg(choices.join(QStringLiteral("\", \"")));
    } else if (type == QLatin1String("color")) {
        static const QRegularExpression color(QStringLiteral("^0x[0-9A-Fa-f]{6}$"));
        if (!color.match(value).hasMatch())
            return QStringLiteral("is not 0x and six hex digits");
    }
    return {};
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

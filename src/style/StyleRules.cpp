#include "style/StyleRules.h"

#include "base/EditorError.h"
#include "base/IntegerText.h"
#include "base/SplitString.h"
#include "base/SystemText.h"
#include "params/ColorValue.h"
#include "params/ListChoices.h"
#include "params/NumberBox.h"
#include "params/ParameterTable.h"

#include <algorithm>

StyleRules::StyleRules(const ParameterTable &table) : m_table(table)
{
    for (int i = table.count() - 1; i >= 0; --i) {
        m_keys.insert(SystemText::caseFolded(QLatin1Char('&') + table.record(i).name()), i);
        m_names.insert(table.record(i).name(), i);
    }
}

int StyleRules::recordOf(const StyleFile::Line &line) const
{
    if (!line.value || line.keyTooLong)
        return -1;
    return m_keys.value(SystemText::caseFolded(line.key), -1);
}

void StyleRules::check(const StyleFile::Line &line, QList<Problem> &problems) const
{
    const int record = recordOf(line);
    const auto report = [&](const QString &message) {
        problems.append({line.number, line.key, message, record});
    };
    const QString key = QLatin1Char('"') + line.key + QLatin1Char('"');
    if (!line.value) {
        if (line.key.startsWith(QLatin1Char('&')))
            report(QStringLiteral("%1 has no \"=\"").arg(key));
        else if (!line.key.isEmpty())
            report(QStringLiteral("%1 is no \"&name=value\" line").arg(key));
        return;
    }
    if (record < 0) {
        report(QStringLiteral("unknown key %1").arg(key));
        return;
    }
    const QString stored = ParameterRecord::cut(*line.value, ParameterRecord::DefaultWidth);
    if (stored != *line.value)
        report(QStringLiteral("value of %1 is longer than %2 characters")
                       .arg(key)
                       .arg(ParameterRecord::DefaultWidth));
    if (!StyleFile::hasValue(stored))
        return;
    const QString problem = valueProblem(record, stored);
    if (!problem.isEmpty())
        report(QStringLiteral("value \"%1\" of %2 %3").arg(stored, key, problem));
}

QString StyleRules::valueOf(const QString &name) const
{
    const int record = m_names.value(name, -1);
    return record < 0 ? QString() : m_table.record(record).value();
}

QString StyleRules::valueProblem(int record, const QString &value) const
{
    const ParameterRecord &parameter = m_table.record(record);
    const QString &type = parameter.type();
    if (type == QLatin1String("spin")) {
        qint32 number = 0;
        try {
            number = IntegerText::readDecimal(value);
        } catch (const EditorError &) {
            return QStringLiteral("is not a whole number");
        }
        // The number box limits values only when the domain names two different bounds.
        const QStringList domain = splitString(parameter.values(), QStringLiteral(","));
        if (domain.size() < 2)
            return {};
        NumberBox box;
        try {
            box.setMinValue(IntegerText::readDecimal(domain.at(0)));
            box.setMaxValue(IntegerText::readDecimal(domain.at(1)));
        } catch (const EditorError &) {
            return {};
        }
        // The number popup's own limits.
        if (!box.accepts(number)) {
            return QStringLiteral("is outside %1..%2")
                    .arg(std::min(box.minValue(), box.maxValue()))
                    .arg(std::max(box.minValue(), box.maxValue()));
        }
    } else if (type == QLatin1String("list")) {
        const QStringList choices = ListChoices::parse(parameter.values(),
                                                       [this](const QString &name) {
                                                           return valueOf(name);
                                                       });
        if (ListChoices::preselect(choices, value) < 0)
            return QStringLiteral("starts none of the choices \"%1\"")
                    .arg(choices.join(QStringLiteral("\", \"")));
    } else if (type == QLatin1String("color")) {
        if (!ColorValue::isValid(value))
            return QStringLiteral("is not 0x and six hex digits");
    }
    return {};
}

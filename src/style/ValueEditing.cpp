#include "style/ValueEditing.h"

#include "base/IntegerText.h"
#include "base/SplitString.h"
#include "base/SystemText.h"
#include "params/ColorValue.h"
#include "params/ListChoices.h"
#include "style/StyleDocument.h"
#include "style/ValuePopups.h"

bool ValueEditing::edit(StyleDocument &document, ValuePopups &popups)
{
    ParameterTable &table = document.table();
    if (table.currentIndex() < 0)
        return false;
    const ParameterRecord row = table.current();
    const QString &type = row.type();

    std::optional<QString> result;
    if (type == QLatin1String("list"))
        result = editList(document, popups, row.values(), row.value());
    else if (type == QLatin1String("font"))
        result = editFont(popups, row.value());
    else if (type == QLatin1String("spin"))
        result = editSpin(popups, row.values(), row.value());
    else if (type == QLatin1String("color"))
        result = editColor(popups, row.value());
    else if (type == QLatin1String("fontstyle"))
        result = editFontStyle(popups, row.value());
    if (!result)
        return false;

    const ScopedFlag fromPopup = document.writingFromPopup();
    table.setValue(table.currentIndex(), *result);
    return true;
}

std::optional<QString> ValueEditing::editList(StyleDocument &document, ValuePopups &popups,
                                              const QString &values, const QString &value)
{
    const QStringList choices = ListChoices::parse(values, [&document](const QString &name) {
        return document.paramValue(name);
    });
    int selected = ListChoices::preselect(choices, value);
    if (!popups.execList(choices, selected))
        return std::nullopt;
    return ListChoices::valueOf(selected >= 0 && selected < choices.size() ? choices.at(selected)
                                                                           : QString());
}

std::optional<QString> ValueEditing::editFont(ValuePopups &popups, const QString &value)
{
    QString fontName = SystemText::trim(value);
    // A name that still holds "=" is the picker's own entry text: no new pick.
    // Nor is an empty name: nothing was chosen in this popup, and writing it
    // would wipe the value.
    if (!popups.execFont(fontName) || fontName.contains(QLatin1Char('=')) || fontName.isEmpty())
        return std::nullopt;
    return fontName;
}

std::optional<QString> ValueEditing::editSpin(ValuePopups &popups, const QString &values,
                                              const QString &value)
{
    const QStringList domain = splitString(values, QStringLiteral(","));
    m_numberBox.setMinValue(IntegerText::readDecimal(domain.at(0)));
    if (domain.size() > 1)
        m_numberBox.setMaxValue(IntegerText::readDecimal(domain.at(1)));
    m_numberBox.setValue(IntegerText::readDecimal(value));
    if (!popups.execSpin(m_numberBox))
        return std::nullopt;
    return NumberBox::format(m_numberBox.value());
}

std::optional<QString> ValueEditing::editColor(ValuePopups &popups, const QString &value)
{
    ColorRef color = ColorValue::decode(value);
    if (!popups.execColor(color))
        return std::nullopt;
    return ColorValue::encode(color);
}

std::optional<QString> ValueEditing::editFontStyle(ValuePopups &popups, const QString &value)
{
    FontStyleValue style = FontStyleValue::fromNumber(IntegerText::readDecimal(value));
    if (!popups.execFontStyle(style))
        return std::nullopt;
    return QString::number(style.number());
}

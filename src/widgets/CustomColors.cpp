#include "widgets/CustomColors.h"

#include "base/EditorError.h"
#include "base/IntegerText.h"
#include "settings/SettingsBackingStore.h"

QString CustomColors::valueName(int slot)
{
    return QStringLiteral("Color") + QChar(u'A' + slot);
}

void CustomColors::load(const SettingsBackingStore &store)
{
    for (int i = 0; i < Count; ++i)
        m_texts[size_t(i)] = store.readText(section(), valueName(i), QString());
}

void CustomColors::save(SettingsBackingStore &store) const
{
    for (int i = 0; i < Count; ++i)
        store.writeText(section(), valueName(i), m_texts[size_t(i)]);
}

std::array<ColorRef, CustomColors::Count> CustomColors::colors() const
{
    std::array<ColorRef, Count> result{};
    for (int i = 0; i < Count; ++i) {
        const QString &text = m_texts[size_t(i)];
        if (text.isEmpty()) {
            result[size_t(i)] = Empty;
            continue;
        }
        const QString hex = QLatin1Char('$') + text;
        const std::optional<quint32> color = IntegerText::readHex(hex);
        if (!color)
            throw EditorError(QStringLiteral("'%1' is not a valid integer value").arg(hex));
        result[size_t(i)] = *color;
    }
    return result;
}

void CustomColors::setColors(const std::array<ColorRef, Count> &colors)
{
    for (int i = 0; i < Count; ++i)
        m_texts[size_t(i)]
                = QStringLiteral("%1").arg(colors[size_t(i)], 6, 16, QLatin1Char('0')).toUpper();
}

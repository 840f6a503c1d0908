#pragma once

#include "base/ColorRef.h"

#include <QString>

#include <array>

class SettingsBackingStore;

// The 16 custom colours of the system colour dialog, kept between runs as
// the string values "ColorA".."ColorP" of the key RtColorPicker\CustomColors:
// hexadecimal ColorRef digits, empty for an empty slot.
class CustomColors
{
public:
    static constexpr int Count = 16;
    static constexpr ColorRef Empty = 0xFFFFFFFFu; // how the dialog holds an empty slot

    static QString key() { return QStringLiteral("RtColorPicker"); }
    static QString section() { return QStringLiteral("CustomColors"); }
    static QString valueName(int slot);

    // Takes the slots' texts as they stand; a missing value reads as empty.
    void load(const SettingsBackingStore &store);
    // Writes all 16 texts back.
    void save(SettingsBackingStore &store) const;

    // The colours for the dialog. Throws EditorError
    // "'$%s' is not a valid integer value" for a slot that is not hexadecimal.
    std::array<ColorRef, Count> colors() const;
    // The dialog's slots after an OK; an empty slot is written as FFFFFFFF.
    void setColors(const std::array<ColorRef, Count> &colors);

    const QString &text(int slot) const { return m_texts[size_t(slot)]; }

private:
    std::array<QString, Count> m_texts;
};

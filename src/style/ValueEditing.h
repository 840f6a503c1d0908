#pragma once

#include "params/NumberBox.h"

#include <QString>

#include <optional>

class StyleDocument;
class ValuePopups;

// Edits the value of the document's current row in the popup for its type:
// decodes the value for the popup, and on OK encodes the popup's result and
// posts it, with m_inValueEditor set around the post. A row of another type
// opens nothing. Throws EditorError "'%s' is not a valid integer value" for
// a number that cannot be read; the popup is then not shown.
class ValueEditing
{
public:
    // True when a value was posted.
    bool edit(StyleDocument &document, ValuePopups &popups);

    // The number box keeps its maximum between uses.
    const NumberBox &numberBox() const { return m_numberBox; }

private:
    std::optional<QString> editList(StyleDocument &document, ValuePopups &popups,
                                    const QString &values, const QString &value);
    std::optional<QString> editFont(ValuePopups &popups, const QString &value);
    std::optional<QString> editSpin(ValuePopups &popups, const QString &values,
                                    const QString &value);
    std::optional<QString> editColor(ValuePopups &popups, const QString &value);
    std::optional<QString> editFontStyle(ValuePopups &popups, const QString &value);

    NumberBox m_numberBox;
};

#pragma once

#include "params/PopupPosition.h"
#include "style/ValueEditing.h"
#include "style/ValuePopups.h"

#include <QObject>

class ProfileGrid;
class StyleDocument;
class ColorPopup;
class FontPopup;
class FontStylePopup;
class ListPopup;
class NumberPopup;
class ValuePopup;

// The five popup editors, each made at its first use (which keeps them out of
// the editor's start) and reused for every edit, opened beside the grid for
// the focused row.
class ValueEditors : public QObject, public ValuePopups
{
    Q_OBJECT

public:
    // The popups belong to mainWindow; they open against its bottom edge.
    ValueEditors(StyleDocument *document, ProfileGrid *grid, QWidget *mainWindow);

    // Edits the focused row's value in the popup for its type; an error
    // such as an unreadable number is reported and opens nothing.
    void openValueEditor();

    // Where the popups open for the grid's focused row.
    PopupPosition popupPosition() const;

    ListPopup *formList();
    FontPopup *formFont();
    NumberPopup *formSpin();
    ColorPopup *formColor();
    FontStylePopup *formFontStyle();

    bool execList(const QStringList &choices, int &selected) override;
    bool execFont(QString &fontName) override;
    bool execSpin(NumberBox &box) override;
    bool execColor(ColorRef &color) override;
    bool execFontStyle(FontStyleValue &style) override;

private:
    bool exec(ValuePopup *popup);

    StyleDocument *m_document;
    ProfileGrid *m_grid;
    QWidget *m_mainWindow;
    ListPopup *m_formList = nullptr;
    FontPopup *m_formFont = nullptr;
    NumberPopup *m_formSpin = nullptr;
    ColorPopup *m_formColor = nullptr;
    FontStylePopup *m_formFontStyle = nullptr;
    PopupPosition m_position;
    ValueEditing m_editing;
};

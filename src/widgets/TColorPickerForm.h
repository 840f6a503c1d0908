#pragma once

#include "widgets/CustomColors.h"
#include "base/TColor.h"

#include <QButtonGroup>
#include <QPointer>
#include <QWidget>

#include <array>

class QColorDialog;
class QToolButton;
class TColBtn;
class TColorPickCombo;

// The palette window shared by every colour picker of the application:
// 56 plain colours, 27 system colours, one custom colour and a button to
// the colour dialog. Choosing a colour writes it to the control that opened
// the palette and hides it; Escape or a click elsewhere hides it unchanged.
class TColorPickerForm : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PaletteWidth = 255;
    static constexpr int PaletteHeight = 177;

    // The one palette, created hidden with the first control; it goes at
    // the end of the program and then writes the custom colours back.
    static TColorPickerForm *instance();
    ~TColorPickerForm() override;

    // Opens below the control, marking its ActiveColor.
    void popup(TColorPickCombo *control);

    TColor color() const { return m_color; }
    // index 0..82 follows the palette table; CustomIndex is the custom colour.
    static constexpr int CustomIndex = 83;
    TColBtn *colorButton(int index) const { return m_buttons[size_t(index)]; }
    QToolButton *otherButton() const { return m_otherButton; }
    // The system colour dialog, made at its first use: making it looks up
    // icons in the icon theme, which would slow down the editor's start.
    QColorDialog *ColorDialog();
    bool dialogOpen() const { return m_dialogOpen; }
    const CustomColors &customColors() const { return m_customColors; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    TColorPickerForm();

    void mark(TColor color);
    void choose(TColBtn *button);
    void otherColors();
    void hidePalette();

    std::array<TColBtn *, CustomIndex + 1> m_buttons{};
    QButtonGroup m_group;
    QToolButton *m_otherButton = nullptr;
    QColorDialog *m_colorDialog = nullptr;
    QPointer<TColorPickCombo> m_control;
    TColor m_color = TColors::Black;
    TColor m_dialogColor = TColors::Black;
    bool m_dialogOpen = false;
    CustomColors m_customColors;
};

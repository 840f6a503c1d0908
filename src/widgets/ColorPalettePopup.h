#pragma once

#include "base/ColorRef.h"
#include "widgets/CustomColors.h"

#include <QButtonGroup>
#include <QPointer>
#include <QWidget>

#include <array>

class QColorDialog;
class QToolButton;
class ColorButton;
class ColorPickerButton;

// The palette window shared by every colour picker of the application:
// 56 plain colours, 27 system colours, one custom colour and a button to
// the colour dialog. Choosing a colour writes it to the control that opened
// the palette and hides it; Escape or a click elsewhere hides it unchanged.
class ColorPalettePopup : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PaletteWidth = 255;
    static constexpr int PaletteHeight = 177;

    // The one palette, created hidden with the first control; it goes at
    // the end of the program and then writes the custom colours back.
    static ColorPalettePopup *instance();
    ~ColorPalettePopup() override;

    // Opens below the control, marking its activeColor.
    void popup(ColorPickerButton *control);

    ColorRef color() const { return m_color; }
    // index 0..82 follows the palette table; CustomIndex is the custom colour.
    static constexpr int CustomIndex = 83;
    ColorButton *colorButton(int index) const { return m_buttons[size_t(index)]; }
    QToolButton *otherButton() const { return m_otherButton; }
    // The system colour dialog, made at its first use: making it looks up
    // icons in the icon theme, which would slow down the editor's start.
    QColorDialog *colorDialog();
    bool dialogOpen() const { return m_dialogOpen; }
    const CustomColors &customColors() const { return m_customColors; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    ColorPalettePopup();

    void mark(ColorRef color);
    void choose(ColorButton *button);
    void otherColors();
    void hidePalette();

    std::array<ColorButton *, CustomIndex + 1> m_buttons{};
    QButtonGroup m_group;
    QToolButton *m_otherButton = nullptr;
    QColorDialog *m_colorDialog = nullptr;
    QPointer<ColorPickerButton> m_control;
    ColorRef m_color = ColorRefs::Black;
    ColorRef m_dialogColor = ColorRefs::Black;
    bool m_dialogOpen = false;
    CustomColors m_customColors;
};

#pragma once

#include "base/ColorRef.h"

#include <QToolButton>

// One colour button of the palette: flat, 20 x 20, its face a 14 x 14
// square of squareColor framed in grey. Checkable, so that in the palette's
// exclusive group a pressed button stays pressed.
class ColorButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorButton(QWidget *parent = nullptr);

    ColorRef squareColor() const { return m_color; }
    void setSqareColor(ColorRef color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ColorRef m_color = ColorRefs::Black;
};

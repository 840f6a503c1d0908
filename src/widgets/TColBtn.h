#pragma once

#include "base/TColor.h"

#include <QToolButton>

// One colour button of the palette: flat, 20 x 20, its face a 14 x 14
// square of SqareColor framed in grey. Checkable, so that in the palette's
// exclusive group a pressed button stays pressed.
class TColBtn : public QToolButton
{
    Q_OBJECT

public:
    explicit TColBtn(QWidget *parent = nullptr);

    TColor SqareColor() const { return m_color; }
    void setSqareColor(TColor color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TColor m_color = TColors::Black;
};

#include "widgets/ColorButton.h"

#include "widgets/ReadableColor.h"
#include "widgets/SystemColors.h"

#include <QKeyEvent>
#include <QPainter>

ColorButton::ColorButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setCheckable(true);
    setFixedSize(20, 20);
    setFocusPolicy(Qt::StrongFocus);
}

void ColorButton::setSqareColor(ColorRef color)
{
    m_color = color;
    update();
}

void ColorButton::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    const QRect square((width() - 14) / 2, (height() - 14) / 2, 14, 14);
    painter.fillRect(square, SystemColors::toQColor(m_color));
    painter.setPen(ReadableColor::swatchFrame(palette().color(QPalette::Window)));
    painter.drawRect(square.adjusted(0, 0, -1, -1));
}

void ColorButton::keyPressEvent(QKeyEvent *event)
{
    // Arrow keys move between the palette's buttons (the palette does
    // that); the button itself would also choose the next colour.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->ignore();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    default:
        QToolButton::keyPressEvent(event);
    }
}

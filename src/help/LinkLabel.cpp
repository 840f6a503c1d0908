#include "help/LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(linkPalette);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

#include "help/LinkLabel.h"

#include "widgets/ReadableColor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(tr("Link"));
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    takeLinkColor();
}

void LinkLabel::takeLinkColor()
{
    const QPalette inherited = parentWidget() ? parentWidget()->palette()
                                              : QApplication::palette(this);
    const QColor link = ReadableColor::on(inherited.color(QPalette::Window),
                                          inherited.color(QPalette::Link));
    if (testAttribute(Qt::WA_SetPalette) && palette().color(QPalette::WindowText) == link)
        return;
    QPalette own = palette();
    own.setColor(QPalette::WindowText, link);
    setPalette(own);
}

void LinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // A new scheme brings its own link colour.
    if (event->type() == QEvent::PaletteChange)
        takeLinkColor();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

#include "widgets/TColorPickCombo.h"

#include "widgets/SystemColors.h"
#include "widgets/TColorPickerForm.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

TColorPickCombo::TColorPickCombo(QWidget *parent) : QComboBox(parent)
{
    // One entry, never shown, keeps the control drawable as a list control.
    addItem(QStringLiteral("1"));
    setCurrentIndex(0);
    resize(widthFor(22), 22);
    TColorPickerForm::instance();
}

void TColorPickCombo::setActiveColor(TColor color)
{
    if (color == m_activeColor)
        return;
    m_activeColor = color;
    emit OnChanged();
    update();
}

void TColorPickCombo::setColor(TColor color)
{
    m_color = color;
    update();
}

void TColorPickCombo::showPopup()
{
    TColorPickerForm::instance()->popup(this);
}

QSize TColorPickCombo::sizeHint() const
{
    return {widthFor(22), 22};
}

QSize TColorPickCombo::minimumSizeHint() const
{
    return sizeHint();
}

void TColorPickCombo::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    if (width() != widthFor(height()))
        resize(widthFor(height()), height());
}

void TColorPickCombo::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, SystemColors::toQColor(m_color));

    const int h = height();
    const int d = h / 5;
    const QRect square(d, d, h - 2 * d, h - 2 * d);
    painter.fillRect(square, SystemColors::toQColor(m_activeColor));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(square.adjusted(0, 0, -1, -1));
}

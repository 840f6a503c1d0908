#include "widgets/ColorPickerButton.h"

#include "widgets/ColorPalettePopup.h"
#include "widgets/ReadableColor.h"
#include "widgets/SystemColors.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

ColorPickerButton::ColorPickerButton(QWidget *parent) : QComboBox(parent)
{
    // One entry, never shown, keeps the control drawable as a list control.
    addItem(SystemColors::toQColor(m_activeColor).name());
    setCurrentIndex(0);
    resize(widthFor(22), 22);
    ColorPalettePopup::instance();
}

void ColorPickerButton::setActiveColor(ColorRef color)
{
    if (color == m_activeColor)
        return;
    m_activeColor = color;
    // The entry is never drawn; assistive technologies read it as the value.
    setItemText(0, SystemColors::toQColor(color).name());
    emit colorChanged();
    update();
}

void ColorPickerButton::setColor(ColorRef color)
{
    m_color = color;
    update();
}

void ColorPickerButton::showPopup()
{
    ColorPalettePopup::instance()->popup(this);
}

QSize ColorPickerButton::sizeHint() const
{
    return {widthFor(22), 22};
}

QSize ColorPickerButton::minimumSizeHint() const
{
    return sizeHint();
}

void ColorPickerButton::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    if (width() != widthFor(height()))
        resize(widthFor(height()), height());
}

void ColorPickerButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                QStyle::SC_ComboBoxEditField, this);
    const QColor fieldColor = SystemColors::toQColor(m_color);
    painter.fillRect(field, fieldColor);

    const int h = height();
    const int d = h / 5;
    const QRect square(d, d, h - 2 * d, h - 2 * d);
    painter.fillRect(square, SystemColors::toQColor(m_activeColor));
    painter.setPen(ReadableColor::swatchFrame(fieldColor));
    painter.drawRect(square.adjusted(0, 0, -1, -1));
}

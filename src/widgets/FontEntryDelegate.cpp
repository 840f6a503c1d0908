#include "widgets/FontEntryDelegate.h"

#include "widgets/FontComboBox.h"

#include <QApplication>
#include <QPainter>

FontEntryDelegate::FontEntryDelegate(FontComboBox *combo)
    : QStyledItemDelegate(combo), m_combo(combo)
{}

void FontEntryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
    m_combo->paintEntry(painter, option.rect, index.row(), true,
                        option.state & QStyle::State_Selected);
}

QSize FontEntryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), m_combo->itemHeight()};
}

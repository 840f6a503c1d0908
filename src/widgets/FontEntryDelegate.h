#pragma once

#include <QStyledItemDelegate>

class FontComboBox;

// Draws the rows of the font picker's open list through the control, which
// draws its closed face the same way.
class FontEntryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit FontEntryDelegate(FontComboBox *combo);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    FontComboBox *m_combo;
};

#pragma once

#include <QStyledItemDelegate>

// Draws the value cells with a button at their right end and edits them in
// place with a line edit that takes at most the value field's width.
class ProfileGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Value cells carry a button at their right end that opens the popup;
    // the grid takes its clicks.
    static bool hasButton(const QModelIndex &index);
    static QRect buttonRect(const QRect &cell);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    // The cell as the style draws it; a text with bytes that are not UTF-8
    // shows them marked.
    void paintText(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    // A colour swatch, a font name in its face, a font style in words.
    static void showValueMeaning(QStyleOptionViewItem *option, const QModelIndex &index);
};

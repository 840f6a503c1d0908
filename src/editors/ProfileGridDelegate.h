#pragma once

#include "params/ProfileGridModel.h"

#include <QCache>
#include <QIcon>
#include <QList>
#include <QStyledItemDelegate>

// Draws the value cells with a button at their right end and edits them in
// place with a line edit that takes at most the value field's width. Value
// cells show what their value means: a colour swatch, a font name in its
// face, a font style in words.
class ProfileGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Value cells carry a button at their right end that opens the popup;
    // the grid takes its clicks.
    static bool hasButton(const QModelIndex &index);

    // The columns drawn as values (the grid's value column unless set); their
    // model gives the parameter's type in ProfileGridModel::TypeRole.
    void setValueColumns(const QList<int> &columns) { m_valueColumns = columns; }

    static QRect buttonRect(const QRect &cell);

    // A value cell's size includes its button.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    // The cell as the style draws it; a text with bytes that are not UTF-8
    // shows them marked.
    void paintText(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const;
    // The palette's colour group the cell is drawn in.
    static QPalette::ColorGroup colorGroup(const QStyleOptionViewItem &option);
    // A colour swatch, a font name in its face, a font style in words.
    void showValueMeaning(QStyleOptionViewItem *option, const QModelIndex &index) const;
    QIcon swatch(const QColor &fill, const QColor &frame, int side) const;

    QList<int> m_valueColumns{ProfileGridModel::ValueColumn};
    mutable QCache<QString, QIcon> m_swatches{100}; // the swatches drawn lately
};

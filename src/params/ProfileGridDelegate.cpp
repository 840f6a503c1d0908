#include "params/ProfileGridDelegate.h"

#include "params/ParameterRecord.h"
#include "params/ProfileGridModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

QRect ProfileGridDelegate::buttonRect(const QRect &cell)
{
    const int width = qMin(cell.height() + 2, cell.width());
    return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

bool ProfileGridDelegate::hasButton(const QModelIndex &index)
{
    return index.column() == ProfileGridModel::ValueColumn && (index.flags() & Qt::ItemIsEditable);
}

void ProfileGridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Values that differ from the profile's stand out.
    if (index.data(ProfileGridModel::DiffersFromProfileRole).toBool())
        option->font.setBold(true);
}

bool ProfileGridDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                    const QModelIndex &index)
{
    // A text cut off by the column shows in full; otherwise the row's own tip.
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        QStyleOptionViewItem text = option;
        initStyleOption(&text, index);
        if (hasButton(index))
            text.rect.setRight(buttonRect(option.rect).left() - 1);
        const int margin = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int needed = QFontMetrics(text.font).horizontalAdvance(text.text) + margin;
        if (!text.text.isEmpty() && needed > text.rect.width()) {
            const QString rowTip = index.data(Qt::ToolTipRole).toString();
            QToolTip::showText(event->globalPos(), rowTip.isEmpty() ? text.text : text.text + u'\n' + rowTip, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void ProfileGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!hasButton(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem text = option;
    text.rect.setRight(buttonRect(option.rect).left() - 1);
    QStyledItemDelegate::paint(painter, text, index);

    QStyleOptionButton button;
    button.rect = buttonRect(option.rect);
    button.text = QStringLiteral("…");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
}

QWidget *ProfileGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setMaxLength(ParameterRecord::DefaultWidth);
    Q_UNUSED(option);
    Q_UNUSED(index);
    return editor;
}

void ProfileGridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    QRect rect = option.rect;
    if (hasButton(index))
        rect.setRight(buttonRect(option.rect).left() - 1);
    editor->setGeometry(rect);
}

bool ProfileGridDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                      const QModelIndex &index)
{
    if (hasButton(index) && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
                             || event->type() == QEvent::MouseButtonDblClick)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && buttonRect(option.rect).contains(mouse->position().toPoint())) {
            if (event->type() == QEvent::MouseButtonRelease)
                emit buttonClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

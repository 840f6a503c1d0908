#include "editors/ProfileGridDelegate.h"

#include "base/SystemText.h"
#include "editors/KeptByteText.h"
#include "params/ColorValue.h"
#include "params/FontStyleValue.h"
#include "params/ParameterRecord.h"
#include "params/ProfileGridModel.h"
#include "widgets/ReadableColor.h"
#include "widgets/SystemColors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

QPalette::ColorGroup ProfileGridDelegate::colorGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
}

QRect ProfileGridDelegate::buttonRect(const QRect &cell)
{
    const int width = qMin(cell.height() + 2, cell.width());
    return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

bool ProfileGridDelegate::hasButton(const QModelIndex &index)
{
    return index.column() == ProfileGridModel::ValueColumn && (index.flags() & Qt::ItemIsEditable);
}

QIcon ProfileGridDelegate::swatch(const QColor &fill, const QColor &frame, int side) const
{
    // Kept: an icon made anew at every paint would fill Qt's pixmap cache with copies.
    const QString key = QStringLiteral("%1 %2 %3").arg(fill.rgba()).arg(frame.rgba()).arg(side);
    if (const QIcon *kept = m_swatches.object(key))
        return *kept;
    QPixmap pixmap(side, side);
    pixmap.fill(fill);
    QPainter painter(&pixmap);
    painter.setPen(frame);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    const QIcon icon(pixmap);
    m_swatches.insert(key, new QIcon(icon));
    return icon;
}

void ProfileGridDelegate::initStyleOption(QStyleOptionViewItem *option,
                                          const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Values that differ from the profile's stand out.
    if (index.data(ProfileGridModel::DiffersFromProfileRole).toBool())
        option->font.setBold(true);
    if (index.data(ProfileGridModel::HighlightRole).toBool()) {
        QColor highlight = option->palette.color(QPalette::Highlight);
        highlight.setAlpha(70);
        option->backgroundBrush = highlight;
    }
    if (m_valueColumns.contains(index.column()))
        showValueMeaning(option, index);
}

void ProfileGridDelegate::showValueMeaning(QStyleOptionViewItem *option,
                                           const QModelIndex &index) const
{
    // Only the drawing changes: the cell still holds and edits the stored text.
    const QString type = index.data(ProfileGridModel::TypeRole).toString();
    const QString value = index.data(Qt::EditRole).toString();
    if (value.isEmpty())
        return;
    if (type == QLatin1String("color")) {
        const int side = option->fontMetrics.height() - 4;
        option->icon = swatch(SystemColors::toQColor(ColorValue::decode(value)),
                              ReadableColor::swatchFrame(
                                      option->palette.color(colorGroup(*option),
                                                            option->state & QStyle::State_Selected
                                                                    ? QPalette::Highlight
                                                                    : QPalette::Base)),
                              side);
        option->decorationSize = QSize(side, side);
        option->features |= QStyleOptionViewItem::HasDecoration;
    } else if (type == QLatin1String("font")) {
        option->font.setFamilies({value.trimmed()});
    } else if (type == QLatin1String("fontstyle")) {
        option->text = FontStyleValue::describe(value);
    }
}

bool ProfileGridDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    // A text cut off by the column shows in full; otherwise the row's own tip.
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        QStyleOptionViewItem text = option;
        initStyleOption(&text, index);
        if (hasButton(index))
            text.rect.setRight(buttonRect(option.rect).left() - 1);
        const int margin = 2
                           * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int needed = QFontMetrics(text.font).horizontalAdvance(KeptByteText::shown(text.text))
                           + margin;
        if (!text.text.isEmpty() && needed > text.rect.width()) {
            const QString rowTip = index.data(Qt::ToolTipRole).toString();
            const QString shown = SystemText::displayed(text.text);
            QToolTip::showText(event->globalPos(),
                               rowTip.isEmpty() ? shown : shown + u'\n' + rowTip, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void ProfileGridDelegate::paintText(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!KeptByteText::holdsKeptBytes(cell.text)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The style draws the cell without its text; the text follows with its
    // kept bytes marked.
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QString text = cell.text;
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget)
                                   .adjusted(margin, 0, -margin, 0);
    cell.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    const QPalette::ColorGroup group = colorGroup(cell);
    const bool selected = cell.state & QStyle::State_Selected;
    KeptByteText::draw(painter, textRect, text, cell.font,
                       cell.palette.color(group,
                                          selected ? QPalette::HighlightedText : QPalette::Text),
                       cell.palette.color(group, selected ? QPalette::Highlight : QPalette::Base),
                       cell.displayAlignment);
}

QSize ProfileGridDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (hasButton(index))
        size.rwidth() += size.height() + 2; // as wide as buttonRect makes it in a row this high
    return size;
}

void ProfileGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!hasButton(index)) {
        paintText(painter, option, index);
        return;
    }
    QStyleOptionViewItem text = option;
    text.rect.setRight(buttonRect(option.rect).left() - 1);
    paintText(painter, text, index);

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

#pragma once

#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>

// Where the style draws a group box's title, in the box's coordinates.
inline QRect groupBoxTitleRect(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.lineWidth = 1;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

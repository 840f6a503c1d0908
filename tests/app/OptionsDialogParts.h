#pragma once

#include "app/RangeSpinEdit.h"
#include "app/TFormOptions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The controls of an Options dialog, found by their names, for tests that
// type and click as a user does.
struct OptionsDialogParts
{
    explicit OptionsDialogParts(const TFormOptions &dialog)
        : FilenameEdit(part<QComboBox>(dialog, "FilenameEdit")), LabelWidth(part<QLabel>(dialog, "LabelWidth")),
          SpinWidth(part<RangeSpinEdit>(dialog, "SpinWidth")), LabelHeight(part<QLabel>(dialog, "LabelHeight")),
          SpinHeight(part<RangeSpinEdit>(dialog, "SpinHeight")), DataFileEdit(part<QLineEdit>(dialog, "DataFileEdit")),
          OK(part<QPushButton>(dialog, "OK")), BtnCansel(part<QPushButton>(dialog, "BtnCansel")),
          BtnHelp(part<QPushButton>(dialog, "BtnHelp"))
    {
    }

    QComboBox *FilenameEdit;
    QLabel *LabelWidth;
    RangeSpinEdit *SpinWidth;
    QLabel *LabelHeight;
    RangeSpinEdit *SpinHeight;
    QLineEdit *DataFileEdit;
    QPushButton *OK;
    QPushButton *BtnCansel;
    QPushButton *BtnHelp;

private:
    template<typename Widget>
    static Widget *part(const TFormOptions &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        if (!widget)
            qFatal("the Options dialog has no %s", name);
        return widget;
    }
};

#pragma once

#include "app/OptionsDialog.h"
#include "app/RangeSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The controls of an Options dialog, found by their names, for tests that
// type and click as a user does.
struct OptionsDialogParts
{
    explicit OptionsDialogParts(const OptionsDialog &dialog)
        : filenameEdit(part<QComboBox>(dialog, "FilenameEdit")),
          labelWidth(part<QLabel>(dialog, "LabelWidth")),
          spinWidth(part<RangeSpinEdit>(dialog, "SpinWidth")),
          labelHeight(part<QLabel>(dialog, "LabelHeight")),
          spinHeight(part<RangeSpinEdit>(dialog, "SpinHeight")),
          dataFileEdit(part<QLineEdit>(dialog, "DataFileEdit")),
          okButton(part<QPushButton>(dialog, "OK")),
          cancelButton(part<QPushButton>(dialog, "BtnCansel")),
          helpButton(part<QPushButton>(dialog, "BtnHelp"))
    {}

    QComboBox *filenameEdit;
    QLabel *labelWidth;
    RangeSpinEdit *spinWidth;
    QLabel *labelHeight;
    RangeSpinEdit *spinHeight;
    QLineEdit *dataFileEdit;
    QPushButton *okButton;
    QPushButton *cancelButton;
    QPushButton *helpButton;

private:
    template<typename Widget>
    static Widget *part(const OptionsDialog &dialog, const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        if (!widget)
            qFatal("the Options dialog has no %s", name);
        return widget;
    }
};

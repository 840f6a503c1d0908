#pragma once

#include <QSpinBox>

// A whole-number field with up and down buttons for a range. Only "+", "-"
// and digits can be typed; any other character is refused with a beep.
// While typing, any such text stands; the value read is the text's number
// brought into the range, and a text that is no number reads as the
// minimum. Leaving the field shows the value read.
class RangeSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    RangeSpinEdit(int minimum, int maximum, QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static bool typable(QChar c);
};

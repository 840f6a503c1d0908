#include "app/RangeSpinEdit.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

RangeSpinEdit::RangeSpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
}

bool RangeSpinEdit::typable(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+')
           || c == QLatin1Char('-');
}

QValidator::State RangeSpinEdit::validate(QString &text, int &) const
{
    return std::all_of(text.cbegin(), text.cend(), typable) ? QValidator::Acceptable
                                                            : QValidator::Invalid;
}

int RangeSpinEdit::valueFromText(const QString &text) const
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? std::clamp(number, minimum(), maximum()) : minimum();
}

void RangeSpinEdit::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool printable = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isPrint();
    });
    if (printable && !std::all_of(text.cbegin(), text.cend(), typable)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QApplication::beep();
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

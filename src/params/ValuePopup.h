#pragma once

#include <QDialog>

class QFrame;
class QPushButton;

// The common shape of the value editor popups: a borderless modal window
// with a panel filling it and an OK button. Enter ends it with OK and Escape
// with Cancel wherever the focus is inside it.
class ValuePopup : public QDialog
{
    Q_OBJECT

public:
    ValuePopup(const QSize &clientSize, const QPoint &okPosition, QWidget *parent);

    QFrame *panel() const { return m_panel; }
    QPushButton *BtnOK() const { return m_btnOK; }

private:
    QFrame *m_panel;
    QPushButton *m_btnOK;
};

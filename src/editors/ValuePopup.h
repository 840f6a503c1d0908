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

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter and Escape for the popup's own controls; true when handled.
    bool FormKeyDown(const QKeyEvent *event);

    QFrame *m_panel;
    QPushButton *m_btnOK;
};

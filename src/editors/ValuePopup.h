#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class QLayout;
class QVBoxLayout;

// The common shape of the value editor popups: a borderless modal window
// with a panel filling it, the editor's controls in a column and an OK
// button below them. Enter ends it with OK and Escape with Cancel wherever
// the focus is inside it.
class ValuePopup : public QDialog
{
    Q_OBJECT

public:
    // minimumSize: the smallest client area; the popup grows when its
    // controls need more room in the current font.
    ValuePopup(const QSize &minimumSize, QWidget *parent);

    QFrame *panel() const { return m_panel; }
    QPushButton *okButton() const { return m_btnOK; }

    // Takes the size the controls need now, as the popup is placed by it
    // before it shows.
    void fitToControls();

protected:
    // Places a control of the editor above the OK button, below those added before.
    void addControl(QWidget *control, Qt::Alignment alignment = {});
    void addControls(QLayout *controls);

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepOkLast();
    // Enter and Escape for the popup's own controls; true when handled.
    bool handleKey(const QKeyEvent *event);

    QFrame *m_panel;
    QVBoxLayout *m_controls;
    QPushButton *m_btnOK;
};

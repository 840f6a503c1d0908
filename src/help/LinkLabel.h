#pragma once

#include <QLabel>

// A label that looks and acts like a link: in the scheme's link colour,
// underlined, with the hand pointer, clicked with the mouse or, once
// reached with Tab, with Enter or Space.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The scheme's link colour, made lighter or darker where it would not
    // read well on the window.
    void takeLinkColor();
};

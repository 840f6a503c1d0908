#pragma once

#include <QLabel>

// A label that looks and acts like a link: blue, underlined, with the hand
// pointer, and clickable.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

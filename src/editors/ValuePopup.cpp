#include "editors/ValuePopup.h"

#include <QFrame>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>

ValuePopup::ValuePopup(const QSize &clientSize, const QPoint &okPosition, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setFixedSize(clientSize);
    m_panel = new QFrame(this);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setGeometry(rect());

    m_btnOK = new QPushButton(tr("OK"), m_panel);
    m_btnOK->setObjectName(QStringLiteral("BtnOK"));
    m_btnOK->setGeometry(QRect(okPosition, QSize(75, 25)));
    m_btnOK->setAutoDefault(false);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void ValuePopup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The popup sees the keys of its controls before they do.
    qApp->installEventFilter(this);
}

void ValuePopup::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool ValuePopup::eventFilter(QObject *watched, QEvent *event)
{
    // Windows of their own, such as an open drop-down list or the colour
    // palette, keep their keys.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this)
        return FormKeyDown(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

bool ValuePopup::FormKeyDown(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    default:
        return false;
    }
}

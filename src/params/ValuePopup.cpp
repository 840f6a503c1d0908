#include "params/ValuePopup.h"

#include <QFrame>
#include <QPushButton>
#include <QShortcut>

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

    // The window sees these keys before its controls do. An open drop-down
    // list is a window of its own and keeps them for itself.
    for (const QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QDialog::reject);
}

#include "editors/ValuePopup.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

ValuePopup::ValuePopup(const QSize &minimumSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    m_panel = new QFrame(this);
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setMinimumSize(minimumSize);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_panel);
    // The popup is placed by its size before it shows: it keeps the size its
    // controls need rather than one the user could drag.
    outer->setSizeConstraint(QLayout::SetFixedSize);

    m_controls = new QVBoxLayout(m_panel);
    m_controls->setContentsMargins(8, 8, 8, 8);
    m_controls->setSpacing(6);
    m_btnOK = new QPushButton(tr("OK"), m_panel);
    m_btnOK->setObjectName(QStringLiteral("BtnOK"));
    m_btnOK->setMinimumSize(75, 25);
    m_btnOK->setAutoDefault(false);
    m_controls->addStretch();
    m_controls->addWidget(m_btnOK, 0, Qt::AlignHCenter);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void ValuePopup::addControl(QWidget *control, Qt::Alignment alignment)
{
    // Before the stretch and the OK button.
    m_controls->insertWidget(m_controls->count() - 2, control, 0, alignment);
    keepOkLast();
}

void ValuePopup::addControls(QLayout *controls)
{
    m_controls->insertLayout(m_controls->count() - 2, controls);
    keepOkLast();
}

void ValuePopup::keepOkLast()
{
    // Tab goes round the controls and then OK. OK, made before the controls,
    // would come first, and the popup hands its focus to its first control, so
    // after one round Tab would pass OK over. Qt 6.4's setTabOrder does not
    // move a widget behind the last one; a widget that is given its parent
    // anew joins the end of the chain.
    m_controls->removeWidget(m_btnOK);
    m_btnOK->setParent(nullptr);
    m_btnOK->setParent(m_panel);
    m_controls->addWidget(m_btnOK, 0, Qt::AlignHCenter);
}

void ValuePopup::fitToControls()
{
    layout()->activate();
    m_controls->activate();
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
        return handleKey(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

bool ValuePopup::handleKey(const QKeyEvent *event)
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

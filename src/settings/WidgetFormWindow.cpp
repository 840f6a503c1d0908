#include "settings/WidgetFormWindow.h"

#include "settings/FormPlacement.h"
#include "settings/ScreenFit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScreen>

#include <algorithm>

void WidgetFormWindow::attach(FormPlacement &store, QWidget *window)
{
    store.attach(std::make_unique<WidgetFormWindow>(store, window));
}

WidgetFormWindow::WidgetFormWindow(FormPlacement &store, QWidget *window)
    : m_store(store), m_window(window)
{
    window->installEventFilter(this);
    // Windows live until the program ends; the end of the event loop is their
    // last moment with a placement to save.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { m_store.windowDestroying(); });
}

WindowPlacement WidgetFormWindow::placement() const
{
    WindowPlacement p;
    const Qt::WindowStates state = m_window->windowState();
    if (state & Qt::WindowMinimized) {
        p.showCmd = WindowPlacement::Minimized;
        if (state & Qt::WindowMaximized)
            p.flags = WindowPlacement::RestoreToMaximized;
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        p.showCmd = WindowPlacement::Maximized;
    }
    p.minPosition = m_minPosition;
    p.maxPosition = m_maxPosition;
    const QRect normal = m_window->normalGeometry().isValid() ? m_window->normalGeometry()
                                                              : m_window->geometry();
    p.left = normal.x();
    p.top = normal.y();
    p.right = normal.x() + normal.width();
    p.bottom = normal.y() + normal.height();
    return p;
}

void WidgetFormWindow::setPlacement(const WindowPlacement &placement)
{
    m_flags = placement.flags;
    m_minPosition = placement.minPosition;
    m_maxPosition = placement.maxPosition;
    // A hand-edited rectangle may be anything: first within what a widget can
    // be, then wholly on a screen, frame included, so that it can be reached.
    const auto bounded = [](int coordinate) {
        return std::clamp(coordinate, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    };
    QRect wanted(QPoint(bounded(placement.left), bounded(placement.top)),
                 QPoint(bounded(placement.right) - 1, bounded(placement.bottom) - 1));
    if (wanted.height() <= 0)
        wanted.setHeight(m_window->height());
    const QRect frame = m_window->frameGeometry();
    const QRect client = m_window->geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    m_window->setGeometry(
            ScreenFit::reachable(wanted.marginsAdded(margins), areas).marginsRemoved(margins));
}

bool WidgetFormWindow::isSizeable() const
{
    return m_window->minimumSize() != m_window->maximumSize();
}

QSize WidgetFormWindow::size() const
{
    return m_window->size();
}

QSize WidgetFormWindow::screenSize() const
{
    const QScreen *screen = m_window->screen();
    return screen ? screen->size() : QSize();
}

int WidgetFormWindow::screenPixelsPerInch() const
{
    const QScreen *screen = m_window->screen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

void WidgetFormWindow::setState(State state)
{
    Qt::WindowStates states = m_window->windowState()
                              & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == State::Maximized)
        states |= Qt::WindowMaximized;
    m_window->setWindowState(states);
}

void WidgetFormWindow::postMinimize()
{
    const bool maximized = m_flags & WindowPlacement::RestoreToMaximized;
    QMetaObject::invokeMethod(
            m_window,
            [window = m_window, maximized] {
                if (window)
                    window->setWindowState(Qt::WindowMinimized
                                           | (maximized ? Qt::WindowMaximized : Qt::WindowNoState));
            },
            Qt::QueuedConnection);
}

void WidgetFormWindow::adjustMaximizedPosition()
{
    const QRect frame = m_window->frameGeometry();
    const QRect client = m_window->geometry();
    m_maxPosition = QPoint(frame.x() - client.x(), client.bottom() - frame.bottom());
}

QString WidgetFormWindow::activeControlName() const
{
    // Inner parts of a control (a view's viewport, an editor's line edit) have no name of their own.
    QWidget *control = m_window->focusWidget();
    while (control && control != m_window && control->objectName().isEmpty())
        control = control->parentWidget();
    // A menu bar holds the focus only while it is being used.
    if (!control || control == m_window || control->focusPolicy() == Qt::NoFocus)
        return QString();
    return control->objectName();
}

void WidgetFormWindow::setActiveControl(const QString &name)
{
    if (name.isEmpty())
        return;
    QWidget *control = m_window->findChild<QWidget *>(name);
    if (control && control->focusPolicy() != Qt::NoFocus && control->isEnabled()
        && control->isVisibleTo(m_window))
        control->setFocus();
}

QVariant WidgetFormWindow::readProperty(QObject *component, const QMetaProperty &property) const
{
    // A widget's own visibility, not whether its window happens to be on screen.
    if (component->isWidgetType() && qstrcmp(property.name(), "visible") == 0)
        return !static_cast<QWidget *>(component)->isHidden();
    return FormWindow::readProperty(component, property);
}

bool WidgetFormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        m_store.windowShown();
    } else if (event->type() == QEvent::Close && !m_forwardingClose) {
        // The window's own close handler decides first; the store saves only a close that goes on.
        {
            QScopedValueRollback forwarding(m_forwardingClose, true);
            QCoreApplication::sendEvent(m_window, event);
        }
        m_store.windowCloseQueried(event->isAccepted());
        return true;
    }
    return false;
}

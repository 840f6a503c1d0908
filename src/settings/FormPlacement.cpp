#include "settings/FormPlacement.h"

#include "base/ErrorReport.h"
#include "settings/SettingsBackingStore.h"

#include <QScopedValueRollback>

namespace {

// Every window's values live below this key of the user's settings.
const QString StoreName = QStringLiteral("SOFTWARE");
// Values saved by an older layout of the window than this are not restored.
constexpr int FormVersion = 0;

bool minimizedShowCmd(int showCmd)
{
    // The show states that leave a window minimized (minimized, minimize, minimized without activation).
    return showCmd == 2 || showCmd == 6 || showCmd == 7;
}

} // namespace

FormPlacement::FormPlacement(QObject *parent) : QObject(parent) {}

FormPlacement::~FormPlacement() = default;

void FormPlacement::attach(std::unique_ptr<FormWindow> window)
{
    m_window = std::move(window);
}

void FormPlacement::windowShown()
{
    if (m_active)
        ErrorReport::guard([this] { restoreSettings(); });
}

void FormPlacement::windowCloseQueried(bool canClose)
{
    if (canClose && m_active)
        ErrorReport::guard([this] { saveSettings(); });
}

void FormPlacement::windowDestroying()
{
    if (m_destroyNotified)
        return;
    m_destroyNotified = true;
    if (!m_active || m_saved)
        return;
    QScopedValueRollback destroying(m_destroying, true);
    ErrorReport::guard([this] { saveSettings(); });
}

void FormPlacement::restoreSettings()
{
    Q_ASSERT(m_window);
    m_saved = false;
    SettingsBackingStore store(StoreName, SettingsBackingStore::ReadOnly);
    if (store.readInteger(m_section, QStringLiteral("FormVersion"), 0) >= FormVersion) {
        if (m_options & Position)
            restorePlacement(store);
        if (m_options & State)
            restoreState(store);
        m_restored = true;
        restoreStored(store);
        if (m_restoreHandler)
            m_restoreHandler(store);
        if (m_options & ActiveControl)
            m_window->setActiveControl(
                    store.readText(m_section, QStringLiteral("ActiveControl"), QString()));
    }
    m_restored = true;
    m_window->adjustMaximizedPosition();
}

void FormPlacement::saveSettings()
{
    Q_ASSERT(m_window);
    // An active store saves only what it has restored in this run.
    if (!m_restored && m_active)
        return;
    SettingsBackingStore store(StoreName, SettingsBackingStore::ReadWrite);
    store.writeText(m_section, QStringLiteral("FormVersion"), QString::number(FormVersion));
    if (m_options & (State | Position))
        savePlacement(store);
    if (m_options & ActiveControl) {
        if (const QString name = m_window->activeControlName(); !name.isEmpty())
            store.writeText(m_section, QStringLiteral("ActiveControl"), name);
    }
    saveStored(store);
    if (m_saveHandler)
        m_saveHandler(store);
    store.close();
    m_saved = true;
}

void FormPlacement::restoreStored(SettingsBackingStore &) {}

void FormPlacement::saveStored(SettingsBackingStore &) {}

void FormPlacement::restorePlacement(SettingsBackingStore &store)
{
    WindowPlacement placement = m_window->placement();
    placement.flags = store.readInteger(m_section, QStringLiteral("Flags"), placement.flags);

    const QString suffix = screenSuffix();
    const QSize size = m_window->size();
    bool found = false;
    if (const QString text = readPosition(store, QStringLiteral("MinMaxPos"), suffix);
        !text.isEmpty()) {
        const QList<int> w = WindowPlacement::words(text, {0, 0, 0, 0});
        placement.minPosition = QPoint(w[0], w[1]);
        placement.maxPosition = QPoint(w[2], w[3]);
        found = true;
    }
    if (const QString text = readPosition(store, QStringLiteral("NormPos"), suffix);
        !text.isEmpty()) {
        const QList<int> w = WindowPlacement::words(text, {placement.left, placement.top,
                                                           placement.left + size.width(),
                                                           placement.top + size.height()});
        placement.left = w[0];
        placement.top = w[1];
        placement.right = w[2];
        placement.bottom = w[3];
        found = true;
    }
    const int pixelsPerInch = m_window->screenPixelsPerInch();
    // A rectangle saved at another resolution would come back at the wrong size.
    if (!found
        || store.readInteger(m_section, QStringLiteral("PixelsPerInch"), pixelsPerInch)
                   != pixelsPerInch)
        return;
    if (!m_window->isSizeable()) {
        placement.right = placement.left + size.width();
        placement.bottom = placement.top + size.height();
    }
    if (placement.right > placement.left)
        m_window->setPlacement(placement);
}

void FormPlacement::restoreState(SettingsBackingStore &store)
{
    const int showCmd = store.readInteger(m_section, QStringLiteral("ShowCmd"), 0);
    if (minimizedShowCmd(showCmd)) {
        m_window->setState(FormWindow::State::Normal);
        m_window->postMinimize();
        return;
    }
    m_window->setState(showCmd == WindowPlacement::Maximized ? FormWindow::State::Maximized
                                                             : FormWindow::State::Normal);
}

void FormPlacement::savePlacement(SettingsBackingStore &store)
{
    const WindowPlacement placement = m_window->placement();
    store.writeText(m_section, QStringLiteral("Flags"), QString::number(placement.flags));
    store.writeText(m_section, QStringLiteral("ShowCmd"), QString::number(placement.showCmd));
    store.writeText(m_section, QStringLiteral("PixelsPerInch"),
                    QString::number(m_window->screenPixelsPerInch()));
    // The rectangle is kept per screen size, and once more for any size.
    const QString suffix = screenSuffix();
    for (const QString &name : {QStringLiteral("MinMaxPos") + suffix, QStringLiteral("MinMaxPos")})
        store.writeText(m_section, name, placement.minMaxPosText());
    for (const QString &name : {QStringLiteral("NormPos") + suffix, QStringLiteral("NormPos")})
        store.writeText(m_section, name, placement.normPosText());
    store.writeText(m_section, QStringLiteral("Visible"),
                    m_destroying ? QStringLiteral("1") : QStringLiteral("0"));
}

QString FormPlacement::readPosition(SettingsBackingStore &store, const QString &name,
                                    const QString &suffix) const
{
    const QString text = store.readText(m_section, name + suffix, QString());
    return text.isEmpty() ? store.readText(m_section, name, QString()) : text;
}

QString FormPlacement::screenSuffix() const
{
    const QSize screen = m_window->screenSize();
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

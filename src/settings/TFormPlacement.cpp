#include "settings/TFormPlacement.h"

#include "base/ErrorReport.h"
#include "settings/SettingsBackingStore.h"

#include <QScopedValueRollback>

namespace {

bool minimizedShowCmd(int showCmd)
{
    // The show states that leave a window minimized (minimized, minimize, minimized without activation).
    return showCmd == 2 || showCmd == 6 || showCmd == 7;
}

} // namespace

TFormPlacement::TFormPlacement(QObject *parent) : QObject(parent) {}

TFormPlacement::~TFormPlacement() = default;

void TFormPlacement::attach(std::unique_ptr<FormWindow> window)
{
    m_window = std::move(window);
}

void TFormPlacement::windowShown()
{
    if (Active)
        ErrorReport::guard([this] { RestoreSettings(); });
}

void TFormPlacement::windowCloseQueried(bool canClose)
{
    if (canClose && Active)
        ErrorReport::guard([this] { SaveSettings(); });
}

void TFormPlacement::windowDestroying()
{
    if (m_destroyNotified)
        return;
    m_destroyNotified = true;
    if (!Active || m_saved)
        return;
    QScopedValueRollback destroying(m_destroying, true);
    ErrorReport::guard([this] { SaveSettings(); });
}

void TFormPlacement::RestoreSettings()
{
    Q_ASSERT(m_window);
    m_saved = false;
    SettingsBackingStore store(IniFileName, SettingsBackingStore::ReadOnly);
    if (store.ReadInteger(IniSection, QStringLiteral("FormVersion"), 0) >= Version) {
        if (Options & fpPosition)
            restorePlacement(store);
        if (Options & fpState)
            restoreState(store);
        m_restored = true;
        restoreStored(store);
        if (OnRestorePlacement)
            OnRestorePlacement(store);
        if (Options & fpActiveControl)
            m_window->setActiveControl(store.ReadText(IniSection, QStringLiteral("ActiveControl"), QString()));
    }
    m_restored = true;
    m_window->adjustMaximizedPosition();
}

void TFormPlacement::SaveSettings()
{
    Q_ASSERT(m_window);
    // An active store saves only what it has restored in this run.
    if (!m_restored && Active)
        return;
    SettingsBackingStore store(IniFileName, SettingsBackingStore::ReadWrite);
    store.WriteText(IniSection, QStringLiteral("FormVersion"), QString::number(Version));
    if (Options & (fpState | fpPosition))
        savePlacement(store);
    if (Options & fpActiveControl) {
        if (const QString name = m_window->activeControlName(); !name.isEmpty())
            store.WriteText(IniSection, QStringLiteral("ActiveControl"), name);
    }
    saveStored(store);
    if (OnSavePlacement)
        OnSavePlacement(store);
    store.close();
    m_saved = true;
}

void TFormPlacement::restoreStored(SettingsBackingStore &) {}

void TFormPlacement::saveStored(SettingsBackingStore &) {}

void TFormPlacement::restorePlacement(SettingsBackingStore &store)
{
    WindowPlacement placement = m_window->placement();
    placement.flags = store.ReadInteger(IniSection, QStringLiteral("Flags"), placement.flags);

    const QString suffix = screenSuffix();
    const QSize size = m_window->size();
    bool found = false;
    if (const QString text = readPosition(store, QStringLiteral("MinMaxPos"), suffix); !text.isEmpty()) {
        const QList<int> w = WindowPlacement::words(text, {0, 0, 0, 0});
        placement.minPosition = QPoint(w[0], w[1]);
        placement.maxPosition = QPoint(w[2], w[3]);
        found = true;
    }
    if (const QString text = readPosition(store, QStringLiteral("NormPos"), suffix); !text.isEmpty()) {
        const QList<int> w = WindowPlacement::words(
            text, {placement.left, placement.top, placement.left + size.width(), placement.top + size.height()});
        placement.left = w[0];
        placement.top = w[1];
        placement.right = w[2];
        placement.bottom = w[3];
        found = true;
    }
    const int pixelsPerInch = m_window->screenPixelsPerInch();
    // A rectangle saved at another resolution would come back at the wrong size.
    if (!found || store.ReadInteger(IniSection, QStringLiteral("PixelsPerInch"), pixelsPerInch) != pixelsPerInch)
        return;
    if (!m_window->isSizeable()) {
        placement.right = placement.left + size.width();
        placement.bottom = placement.top + size.height();
    }
    if (placement.right > placement.left)
        m_window->setPlacement(placement);
}

void TFormPlacement::restoreState(SettingsBackingStore &store)
{
    const int showCmd = store.ReadInteger(IniSection, QStringLiteral("ShowCmd"), 0);
    if (minimizedShowCmd(showCmd)) {
        m_window->setState(FormWindow::State::Normal);
        m_window->postMinimize();
        return;
    }
    m_window->setState(showCmd == WindowPlacement::Maximized ? FormWindow::State::Maximized
                                                              : FormWindow::State::Normal);
}

void TFormPlacement::savePlacement(SettingsBackingStore &store)
{
    const WindowPlacement placement = m_window->placement();
    store.WriteText(IniSection, QStringLiteral("Flags"), QString::number(placement.flags));
    store.WriteText(IniSection, QStringLiteral("ShowCmd"), QString::number(placement.showCmd));
    store.WriteText(IniSection, QStringLiteral("PixelsPerInch"), QString::number(m_window->screenPixelsPerInch()));
    // The rectangle is kept per screen size, and once more for any size.
    const QString suffix = screenSuffix();
    for (const QString &name : {QStringLiteral("MinMaxPos") + suffix, QStringLiteral("MinMaxPos")})
        store.WriteText(IniSection, name, placement.minMaxPosText());
    for (const QString &name : {QStringLiteral("NormPos") + suffix, QStringLiteral("NormPos")})
        store.WriteText(IniSection, name, placement.normPosText());
    store.WriteText(IniSection, QStringLiteral("Visible"), m_destroying ? QStringLiteral("1") : QStringLiteral("0"));
}

QString TFormPlacement::readPosition(SettingsBackingStore &store, const QString &name, const QString &suffix) const
{
    const QString text = store.ReadText(IniSection, name + suffix, QString());
    return text.isEmpty() ? store.ReadText(IniSection, name, QString()) : text;
}

QString TFormPlacement::screenSuffix() const
{
    const QSize screen = m_window->screenSize();
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

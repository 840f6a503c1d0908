#pragma once

#include "settings/FormWindow.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class SettingsBackingStore;

// Keeps a window's placement, state and focused control in the user's
// settings: restores them each time the window is shown and saves them when
// it closes or at program end. Attach it to its window once the window's
// children exist (WidgetFormWindow::attach), then switch it Active.
class FormPlacement : public QObject
{
    Q_OBJECT

public:
    enum PlacementOption { State = 0x1, Position = 0x2, ActiveControl = 0x4 };
    Q_DECLARE_FLAGS(PlacementOptions, PlacementOption)

    // Called with the backing store open; the handler finds its values below section().
    using PlacementEvent = std::function<void(SettingsBackingStore &store)>;

    explicit FormPlacement(QObject *parent = nullptr);
    ~FormPlacement() override;

    // Only an active placement restores at show and saves at close.
    bool isActive() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    // The key path below "SOFTWARE" that holds the window's values.
    const QString &section() const { return m_section; }
    void setSection(const QString &section) { m_section = section; }
    PlacementOptions options() const { return m_options; }
    void setOptions(PlacementOptions options) { m_options = options; }
    // Run after the placement and state are restored, and after they are saved.
    void setRestoreHandler(PlacementEvent handler) { m_restoreHandler = std::move(handler); }
    void setSaveHandler(PlacementEvent handler) { m_saveHandler = std::move(handler); }

    void attach(std::unique_ptr<FormWindow> window);
    FormWindow *window() const { return m_window.get(); }

    // Both throw EditorError; the backing store is closed on every path.
    void restoreSettings();
    void saveSettings();

    // The window's notifications; errors are reported, not thrown.
    void windowShown();
    // After the window's own close handler has decided.
    void windowCloseQueried(bool canClose);
    // The window goes away; runs once.
    void windowDestroying();

    bool isRestored() const { return m_restored; }
    bool isSaved() const { return m_saved; }
    bool isDestroying() const { return m_destroying; }

protected:
    // The stored properties and values, restored after the placement and state
    // and saved after the focused control.
    virtual void restoreStored(SettingsBackingStore &store);
    virtual void saveStored(SettingsBackingStore &store);

private:
    void restorePlacement(SettingsBackingStore &store);
    void restoreState(SettingsBackingStore &store);
    void savePlacement(SettingsBackingStore &store);
    QString readPosition(SettingsBackingStore &store, const QString &name,
                         const QString &suffix) const;
    QString screenSuffix() const;

    std::unique_ptr<FormWindow> m_window;
    bool m_active = false;
    QString m_section;
    PlacementOptions m_options = {State, Position};
    PlacementEvent m_restoreHandler;
    PlacementEvent m_saveHandler;
    bool m_restored = false;
    bool m_saved = false;
    bool m_destroying = false;
    bool m_destroyNotified = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FormPlacement::PlacementOptions)

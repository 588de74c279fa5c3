#pragma once

#include "olvane/ihotkeycontroller.h"

#include <QHash>
#include <QSet>

#include <functional>

namespace olvane {

/// The hot keys one client registered, its delegate, and per-key handler lists.
///
/// Make it with create(): each registration's handlers hold the controller, so it lives as long as
/// any of its registrations does. The delegate is held strongly.
class HotkeyController final : public IHotkeyController, public std::enable_shared_from_this<HotkeyController> {
public:
    using Action = std::function<void()>;

    static std::shared_ptr<HotkeyController> create();

    std::shared_ptr<HotkeyDelegate> delegate() const override { return m_delegate; }
    void setDelegate(std::shared_ptr<HotkeyDelegate> delegate) override { m_delegate = std::move(delegate); }

    /// Nothing when `hotkey` is registered through this controller already; it counts as registered
    /// even when the system refused it.
    void registerHotkey(const Hotkey &hotkey) override;
    void unregisterHotkey(const Hotkey &hotkey) override;
    /// Removes every registration of the process, also other controllers'.
    void unregisterAll() override;
    /// Removes every registration of the process and this controller's handlers; registeredShortcuts stays.
    void reset();

    /// The delegate first, then the key-down handlers of `hotkey` in order.
    void keyDown(const Hotkey &hotkey);
    /// The key-up handlers of `hotkey` in order; the delegate is not told.
    void keyUp(const Hotkey &hotkey);

    QSet<Hotkey> registeredShortcuts;
    QHash<Hotkey, QList<Action>> keyDownHandlers;
    QHash<Hotkey, QList<Action>> keyUpHandlers;

private:
    HotkeyController() = default;

    std::shared_ptr<HotkeyDelegate> m_delegate;
};

} // namespace olvane

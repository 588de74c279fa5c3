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

    /// Nothing when `hotkey` is registered through this controller already. A key counts as registered
    /// only when the system granted it; a refused one is tried again by the next call.
    void registerHotkey(const Hotkey &hotkey) override;
    /// Removes this controller's registration of `hotkey`; other controllers keep theirs.
    void unregisterHotkey(const Hotkey &hotkey) override;
    /// Removes every registration of this controller; other controllers keep theirs.
    void unregisterAll() override;
    /// Removes this controller's registrations, its registered list and its handlers.
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

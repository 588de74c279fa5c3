#pragma once

#include "olvane/hotkey.h"
#include "platform/desktop/hotkeys.h"

#include <functional>

namespace olvane {

/// The process-wide table of hot-key registrations on `platform::HotKeys::current()` and the one
/// event handler that routes their presses and releases. Main thread only.
class CarbonHotkeyController {
public:
    using Handler = std::function<void(const Hotkey &)>;

    /// Signature of this library's registrations ("VQHK").
    static constexpr quint32 kSignature = ('V' << 24) | ('Q' << 16) | ('H' << 8) | 'K';

    CarbonHotkeyController() = delete;

    /// Registers `hotkey` under a fresh id (ids start at 1 and are used up even when registration
    /// fails) for `owner` (any tag; nullptr for none). True when the system granted it; a refused
    /// registration keeps nothing.
    static bool registerHotkey(const Hotkey &hotkey, Handler onKeyDown, Handler onKeyUp, const void *owner = nullptr);
    /// Removes every registration of the process whose hot key equals `hotkey`.
    static void unregisterHotkey(const Hotkey &hotkey);
    /// Removes the registrations of `owner` whose hot key equals `hotkey`; other owners' stay.
    static void unregisterHotkey(const Hotkey &hotkey, const void *owner);
    /// Removes every registration of the process; the event handler stays.
    static void unregisterAll();
    /// Removes every registration of `owner`; other owners' stay.
    static void unregisterAll(const void *owner);

    /// Routes one event: kEventNotHandled for no event, a foreign signature, an unknown id or an
    /// unknown kind; the event's own failure status when it carries no identifier.
    static int handleHotKeyEvent(const platform::HotKeyEvent *event);

    /// The number of live registrations and the last id handed out.
    static qsizetype registrationCount();
    static qint64 lastHotKeyId();
};

} // namespace olvane

#pragma once

#include "olvane/hotkey.h"
#include "olvane/hotkeydelegate.h"

#include <memory>

namespace olvane {

/// Registers and unregisters global hot keys and tells its delegate when one is pressed.
class IHotkeyController {
public:
    virtual ~IHotkeyController() = default;

    virtual std::shared_ptr<HotkeyDelegate> delegate() const = 0;
    virtual void setDelegate(std::shared_ptr<HotkeyDelegate> delegate) = 0;
    virtual void registerHotkey(const Hotkey &hotkey) = 0;
    virtual void unregisterHotkey(const Hotkey &hotkey) = 0;
    virtual void unregisterAll() = 0;
};

} // namespace olvane

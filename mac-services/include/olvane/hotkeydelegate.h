#pragma once

#include "olvane/hotkey.h"

namespace olvane {

/// Told when a registered hot key goes down.
class HotkeyDelegate {
public:
    virtual ~HotkeyDelegate() = default;
    virtual void hotkeyPressed(const Hotkey &hotkey) = 0;
};

} // namespace olvane

#include "olvane/hotkeycontroller.h"

#include "olvane/carbonhotkeycontroller.h"

namespace olvane {

std::shared_ptr<HotkeyController> HotkeyController::create()
{
    return std::shared_ptr<HotkeyController>(new HotkeyController());
}

void HotkeyController::registerHotkey(const Hotkey &hotkey)
{
    if (registeredShortcuts.contains(hotkey))
        return;
    const std::shared_ptr<HotkeyController> self = shared_from_this();
    // A refused grab is not remembered, so that registering the key again tries again.
    if (CarbonHotkeyController::registerHotkey(
            hotkey, [self](const Hotkey &pressed) { self->keyDown(pressed); },
            [self](const Hotkey &released) { self->keyUp(released); }, this))
        registeredShortcuts.insert(hotkey);
}

void HotkeyController::unregisterHotkey(const Hotkey &hotkey)
{
    // The registrations may hold the last references to this controller.
    const std::shared_ptr<HotkeyController> keepAlive = shared_from_this();
    CarbonHotkeyController::unregisterHotkey(hotkey, this);
    registeredShortcuts.remove(hotkey);
}

void HotkeyController::unregisterAll()
{
    const std::shared_ptr<HotkeyController> keepAlive = shared_from_this();
    CarbonHotkeyController::unregisterAll(this);
    registeredShortcuts.clear();
}

void HotkeyController::reset()
{
    const std::shared_ptr<HotkeyController> keepAlive = shared_from_this();
    CarbonHotkeyController::unregisterAll(this);
    registeredShortcuts.clear();
    keyDownHandlers.clear();
    keyUpHandlers.clear();
}

void HotkeyController::keyDown(const Hotkey &hotkey)
{
    if (m_delegate)
        m_delegate->hotkeyPressed(hotkey);
    const QList<Action> handlers = keyDownHandlers.value(hotkey);
    for (const Action &handler : handlers)
        handler();
}

void HotkeyController::keyUp(const Hotkey &hotkey)
{
    const QList<Action> handlers = keyUpHandlers.value(hotkey);
    for (const Action &handler : handlers)
        handler();
}

} // namespace olvane

#include "olvane/carbonhotkeycontroller.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace olvane {

namespace {

    struct HotKey {
        Hotkey shortcut;
        qint64 carbonHotKeyId;
        platform::HotKeys::Ref carbonHotKey;
        // The backend the key was registered with: tests replace the process's hot keys between cases.
        QPointer<platform::HotKeys> hotKeys;
        const void *owner;
        CarbonHotkeyController::Handler onKeyDown;
        CarbonHotkeyController::Handler onKeyUp;
    };

    std::map<qint64, std::shared_ptr<HotKey>> &hotKeys()
    {
        static std::map<qint64, std::shared_ptr<HotKey>> table;
        return table;
    }

    qint64 s_nextHotKeyId = 0;
    // One handler per hot-key service; it is never removed while that service lives.
    QPointer<platform::HotKeys> s_handlerTarget;

    void installHandlerOnce(platform::HotKeys &target)
    {
        if (s_handlerTarget == &target)
            return;
        target.installHandler(&CarbonHotkeyController::handleHotKeyEvent);
        s_handlerTarget = &target;
    }

    void release(const HotKey &hotKey)
    {
        if (hotKey.hotKeys)
            hotKey.hotKeys->unregisterHotKey(hotKey.carbonHotKey);
    }

    void removeWhere(const std::function<bool(const HotKey &)> &matches)
    {
        // Handlers may hold the last reference to their controller: let them go after the table is updated.
        std::vector<std::shared_ptr<HotKey>> removed;
        auto &table = hotKeys();
        for (auto it = table.begin(); it != table.end();) {
            if (matches(*it->second)) {
                removed.push_back(it->second);
                it = table.erase(it);
            } else {
                ++it;
            }
        }
        for (const auto &hotKey : removed)
            release(*hotKey);
    }

} // namespace

bool CarbonHotkeyController::registerHotkey(const Hotkey &hotkey, Handler onKeyDown, Handler onKeyUp, const void *owner)
{
    const qint64 id = ++s_nextHotKeyId;
    constexpr qint64 kMax = 4294967295;
    if (hotkey.carbonKeyCode < 0 || hotkey.carbonKeyCode > kMax || hotkey.carbonModifiers < 0
        || hotkey.carbonModifiers > kMax || id > kMax)
        return false;

    platform::HotKeys &target = platform::HotKeys::current();
    platform::HotKeys::Ref ref = 0;
    const int status = target.registerHotKey(quint32(hotkey.carbonKeyCode), quint32(hotkey.carbonModifiers),
        platform::HotKeyIdentifier { kSignature, quint32(id) }, &ref);
    if (status != platform::kHotKeyNoError || ref == 0)
        return false;
    hotKeys()[id] = std::make_shared<HotKey>(HotKey {
        hotkey, id, ref, QPointer<platform::HotKeys>(&target), owner, std::move(onKeyDown), std::move(onKeyUp) });
    if (target.isAvailable())
        installHandlerOnce(target);
    return true;
}

void CarbonHotkeyController::unregisterHotkey(const Hotkey &hotkey)
{
    removeWhere([&hotkey](const HotKey &entry) { return entry.shortcut == hotkey; });
}

void CarbonHotkeyController::unregisterHotkey(const Hotkey &hotkey, const void *owner)
{
    removeWhere([&hotkey, owner](const HotKey &entry) { return entry.owner == owner && entry.shortcut == hotkey; });
}

void CarbonHotkeyController::unregisterAll()
{
    removeWhere([](const HotKey &) { return true; });
}

void CarbonHotkeyController::unregisterAll(const void *owner)
{
    removeWhere([owner](const HotKey &entry) { return entry.owner == owner; });
}

int CarbonHotkeyController::handleHotKeyEvent(const platform::HotKeyEvent *event)
{
    if (!event)
        return platform::kEventNotHandled;
    if (!event->identifier)
        return platform::kEventParameterNotFound;
    if (event->identifier->signature != kSignature)
        return platform::kEventNotHandled;
    const auto found = hotKeys().find(event->identifier->id);
    if (found == hotKeys().end())
        return platform::kEventNotHandled;
    // The handler may unregister its own key: keep the entry alive while it runs.
    const std::shared_ptr<HotKey> hotKey = found->second;
    switch (event->kind) {
    case platform::kHotKeyPressed:
        if (hotKey->onKeyDown)
            hotKey->onKeyDown(hotKey->shortcut);
        break;
    case platform::kHotKeyReleased:
        if (hotKey->onKeyUp)
            hotKey->onKeyUp(hotKey->shortcut);
        break;
    default:
        return platform::kEventNotHandled;
    }
    return platform::kHotKeyNoError;
}

qsizetype CarbonHotkeyController::registrationCount() { return qsizetype(hotKeys().size()); }

qint64 CarbonHotkeyController::lastHotKeyId() { return s_nextHotKeyId; }

} // namespace olvane

#pragma once

#include "platform/desktop/hotkeys.h"

#include <memory>

namespace platform {

/// Hot keys as key grabs on the root window of the X server that the application's windows use.
/// Without such a server (another windowing system, the offscreen platform) nothing can be grabbed
/// and registration answers kHotKeyInvalid. Grabs include the Caps Lock and Num Lock variants, so
/// those locks do not hide a press. Command is the Super modifier (Mod4), option Alt (Mod1).
class XcbHotKeys final : public HotKeys {
    Q_OBJECT
public:
    explicit XcbHotKeys(QObject *parent = nullptr);
    ~XcbHotKeys() override;

    bool isAvailable() const override;
    int registerHotKey(quint32 keyCode, quint32 modifiers, HotKeyIdentifier identifier, Ref *ref) override;
    int unregisterHotKey(Ref ref) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace platform

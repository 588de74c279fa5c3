#pragma once

#include "platform/desktop/hotkeys.h"

#include <QList>

#include <set>
#include <utility>

namespace platform {

/// Hot keys for tests. Registrations are kept and listed; combinations marked as taken (by another
/// program) fail with kHotKeyExists, and everything fails with kHotKeyInvalid while unavailable.
/// press() and release() deliver an event to every registration of the combination, post() any
/// event; deliveries happen later from the event loop, and each handler status is recorded.
class MemoryHotKeys final : public HotKeys {
    Q_OBJECT
public:
    struct Registration {
        Ref ref = 0;
        quint32 keyCode = 0;
        quint32 modifiers = 0;
        HotKeyIdentifier identifier;
    };

    explicit MemoryHotKeys(QObject *parent = nullptr);

    bool isAvailable() const override { return m_available; }
    int registerHotKey(quint32 keyCode, quint32 modifiers, HotKeyIdentifier identifier, Ref *ref) override;
    int unregisterHotKey(Ref ref) override;

    void setAvailable(bool available) { m_available = available; }
    /// Marks the combination as held by another program, or (with `taken` false) as given back.
    void setTaken(quint32 keyCode, quint32 modifiers, bool taken = true)
    {
        if (taken)
            m_taken.insert({ keyCode, modifiers });
        else
            m_taken.erase({ keyCode, modifiers });
    }

    void press(quint32 keyCode, quint32 modifiers) { deliver(keyCode, modifiers, kHotKeyPressed); }
    void release(quint32 keyCode, quint32 modifiers) { deliver(keyCode, modifiers, kHotKeyReleased); }
    void post(const HotKeyEvent &event);

    const QList<Registration> &registrations() const { return m_registrations; }
    int registerCalls() const { return m_registerCalls; }
    /// The handlers' answers to the delivered events, oldest first.
    const QList<int> &dispatchResults() const { return m_dispatchResults; }

private:
    void deliver(quint32 keyCode, quint32 modifiers, quint32 kind);

    QList<Registration> m_registrations;
    std::set<std::pair<quint32, quint32>> m_taken;
    QList<int> m_dispatchResults;
    Ref m_nextRef = 0;
    int m_registerCalls = 0;
    bool m_available = true;
};

} // namespace platform

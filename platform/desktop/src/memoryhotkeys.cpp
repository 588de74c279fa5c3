#include "platform/desktop/memoryhotkeys.h"

#include "platform/core/mainqueue.h"

#include <QPointer>

namespace platform {

MemoryHotKeys::MemoryHotKeys(QObject *parent)
    : HotKeys(parent)
{
}

int MemoryHotKeys::registerHotKey(quint32 keyCode, quint32 modifiers, HotKeyIdentifier identifier, Ref *ref)
{
    ++m_registerCalls;
    if (!m_available)
        return kHotKeyInvalid;
    if (m_taken.contains({ keyCode, modifiers }))
        return kHotKeyExists;
    m_registrations.append({ ++m_nextRef, keyCode, modifiers, identifier });
    if (ref)
        *ref = m_nextRef;
    return kHotKeyNoError;
}

int MemoryHotKeys::unregisterHotKey(Ref ref)
{
    const qsizetype removed
        = m_registrations.removeIf([ref](const Registration &registration) { return registration.ref == ref; });
    return removed > 0 ? kHotKeyNoError : kHotKeyInvalid;
}

void MemoryHotKeys::post(const HotKeyEvent &event)
{
    QPointer<MemoryHotKeys> self(this);
    MainQueue::async([self, event] {
        if (self)
            self->m_dispatchResults.append(self->dispatch(&event));
    });
}

void MemoryHotKeys::deliver(quint32 keyCode, quint32 modifiers, quint32 kind)
{
    for (const Registration &registration : m_registrations) {
        if (registration.keyCode == keyCode && registration.modifiers == modifiers)
            post(HotKeyEvent { registration.identifier, kind });
    }
}

} // namespace platform

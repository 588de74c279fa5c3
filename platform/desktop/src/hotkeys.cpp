#include "platform/desktop/hotkeys.h"

#include "platform/desktop/xcbhotkeys.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform {

namespace {
    HotKeys *s_installed = nullptr;
    QPointer<HotKeys> s_default;
}

HotKeys::HotKeys(QObject *parent)
    : QObject(parent)
{
}

quint64 HotKeys::installHandler(Handler handler)
{
    m_handlers.emplace(++m_nextHandler, std::move(handler));
    return m_nextHandler;
}

void HotKeys::removeHandler(quint64 handler) { m_handlers.erase(handler); }

int HotKeys::dispatch(const HotKeyEvent *event)
{
    // A handler may remove itself or others while it runs: walk a copy.
    const std::map<quint64, Handler> handlers = m_handlers;
    for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
        const int status = it->second(event);
        if (status != kEventNotHandled)
            return status;
    }
    return kEventNotHandled;
}

HotKeys &HotKeys::current()
{
    if (s_installed)
        return *s_installed;
    if (!s_default)
        s_default = new XcbHotKeys(QCoreApplication::instance());
    return *s_default;
}

ScopedHotKeys::ScopedHotKeys(HotKeys &hotKeys)
    : m_previous(s_installed)
{
    s_installed = &hotKeys;
}

ScopedHotKeys::~ScopedHotKeys() { s_installed = m_previous; }

} // namespace platform

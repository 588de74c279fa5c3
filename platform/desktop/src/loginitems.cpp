#include "platform/desktop/loginitems.h"

#include "platform/desktop/xdgloginitems.h"

namespace platform {

namespace {
    LoginItems *s_current = nullptr;
}

LoginItems &LoginItems::current()
{
    if (s_current)
        return *s_current;
    static XdgLoginItems desktop;
    return desktop;
}

ScopedLoginItems::ScopedLoginItems(LoginItems &items)
    : m_previous(s_current)
{
    s_current = &items;
}

ScopedLoginItems::~ScopedLoginItems() { s_current = m_previous; }

} // namespace platform

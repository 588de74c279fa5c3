#include "platform/bluetooth/central.h"

#include "platform/bluetooth/bluezcentral.h"

namespace platform {

namespace {
    Central *s_current = nullptr;

    Central &defaultCentral()
    {
        // The machine's own radio, through BlueZ on the system bus. Never destroyed: it may outlive
        // the application object, after which its bus must not be touched.
        static BluezCentral *s_system = new BluezCentral();
        return *s_system;
    }
}

Central::Central(QObject *parent)
    : QObject(parent)
{
}

Central::~Central() = default;

Central &Central::current() { return s_current ? *s_current : defaultCentral(); }

ScopedCentral::ScopedCentral(Central &central)
    : m_previous(s_current)
{
    s_current = &central;
}

ScopedCentral::~ScopedCentral() { s_current = m_previous; }

} // namespace platform

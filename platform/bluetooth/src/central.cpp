#include "platform/bluetooth/central.h"

#include "platform/bluetooth/memorycentral.h"

namespace platform {

namespace {
    Central *s_current = nullptr;

    Central &defaultCentral()
    {
        // Until the program installs its backend there is no radio.
        static MemoryCentral *s_none = new MemoryCentral(Central::State::unsupported);
        return *s_none;
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

#include "platform/registry/powersources.h"

#include "platform/registry/sysfspowersources.h"

namespace platform {

namespace {
    PowerSources *s_current = nullptr;

    PowerSources &fallback()
    {
        // The machine's own power sources, read from sysfs.
        static SysfsPowerSources system;
        return system;
    }
}

PowerSources &PowerSources::current()
{
    return s_current ? *s_current : fallback();
}

ScopedPowerSources::ScopedPowerSources(PowerSources &sources)
    : m_previous(s_current)
{
    s_current = &sources;
}

ScopedPowerSources::~ScopedPowerSources()
{
    s_current = m_previous;
}

} // namespace platform

#include "platform/registry/registry.h"

#include "platform/registry/sysfsregistry.h"

namespace platform {

namespace {
    Registry &defaultRegistry()
    {
        // The machine's own registry, read from sysfs (its root is taken once, on first use).
        static SysfsRegistry s_system;
        return s_system;
    }

    Registry *s_current = nullptr;
}

RegistryEntry Registry::firstMatchingService(const QString &className)
{
    auto services = matchingServices(className);
    if (!services || services->empty())
        return {};
    return std::move(services->front());
}

Registry &Registry::current() { return s_current ? *s_current : defaultRegistry(); }

ScopedRegistry::ScopedRegistry(Registry &registry)
    : m_previous(s_current)
{
    s_current = &registry;
}

ScopedRegistry::~ScopedRegistry() { s_current = m_previous; }

} // namespace platform

#include "platform/registry/registry.h"

#include "platform/registry/memoryregistry.h"

namespace platform {

namespace {
    Registry &defaultRegistry()
    {
        // Nothing is installed until the program picks its backend; an empty registry answers every
        // query with no services.
        static MemoryRegistry s_empty;
        return s_empty;
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

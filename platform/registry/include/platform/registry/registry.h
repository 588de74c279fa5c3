#pragma once

#include "platform/registry/registryentry.h"

#include <QString>

#include <optional>
#include <vector>

namespace platform {

/// The device registry: a tree of entries (services and their providers), each with a class chain and
/// a property dictionary. Queries are synchronous and may block for the duration of a scan.
/// Main thread only. Handles returned stay valid after the entry leaves the registry (reads then fail).
class Registry {
public:
    virtual ~Registry() = default;

    /// Every service whose class is `className` or derives from it, in registry order; an empty list
    /// when there is none; empty (no list) when the query itself fails.
    virtual std::optional<std::vector<RegistryEntry>> matchingServices(const QString &className) = 0;

    /// The first matching service; invalid when there is none or the query fails.
    RegistryEntry firstMatchingService(const QString &className);

    /// The registry of the process: the one installed last by a ScopedRegistry, else the machine's
    /// own (a SysfsRegistry on SysfsRegistry::defaultRoot()).
    static Registry &current();
};

/// Makes `registry` the current one for the guard's lifetime, then restores the previous one.
class ScopedRegistry {
public:
    explicit ScopedRegistry(Registry &registry);
    ~ScopedRegistry();
    ScopedRegistry(const ScopedRegistry &) = delete;
    ScopedRegistry &operator=(const ScopedRegistry &) = delete;

private:
    Registry *m_previous;
};

} // namespace platform

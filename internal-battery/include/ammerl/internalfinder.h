#pragma once

#include "ammerl/internalbattery.h"

#include "platform/registry/powersources.h"
#include "platform/registry/registry.h"
#include "platform/registry/registryentry.h"

#include <memory>
#include <optional>

namespace ammerl {

/// What the application asks of the internal-battery finder.
class IInternalFinder {
public:
    virtual ~IInternalFinder() = default;
    /// Whether the system reports at least one power source.
    virtual bool batteryPresent() = 0;
    /// A new, filled record of the variant that fits the battery's controller, owned by the caller;
    /// null when there is no battery or its controller is not one of the known two.
    virtual std::unique_ptr<InternalBattery> find() = 0;
};

/// Finds the smart battery ("AppleSmartBattery") in the registry once, at construction, and holds
/// that entry for its whole life. Presence is asked of the power sources once and then kept, so a
/// battery the system reports only later is not seen. Main thread only.
class InternalFinder final : public IInternalFinder {
public:
    explicit InternalFinder(platform::Registry &registry = platform::Registry::current(),
        platform::PowerSources &sources = platform::PowerSources::current());

    bool batteryPresent() override;
    /// An AppleInternalBattery under an "AppleSMC" controller, a LegacyInternalBattery under an
    /// "IOSMBusController" one (compared exactly), otherwise null.
    std::unique_ptr<InternalBattery> find() override;

    /// The smart battery's entry; invalid when the machine has none.
    const platform::RegistryEntry &serviceInternal() const { return m_serviceInternal; }

private:
    platform::PowerSources *m_sources;
    platform::RegistryEntry m_serviceInternal;
    std::optional<bool> m_batteryPresent;
};

} // namespace ammerl

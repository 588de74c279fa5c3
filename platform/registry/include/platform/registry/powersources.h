#pragma once

#include "platform/core/value.h"

#include <memory>

namespace platform {

/// Keys and texts of a power source's description dictionary, with the units the values carry.
namespace powersource {
    inline constexpr auto kName = "Name"; ///< text, e.g. "InternalBattery-0"
    inline constexpr auto kPowerSourceState = "Power Source State"; ///< text: kACPower or kBatteryPower
    inline constexpr auto kCurrentCapacity = "Current Capacity"; ///< integer, percent of the full charge
    inline constexpr auto kMaxCapacity = "Max Capacity"; ///< integer percent: full charge of design (100 as new)
    inline constexpr auto kTimeToEmpty = "Time to Empty"; ///< integer minutes; -1 while still estimating
    inline constexpr auto kTimeToFullCharge = "Time to Full Charge"; ///< integer minutes; -1 while estimating
    inline constexpr auto kIsCharging = "Is Charging"; ///< bool
    inline constexpr auto kIsCharged = "Is Charged"; ///< bool
    inline constexpr auto kWatts = "Watts"; ///< integer watts of the connected adapter
    inline constexpr auto kAdapterDetails = "AdapterDetails"; ///< dictionary; its kWatts as above
    inline constexpr auto kBatteryHealth = "BatteryHealth"; ///< text: "Good", "Fair" or "Poor"

    inline constexpr auto kACPower = "AC Power";
    inline constexpr auto kBatteryPower = "Battery Power";
}

/// One snapshot of the machine's power-source information, taken by PowerSources::copyInfo().
/// Opaque: only the backend that made it can read it.
class PowerSourcesInfo {
public:
    virtual ~PowerSourcesInfo() = default;
};

/// The machine's power sources (its batteries and what powers them) as the system describes them.
///
/// Three synchronous calls, used in this order: copyInfo() takes a snapshot, list() names the
/// snapshot's sources, description() gives one source's description dictionary (keys in
/// `powersource`). Main thread only. Nothing is cached across snapshots.
///
/// Failure: copyInfo() gives nullptr when the system has no information. list() gives null when
/// there is no list and, on a broken system, may give a value that is not an array. description()
/// gives null for a source without a description and may give a value that is not a dictionary.
/// Callers treat each of these as "no value"; none is an error.
class PowerSources {
public:
    virtual ~PowerSources() = default;

    virtual std::unique_ptr<PowerSourcesInfo> copyInfo() = 0;
    /// The snapshot's sources: an array of opaque source references.
    virtual Value list(const PowerSourcesInfo &info) = 0;
    /// The description of one element of list(info).
    virtual Value description(const PowerSourcesInfo &info, const Value &source) = 0;

    /// The process's power sources: the ones installed last by a ScopedPowerSources, else the
    /// machine's own (SysfsPowerSources on SysfsRegistry::defaultRoot()).
    static PowerSources &current();
};

/// Installs power sources for the lifetime of the guard, then restores the previous ones.
class ScopedPowerSources {
public:
    explicit ScopedPowerSources(PowerSources &sources);
    ~ScopedPowerSources();
    ScopedPowerSources(const ScopedPowerSources &) = delete;
    ScopedPowerSources &operator=(const ScopedPowerSources &) = delete;

private:
    PowerSources *m_previous;
};

} // namespace platform

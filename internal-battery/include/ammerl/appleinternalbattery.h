#pragma once

#include "ammerl/internalbattery.h"

#include "platform/registry/powersources.h"

namespace ammerl {

/// The battery of a machine whose battery controller is "AppleSMC": charge and maximum capacity come
/// from the power source in percent; design capacity, cells, charger, adapter and lifetime data from
/// the registry entry.
class AppleInternalBattery final : public InternalBattery {
public:
    /// An empty record.
    AppleInternalBattery() = default;
    /// Reads every value from the battery's registry entry and the power sources. With an invalid
    /// entry handle nothing is read and the record stays empty. The record keeps neither.
    explicit AppleInternalBattery(
        const platform::RegistryEntry &entry, platform::PowerSources &sources = platform::PowerSources::current());

    /// "87 %".
    QString maxCapacityText() const override;
    QString currentCapacityText() const override;
    /// The maximum capacity, which this variant holds in percent already.
    std::optional<double> health() const override;
    std::optional<std::int64_t> charge() const override;

    platform::Value encode() const override;
    /// Throws platform::DecodingError.
    static AppleInternalBattery decode(const platform::Value &value);

    /// Made-up records for previews: charging and not full, or full and not charging.
    static AppleInternalBattery sampleCharging();
    static AppleInternalBattery sampleCharged();
    static AppleInternalBattery makeSample(bool charging, bool charged);
    static AppleInternalBattery sample(bool charging, bool charged, std::int64_t currentCapacity);

private:
    void update(const platform::RegistryEntry &entry, platform::PowerSources &sources);
};

} // namespace ammerl

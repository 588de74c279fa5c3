#pragma once

#include "ammerl/internalbattery.h"

#include "platform/registry/powersources.h"

namespace ammerl {

/// The battery of a machine whose battery controller is "IOSMBusController": capacities in mAh from
/// the registry entry; the power source's percentage is kept apart as internalCharge. Serial, average
/// time to empty, cells, charger, adapter and lifetime data are not read.
class LegacyInternalBattery final : public InternalBattery {
public:
    /// An empty record.
    LegacyInternalBattery() = default;
    /// Reads every value from the battery's registry entry and the power sources. With an invalid
    /// entry handle nothing is read and the record stays empty. The record keeps neither.
    explicit LegacyInternalBattery(
        const platform::RegistryEntry &entry, platform::PowerSources &sources = platform::PowerSources::current());

    /// The power source's charge in percent.
    std::optional<std::int64_t> internalCharge() const { return m_internalCharge; }
    void setInternalCharge(std::optional<std::int64_t> v) { m_internalCharge = v; }

    /// "6053 mAh".
    QString maxCapacityText() const override;
    QString currentCapacityText() const override;
    /// Maximum over design capacity in percent; empty when either is unknown or the design capacity is 0.
    std::optional<double> health() const override;
    /// 100 when charged; else the power source's charge; else current over maximum capacity in percent
    /// (rounded, halves away from zero); empty when none of these can be worked out.
    std::optional<std::int64_t> charge() const override;

    platform::Value encode() const override;
    /// Throws platform::DecodingError.
    static LegacyInternalBattery decode(const platform::Value &value);

    static LegacyInternalBattery sampleCharging();
    static LegacyInternalBattery sampleCharged();
    static LegacyInternalBattery makeSample(bool charging, bool charged);

private:
    void update(const platform::RegistryEntry &entry, platform::PowerSources &sources);

    std::optional<std::int64_t> m_internalCharge;
};

} // namespace ammerl

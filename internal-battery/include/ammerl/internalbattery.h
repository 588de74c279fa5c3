#pragma once

#include "ammerl/adapterdetails.h"
#include "ammerl/batterycondition.h"
#include "ammerl/chargerdata.h"
#include "ammerl/iokithelper.h"
#include "ammerl/lifetimedata.h"

#include "platform/core/value.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace platform {
class KeyedDecoder;
class KeyedEncoder;
class PowerSources;
}

namespace ammerl {

/// One snapshot of the computer's own battery, read once when the record is made and never
/// refreshed in place. Two variants (AppleInternalBattery, LegacyInternalBattery) differ in where the
/// capacities come from and how charge and health are worked out.
///
/// Units: capacities in mAh (the Apple variant's maximum and current capacity in percent), times in
/// minutes, voltages in volts, amperage in milliamperes (negative while discharging), power in watts,
/// temperature in degrees Celsius. Every value is empty when it could not be read.
class InternalBattery {
public:
    virtual ~InternalBattery() = default;

    const std::optional<QString> &name() const { return m_name; }
    const std::optional<QString> &serial() const { return m_serial; }
    std::optional<std::int64_t> timeToFull() const { return m_timeToFull; }
    std::optional<std::int64_t> timeToEmpty() const { return m_timeToEmpty; }
    std::optional<std::int64_t> averageTimeToEmpty() const { return m_averageTimeToEmpty; }
    const std::optional<QString> &manufacturer() const { return m_manufacturer; }
    const std::optional<QDateTime> &manufactureDate() const { return m_manufactureDate; }
    std::optional<std::int64_t> designCapacity() const { return m_designCapacity; }
    std::optional<std::int64_t> maxCapacity() const { return m_maxCapacity; }
    std::optional<std::int64_t> currentCapacity() const { return m_currentCapacity; }
    std::optional<std::int64_t> cycleCount() const { return m_cycleCount; }
    std::optional<std::int64_t> designCycleCount() const { return m_designCycleCount; }
    std::optional<bool> acPowered() const { return m_acPowered; }
    std::optional<bool> isCharging() const { return m_isCharging; }
    std::optional<bool> isCharged() const { return m_isCharged; }
    std::optional<std::int64_t> amperage() const { return m_amperage; }
    std::optional<double> voltage() const { return m_voltage; }
    /// Positive while the battery gives power, negative while it takes it.
    std::optional<double> watts() const { return m_watts; }
    std::optional<double> temperature() const { return m_temperature; }
    std::optional<BatteryCondition> condition() const { return m_condition; }
    /// The adapter's rating in watts.
    std::optional<std::int64_t> connectedPowerSupply() const { return m_connectedPowerSupply; }
    const std::vector<float> &cellVoltages() const { return m_cellVoltages; }
    const std::optional<ChargerData> &chargerData() const { return m_chargerData; }
    const std::optional<LifetimeData> &lifetimeData() const { return m_lifetimeData; }
    const std::optional<AdapterDetails> &adapter() const { return m_adapter; }

    /// "4382 mAh", or "-" when unknown.
    QString designCapacityText() const;
    virtual QString maxCapacityText() const = 0;
    virtual QString currentCapacityText() const = 0;
    /// Maximum capacity as a percentage of the design capacity.
    virtual std::optional<double> health() const = 0;
    /// Charge in percent.
    virtual std::optional<std::int64_t> charge() const = 0;
    /// Minutes to full while charging, to empty while not; empty when the charging state is unknown.
    std::optional<std::int64_t> timeRemaining() const;
    /// timeRemaining as "hh:mm" ("02:05"), or "-" when unknown or not positive.
    QString timeRemainingText() const;

    /// Keyed coding of the stored fields.
    virtual platform::Value encode() const = 0;

    void setName(std::optional<QString> v) { m_name = std::move(v); }
    void setSerial(std::optional<QString> v) { m_serial = std::move(v); }
    void setTimeToFull(std::optional<std::int64_t> v) { m_timeToFull = v; }
    void setTimeToEmpty(std::optional<std::int64_t> v) { m_timeToEmpty = v; }
    void setAverageTimeToEmpty(std::optional<std::int64_t> v) { m_averageTimeToEmpty = v; }
    void setManufacturer(std::optional<QString> v) { m_manufacturer = std::move(v); }
    void setManufactureDate(std::optional<QDateTime> v) { m_manufactureDate = std::move(v); }
    void setDesignCapacity(std::optional<std::int64_t> v) { m_designCapacity = v; }
    void setMaxCapacity(std::optional<std::int64_t> v) { m_maxCapacity = v; }
    void setCurrentCapacity(std::optional<std::int64_t> v) { m_currentCapacity = v; }
    void setCycleCount(std::optional<std::int64_t> v) { m_cycleCount = v; }
    void setDesignCycleCount(std::optional<std::int64_t> v) { m_designCycleCount = v; }
    void setAcPowered(std::optional<bool> v) { m_acPowered = v; }
    void setCharging(std::optional<bool> v) { m_isCharging = v; }
    void setCharged(std::optional<bool> v) { m_isCharged = v; }
    void setAmperage(std::optional<std::int64_t> v) { m_amperage = v; }
    void setVoltage(std::optional<double> v) { m_voltage = v; }
    void setWatts(std::optional<double> v) { m_watts = v; }
    void setTemperature(std::optional<double> v) { m_temperature = v; }
    void setCondition(std::optional<BatteryCondition> v) { m_condition = v; }
    void setConnectedPowerSupply(std::optional<std::int64_t> v) { m_connectedPowerSupply = v; }
    void setCellVoltages(std::vector<float> v) { m_cellVoltages = std::move(v); }
    void setChargerData(std::optional<ChargerData> v) { m_chargerData = std::move(v); }
    void setLifetimeData(std::optional<LifetimeData> v) { m_lifetimeData = std::move(v); }
    void setAdapter(std::optional<AdapterDetails> v) { m_adapter = std::move(v); }

protected:
    InternalBattery() = default;
    InternalBattery(const InternalBattery &) = default;
    InternalBattery &operator=(const InternalBattery &) = default;

    /// Calls `read` with each power source's description dictionary, in list order; sources
    /// without a dictionary are skipped, and so is everything when the system gives no list.
    static void forEachPowerSource(
        platform::PowerSources &sources, const std::function<void(const platform::Value::Dictionary &)> &read);
    /// Reads the description keys both variants share. Every source overwrites the previous one's
    /// values, except the adapter's watts and the condition, which only a source that has them sets.
    void readPowerSource(const platform::Value::Dictionary &description);
    /// Power from voltage and amperage, signed by the charging state; empty unless all three are known.
    void computeWatts();

    /// Text of a capacity with its unit ("%lld mAh" or "%lld %%"), "-" when empty.
    static QString capacityText(std::optional<std::int64_t> value, const char *format);

    void encodeFields(platform::KeyedEncoder &encoder) const;
    /// Throws platform::DecodingError on a missing "cellVoltages" or a value of the wrong type.
    void decodeFields(const platform::KeyedDecoder &decoder);

private:
    std::optional<QString> m_name;
    std::optional<QString> m_serial;
    std::optional<std::int64_t> m_timeToFull;
    std::optional<std::int64_t> m_timeToEmpty;
    std::optional<std::int64_t> m_averageTimeToEmpty;
    std::optional<QString> m_manufacturer;
    std::optional<QDateTime> m_manufactureDate;
    std::optional<std::int64_t> m_currentCapacity;
    std::optional<std::int64_t> m_maxCapacity;
    std::optional<std::int64_t> m_designCapacity;
    std::optional<std::int64_t> m_connectedPowerSupply;
    std::optional<ChargerData> m_chargerData;
    std::optional<LifetimeData> m_lifetimeData;
    std::vector<float> m_cellVoltages;
    std::optional<std::int64_t> m_cycleCount;
    std::optional<std::int64_t> m_designCycleCount;
    std::optional<bool> m_acPowered;
    std::optional<bool> m_isCharging;
    std::optional<bool> m_isCharged;
    std::optional<std::int64_t> m_amperage;
    std::optional<double> m_voltage;
    std::optional<double> m_watts;
    std::optional<double> m_temperature;
    std::optional<BatteryCondition> m_condition;
    std::optional<AdapterDetails> m_adapter;
};

} // namespace ammerl

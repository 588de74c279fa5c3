#pragma once

#include <QString>

#include <array>

namespace platform {
class Bundle;
}

namespace ammerl {

/// Every value a battery page could show, in display order.
enum class BatteryKey {
    timeToFull,
    timeToEmpty,
    averageTimeToEmpty,
    cellVoltages,
    manufacturer,
    manufactureDate,
    designCapacity,
    maxCapacity,
    currentCapacity,
    cycleCount,
    designCycleCount,
    acPowered,
    isCharging,
    isCharged,
    amperage,
    voltage,
    watts,
    health,
    temperature,
    charge,
    condition,
    connectedPowerSupply,
    dischargeRate,
    chargeRate,
    chargingVoltage,
    vacVoltageLimit,
    chargingCurrent,
    adapter,
    serial,
    description,
    name,
    isWireless,
    hardwareVersion,
};

/// All keys in declaration order.
const std::array<BatteryKey, 33> &allBatteryKeys();

/// The localisation key of a battery key ("TIME_UNTIL_EMPTY" for timeToEmpty, and so on).
QString localizationKey(BatteryKey key);

/// The localised title, from the Ammerl resource bundle (found once per process; a missing bundle
/// stops the program).
QString title(BatteryKey key);
/// The same lookup in a given bundle; a key the bundle lacks gives the key text itself.
QString title(BatteryKey key, const platform::Bundle &bundle);

} // namespace ammerl

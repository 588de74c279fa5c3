#include "ammerl/batterykey.h"

#include "ammerl/resources.h"

namespace ammerl {

const std::array<BatteryKey, 33> &allBatteryKeys()
{
    using K = BatteryKey;
    static const std::array<BatteryKey, 33> keys { K::timeToFull, K::timeToEmpty, K::averageTimeToEmpty,
        K::cellVoltages, K::manufacturer, K::manufactureDate, K::designCapacity, K::maxCapacity, K::currentCapacity,
        K::cycleCount, K::designCycleCount, K::acPowered, K::isCharging, K::isCharged, K::amperage, K::voltage,
        K::watts, K::health, K::temperature, K::charge, K::condition, K::connectedPowerSupply, K::dischargeRate,
        K::chargeRate, K::chargingVoltage, K::vacVoltageLimit, K::chargingCurrent, K::adapter, K::serial,
        K::description, K::name, K::isWireless, K::hardwareVersion };
    return keys;
}

QString localizationKey(BatteryKey key)
{
    switch (key) {
    case BatteryKey::timeToFull:
        return QStringLiteral("TIME_TO_FULL");
    case BatteryKey::timeToEmpty:
        return QStringLiteral("TIME_UNTIL_EMPTY");
    case BatteryKey::averageTimeToEmpty:
        return QStringLiteral("AVG_TIME_TO_EMPTY");
    case BatteryKey::cellVoltages:
        return QStringLiteral("CELL_VOLTAGES");
    case BatteryKey::manufacturer:
        return QStringLiteral("MANUFACTURER");
    case BatteryKey::manufactureDate:
        return QStringLiteral("MANUFACTURE_DATE");
    case BatteryKey::designCapacity:
        return QStringLiteral("DESIGN_CAPACITY");
    case BatteryKey::maxCapacity:
        return QStringLiteral("MAX_CAPACITY");
    case BatteryKey::currentCapacity:
        return QStringLiteral("CURRENT_CAPACITY");
    case BatteryKey::cycleCount:
        return QStringLiteral("CYCLE_COUNT");
    case BatteryKey::designCycleCount:
        return QStringLiteral("DESIGN_CYCLE_COUNT");
    case BatteryKey::acPowered:
        return QStringLiteral("AC_POWERED");
    case BatteryKey::isCharging:
        return QStringLiteral("IS_CHARGING");
    case BatteryKey::isCharged:
        return QStringLiteral("IS_CHARGED");
    case BatteryKey::amperage:
        return QStringLiteral("AMPERAGE");
    case BatteryKey::voltage:
        return QStringLiteral("VOLTAGE");
    case BatteryKey::watts:
        return QStringLiteral("WATTS");
    case BatteryKey::health:
        return QStringLiteral("HEALTH");
    case BatteryKey::temperature:
        return QStringLiteral("TEMPERATURE");
    case BatteryKey::charge:
        return QStringLiteral("CHARGE");
    case BatteryKey::condition:
        return QStringLiteral("CONDITION");
    case BatteryKey::connectedPowerSupply:
        return QStringLiteral("POWER_SUPPLY_WATTAGE");
    case BatteryKey::dischargeRate:
        return QStringLiteral("DISCHARGE_RATE");
    case BatteryKey::chargeRate:
        return QStringLiteral("CHARGE_RATE");
    case BatteryKey::chargingVoltage:
        return QStringLiteral("CHARGING_VOLTAGE");
    case BatteryKey::vacVoltageLimit:
        return QStringLiteral("VAC_VOLTAGE_LIMIT");
    case BatteryKey::chargingCurrent:
        return QStringLiteral("CHARGING_CURRENT");
    case BatteryKey::adapter:
        return QStringLiteral("ADAPTER");
    case BatteryKey::serial:
        return QStringLiteral("SERIAL_NUMBER");
    case BatteryKey::description:
        return QStringLiteral("DESCRIPTION");
    case BatteryKey::name:
        return QStringLiteral("NAME");
    case BatteryKey::isWireless:
        return QStringLiteral("IS_WIRELESS");
    case BatteryKey::hardwareVersion:
        return QStringLiteral("HARDWARE_VERSION");
    }
    return {};
}

QString title(BatteryKey key, const platform::Bundle &bundle)
{
    return bundle.localizedString(localizationKey(key));
}

QString title(BatteryKey key)
{
    return title(key, moduleBundle());
}

} // namespace ammerl

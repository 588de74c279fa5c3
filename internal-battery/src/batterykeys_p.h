#pragma once

#include <QString>

// Property names of the smart battery's registry entry and of its nested dictionaries.
namespace ammerl::key {

inline const QString kSerial = QStringLiteral("Serial");
inline const QString kManufacturer = QStringLiteral("Manufacturer");
inline const QString kManufactureDate = QStringLiteral("ManufactureDate");
inline const QString kTemperature = QStringLiteral("Temperature");
inline const QString kDesignCapacity = QStringLiteral("DesignCapacity");
inline const QString kMaxCapacity = QStringLiteral("MaxCapacity");
inline const QString kCurrentCapacity = QStringLiteral("CurrentCapacity");
inline const QString kAppleRawMaxCapacity = QStringLiteral("AppleRawMaxCapacity");
inline const QString kAppleRawCurrentCapacity = QStringLiteral("AppleRawCurrentCapacity");
inline const QString kCycleCount = QStringLiteral("CycleCount");
inline const QString kDesignCycleCount = QStringLiteral("DesignCycleCount9C");
inline const QString kAmperage = QStringLiteral("Amperage");
inline const QString kVoltage = QStringLiteral("Voltage");
inline const QString kAvgTimeToEmpty = QStringLiteral("AvgTimeToEmpty");
inline const QString kChargerData = QStringLiteral("ChargerData");
inline const QString kAppleRawAdapterDetails = QStringLiteral("AppleRawAdapterDetails");
inline const QString kBatteryData = QStringLiteral("BatteryData");
inline const QString kLifetimeData = QStringLiteral("LifetimeData");
inline const QString kCellVoltage = QStringLiteral("CellVoltage");

} // namespace ammerl::key

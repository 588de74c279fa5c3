#pragma once

#include <QString>
#include <QStringList>

namespace fennic {

/// Two lists of peripheral identifiers kept in the standard user defaults across runs: peripherals found
/// without a Battery service, and peripherals to connect when they advertise. Each list is read from the
/// defaults once per process, on first use; every write replaces both the stored and the in-memory list.
/// Main thread only.
class LowEnergyPersistency {
public:
    LowEnergyPersistency() = delete;

    inline static const QString noBatteryServiceDevicesKey = QStringLiteral("NoBatteryServiceDevices");
    inline static const QString monitoredDevicesKey = QStringLiteral("MonitoredDevicesKey");

    static QStringList noBatteryServiceDevices();
    static void setNoBatteryServiceDevices(const QStringList &identifiers);
    static QStringList monitoredDevices();
    static void setMonitoredDevices(const QStringList &identifiers);

    /// Appends the identifier, unless present, to the list the file holds when it is written (an entry
    /// another program stored meanwhile stays); the in-memory list becomes the stored one.
    static void addNoBatteryServiceDevice(const QString &identifier);
    static void addMonitoredDevice(const QString &identifier);
    /// Removes every entry equal to the identifier from the stored list, as adding does.
    static void removeMonitoredDevice(const QString &identifier);
    /// Whether the in-memory monitored list holds the identifier.
    static bool isMonitored(const QString &identifier);
};

} // namespace fennic

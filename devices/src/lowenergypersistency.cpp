#include "fennic/lowenergypersistency.h"

#include "platform/core/userdefaults.h"

#include <optional>

namespace fennic {

namespace {
    std::optional<QStringList> s_noBatteryService;
    std::optional<QStringList> s_monitored;

    // An array of texts is the list; a missing value or anything else reads as empty.
    QStringList stored(const QString &key)
    {
        return platform::UserDefaults::standard().stringArray(key).value_or(QStringList());
    }

    void store(const QString &key, const QStringList &list, std::optional<QStringList> &memory)
    {
        platform::Value::Array array;
        for (const QString &s : list)
            array.emplace_back(s);
        platform::UserDefaults::standard().set(key, platform::Value(std::move(array)));
        memory = list;
    }

    QStringList loaded(const QString &key, std::optional<QStringList> &memory)
    {
        if (!memory)
            memory = stored(key);
        return *memory;
    }
}

QStringList LowEnergyPersistency::noBatteryServiceDevices()
{
    return loaded(noBatteryServiceDevicesKey, s_noBatteryService);
}

void LowEnergyPersistency::setNoBatteryServiceDevices(const QStringList &identifiers)
{
    store(noBatteryServiceDevicesKey, identifiers, s_noBatteryService);
}

QStringList LowEnergyPersistency::monitoredDevices() { return loaded(monitoredDevicesKey, s_monitored); }

void LowEnergyPersistency::setMonitoredDevices(const QStringList &identifiers)
{
    store(monitoredDevicesKey, identifiers, s_monitored);
}

void LowEnergyPersistency::addNoBatteryServiceDevice(const QString &identifier)
{
    QStringList list = stored(noBatteryServiceDevicesKey);
    if (!list.contains(identifier))
        list.append(identifier);
    store(noBatteryServiceDevicesKey, list, s_noBatteryService);
}

void LowEnergyPersistency::addMonitoredDevice(const QString &identifier)
{
    QStringList list = stored(monitoredDevicesKey);
    if (!list.contains(identifier))
        list.append(identifier);
    store(monitoredDevicesKey, list, s_monitored);
}

void LowEnergyPersistency::removeMonitoredDevice(const QString &identifier)
{
    QStringList list = stored(monitoredDevicesKey);
    list.removeAll(identifier);
    store(monitoredDevicesKey, list, s_monitored);
}

bool LowEnergyPersistency::isMonitored(const QString &identifier) { return monitoredDevices().contains(identifier); }

} // namespace fennic

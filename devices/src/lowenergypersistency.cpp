#include "fennic/lowenergypersistency.h"

#include "platform/core/userdefaults.h"

#include <algorithm>
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

    // One entry added or removed on the list the file holds when it is written, so an entry another
    // program stored meanwhile stays.
    void edit(const QString &key, const QString &identifier, bool add, std::optional<QStringList> &memory)
    {
        auto &defaults = platform::UserDefaults::standard();
        defaults.update(key, [identifier, add](const std::optional<platform::Value> &stored) {
            platform::Value::Array array;
            if (const auto *list = stored ? stored->toArray() : nullptr)
                array = *list;
            const platform::Value entry(identifier);
            if (!add)
                std::erase(array, entry);
            else if (std::find(array.begin(), array.end(), entry) == array.end())
                array.push_back(entry);
            return std::optional<platform::Value>(platform::Value(std::move(array)));
        });
        memory = stored(key);
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
    edit(noBatteryServiceDevicesKey, identifier, true, s_noBatteryService);
}

void LowEnergyPersistency::addMonitoredDevice(const QString &identifier)
{
    edit(monitoredDevicesKey, identifier, true, s_monitored);
}

void LowEnergyPersistency::removeMonitoredDevice(const QString &identifier)
{
    edit(monitoredDevicesKey, identifier, false, s_monitored);
}

bool LowEnergyPersistency::isMonitored(const QString &identifier) { return monitoredDevices().contains(identifier); }

} // namespace fennic

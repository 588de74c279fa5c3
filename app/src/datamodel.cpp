#include "quenby/datamodel.h"

#include "localization_p.h"
#include "quenby/settings.h"

#include <ammerl/internalbattery.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/singlebatterydevice.h>
#include <tavrin/notifications.h>

#include <QStringList>

#include <algorithm>

namespace quenby {

namespace {
    std::uint8_t nextMultipleOfFive(std::uint8_t level)
    {
        const int rounded = (level + 4) / 5 * 5;
        return static_cast<std::uint8_t>(std::clamp(rounded, 5, 255));
    }

    // The level the alerts go by: the only one, or the lower of two; empty when not known.
    std::optional<std::uint8_t> alertingLevel(const fennic::BatteryDevice &device)
    {
        if (dynamic_cast<const fennic::SingleBatteryDevice *>(&device))
            return device.batteryLevel();
        if (const auto *pair = dynamic_cast<const fennic::DoubleBatteryDevice *>(&device)) {
            if (pair->firstLevel() && pair->secondLevel())
                return std::min(*pair->firstLevel(), *pair->secondLevel());
        }
        return std::nullopt;
    }

    bool isLow(std::optional<std::uint8_t> level, std::uint8_t alertLevel)
    {
        // An empty reading (0) is never taken for a low battery.
        return level && *level >= 1 && *level <= alertLevel;
    }
}

DataModel::DataModel(Deliver deliver)
    : m_deliver(std::move(deliver))
{
    if (!m_deliver)
        m_deliver = [](const QString &title, const QString &body) { tavrin::Notifications::deliver(title, body); };
}

bool DataModel::allDevicesIgnored() const
{
    const auto &ignored = Settings::ignoredDevices();
    return std::all_of(
        m_devices.begin(), m_devices.end(), [&ignored](const auto &entry) { return ignored.contains(entry.first); });
}

void DataModel::update(const DeviceList &devices)
{
    QStringList before;
    for (const auto &entry : m_devices)
        before.append(entry.first);
    QStringList after;
    for (const auto &device : devices)
        after.append(device->serial());
    before.sort();
    after.sort();
    const bool same = before == after;

    // Both lists are sorted: one walk finds the devices that left.
    auto next = after.cbegin();
    for (const auto &identifier : std::as_const(before)) {
        next = std::lower_bound(next, after.cend(), identifier);
        if (next == after.cend() || *next != identifier)
            m_lowBatteryAlerted.erase(identifier);
    }

    m_devices.clear();
    for (const auto &device : devices) {
        m_devices[device->serial()] = device;
        checkLowBattery(*device);
    }

    if (m_firstRefresh || !same) {
        m_firstRefresh = false;
        tavrin::Notifications::post(QString::fromLatin1(kDevicesChanged));
    }
}

void DataModel::checkInternalBattery(const ammerl::InternalBattery &battery)
{
    if (!Settings::enableNotifications())
        return;
    const auto charge = battery.charge();
    if (!charge)
        return;
    if (*charge > Settings::threshold()) {
        m_internalBatteryAlerted = false;
        return;
    }
    if (m_internalBatteryAlerted)
        return;
    m_deliver(
        localized(QStringLiteral("LOW_BATTERY")), localized(QStringLiteral("LOW_BATTERY_TEXT_INTERNAL")).arg(*charge));
    m_internalBatteryAlerted = true;
}

std::uint8_t DataModel::alertLevel(const fennic::BatteryDevice &device) const
{
    if (const auto it = m_lowBatteryAlerted.find(device.serial()); it != m_lowBatteryAlerted.end())
        return it->second < 6 ? it->second : static_cast<std::uint8_t>(it->second - 5);
    const auto threshold = Settings::threshold();
    const auto level = alertingLevel(device);
    if (!level || threshold < *level)
        return threshold;
    // Rounding up (not to the next multiple above) makes a reading that lands exactly on a step
    // alert once, not again on the following refresh.
    return nextMultipleOfFive(*level);
}

void DataModel::checkLowBattery(const fennic::BatteryDevice &device)
{
    if (!Settings::enableNotifications())
        return;
    const auto alert = alertLevel(device);

    bool due = false;
    QString side;
    if (dynamic_cast<const fennic::SingleBatteryDevice *>(&device)) {
        due = isLow(device.batteryLevel(), alert);
    } else if (const auto *pair = dynamic_cast<const fennic::DoubleBatteryDevice *>(&device)) {
        if (pair->firstLevel() && pair->secondLevel()) {
            due = isLow(pair->firstLevel(), alert) || isLow(pair->secondLevel(), alert);
            side = localized(*pair->firstLevel() > alert ? QStringLiteral("RIGHT") : QStringLiteral("LEFT"));
        }
    }

    const auto level = alertingLevel(device);
    const auto stored = m_lowBatteryAlerted.find(device.serial());
    if (due && !device.isCharging()) {
        if (stored != m_lowBatteryAlerted.end() && stored->second == alert)
            return;
        m_lowBatteryAlerted[device.serial()] = alert;
        // One pass over both arguments: a name holding "%2" must stay as it is.
        m_deliver(localized(QStringLiteral("LOW_BATTERY")),
            localized(QStringLiteral("LOW_BATTERY_TEXT")).arg(device.name() + side, QString::number(*level)));
        return;
    }
    if (level && stored != m_lowBatteryAlerted.end() && stored->second < *level)
        m_lowBatteryAlerted.erase(stored);
}

} // namespace quenby

#include "quenby/controller.h"

#include "quenby/datamodel.h"
#include "quenby/observer.h"

#include <ammerl/internalfinder.h>
#include <dorsk/helperdatamodel.h>
#include <dorsk/helpernotifications.h>
#include <dorsk/sentrel.h>
#include <fennic/bluetoothfinder.h>
#include <fennic/lowenergyfinder.h>
#include <olvane/autostartcontrollerfactory.h>
#include <olvane/distributednotifications.h>
#include <olvane/menubaritemcontroller.h>
#include <platform/core/bundle.h>

#include <QSet>

#include <algorithm>
#include <cmath>

namespace quenby {

Controller::Controller(Collaborators collaborators)
    : m_bluetoothFinder(std::move(collaborators.bluetoothFinder))
    , m_internalFinder(std::move(collaborators.internalFinder))
    , m_lowEnergyFinder(std::move(collaborators.lowEnergyFinder))
    , m_helper(std::move(collaborators.helper))
    , m_autoStart(std::move(collaborators.autoStart))
    , m_model(std::move(collaborators.model))
    , m_helperRunning(std::move(collaborators.helperRunning))
    , m_menuBar(std::move(collaborators.menuBar))
    , m_consumption(kSampleCount)
    , m_acConsumption(kSampleCount)
{
    if (!m_model)
        m_model = std::make_unique<DataModel>();
    if (!m_bluetoothFinder)
        m_bluetoothFinder = std::make_unique<fennic::BluetoothFinder>();
    if (!m_internalFinder)
        m_internalFinder = std::make_unique<ammerl::InternalFinder>();
    if (!m_lowEnergyFinder)
        m_lowEnergyFinder = std::make_unique<fennic::LowEnergyFinder>();
    if (!m_helper)
        m_helper = std::make_unique<dorsk::HelperDataModel>();
    if (!m_menuBar)
        m_menuBar = std::make_unique<olvane::MenuBarItemController>();
    if (!m_helperRunning)
        m_helperRunning = [] { return dorsk::Sentrel::isRunning(); };
    if (!m_autoStart) {
        const QString identifier = platform::Bundle::main().bundleIdentifier();
        m_autoStart
            = olvane::makeAutoStartController(identifier.isEmpty() ? std::nullopt : std::optional<QString>(identifier),
                QString::fromLatin1(kStarterIdentifier));
    }
    m_autoStart->takeOverFromLauncher();
}

Controller::~Controller() = default;

void Controller::refresh()
{
    m_lowEnergyFinder->refresh();
    m_bluetoothFinder->refresh();
    m_internalBattery = m_internalFinder->find();

    const DeviceList merged = mergedDevices(m_helperRunning());
    if (m_internalBattery)
        m_model->checkInternalBattery(*m_internalBattery);
    m_model->update(merged);
    sampleConsumption();

    // A page may leave the list while it is told (it disappears); tell those registered now.
    const auto observers = m_observers;
    for (auto *observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            observer->update();
    }
}

DeviceList Controller::mergedDevices(bool helperRunning)
{
    const DeviceList &classic = m_bluetoothFinder->devices();
    DeviceList lowEnergy;
    for (const auto &device : m_lowEnergyFinder->devices()) {
        if (device->isConnected())
            lowEnergy.push_back(device);
    }

    DeviceList merged = classic;
    merged.insert(merged.end(), lowEnergy.begin(), lowEnergy.end());
    if (!helperRunning)
        return merged;

    // What is read now answers an earlier request; this one is answered by the next refresh.
    olvane::DistributedNotifications::post(dorsk::HelperNotifications::requestBatteries);
    const auto singles = m_helper->singleBatteryDevices().value_or(dorsk::SingleBatteryDevices {});
    const auto doubles = m_helper->doubleBatteryDevices().value_or(dorsk::DoubleBatteryDevices {});

    // Serials and names compare without regard to case; the finders' ones are gathered once, so the
    // merge stays linear in the number of devices.
    QSet<QString> serials;
    QSet<QString> lowEnergyNames;
    for (const auto &device : classic)
        serials.insert(device->serial().toLower());
    for (const auto &device : lowEnergy) {
        serials.insert(device->serial().toLower());
        lowEnergyNames.insert(device->name().toLower());
    }
    for (const auto &device : singles) {
        if (!serials.contains(device->serial().toLower()) && !lowEnergyNames.contains(device->name().toLower()))
            merged.push_back(device);
    }
    for (const auto &device : doubles) {
        if (!serials.contains(device->serial().toLower()))
            merged.push_back(device);
    }
    return merged;
}

void Controller::sampleConsumption()
{
    if (!m_internalBattery)
        return;
    const auto amperage = m_internalBattery->amperage();
    const auto voltage = m_internalBattery->voltage();
    const auto charging = m_internalBattery->isCharging();
    if (!amperage || !voltage || !charging)
        return;

    const double power = std::abs(static_cast<double>(*amperage) * *voltage / 1000.0);
    m_maxConsumption = std::max(m_maxConsumption, power);
    if (*charging) {
        m_consumption.append(std::nullopt);
        m_acConsumption.append(kChargingMarker);
    } else {
        m_consumption.append(power);
        m_acConsumption.append(std::nullopt);
    }
}

void Controller::addObserver(Observer *observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Controller::removeObserver(Observer *observer) { std::erase(m_observers, observer); }

} // namespace quenby

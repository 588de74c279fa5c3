#pragma once

#include "quenby/icontroller.h"

#include <ammerl/internalfinder.h>
#include <dorsk/ihelperdatamodel.h>
#include <fennic/ibluetoothfinder.h>
#include <fennic/ilowenergyfinder.h>
#include <olvane/iautostartcontroller.h>
#include <olvane/imenubaritemcontroller.h>

#include <QString>

#include <functional>
#include <memory>

namespace quenby {

/// The one core object of the application: owns every source of devices, start at login and the
/// data model, and polls the sources on each refresh (every 2.0 seconds, and after a wake).
///
/// A refresh reads the registry finder, the connected Low Energy devices and, while the helper
/// application runs, the batteries it stored last (asking it for fresh ones for next time); helper
/// devices that duplicate one the computer sees itself are dropped. The merged list goes to the data
/// model, the computer's battery gives one power sample, and the observers are told. Main thread only.
class Controller final : public IController {
public:
    /// Bundle identifier of the login-item launcher.
    static constexpr auto kStarterIdentifier = "com.velmorn.quenbylauncher";
    /// Samples kept: two hours at one per refresh.
    static constexpr std::size_t kSampleCount = 3600;
    /// The marker a charging refresh puts into acConsumption.
    static constexpr double kChargingMarker = 8192.0;

    /// What the controller works with. An empty member is replaced by the real one on the current
    /// platform backends (registry, power sources, Bluetooth central, helper suite, login items).
    struct Collaborators {
        std::unique_ptr<fennic::IBluetoothFinder> bluetoothFinder;
        std::unique_ptr<ammerl::IInternalFinder> internalFinder;
        std::unique_ptr<fennic::ILowEnergyFinder> lowEnergyFinder;
        std::unique_ptr<dorsk::IHelperDataModel> helper;
        /// The status items; the default puts its main item on the process's status bar.
        std::unique_ptr<olvane::IMenuBarItemController> menuBar;
        std::unique_ptr<olvane::IAutoStartController> autoStart;
        std::unique_ptr<IDataModel> model;
        /// Whether the helper application runs (default: asked of the running applications).
        std::function<bool()> helperRunning;
    };

    /// Builds the missing collaborators in the order registry finder, internal finder, Low Energy
    /// finder, helper store, status items, start at login; then hands over from the launcher at once.
    explicit Controller(Collaborators collaborators = {});
    ~Controller() override;
    Controller(const Controller &) = delete;
    Controller &operator=(const Controller &) = delete;

    ammerl::IInternalFinder &internalFinder() const override { return *m_internalFinder; }
    olvane::IAutoStartController &autoStart() const override { return *m_autoStart; }
    const std::vector<Observer *> &observers() const override { return m_observers; }
    IDataModel &model() const override { return *m_model; }
    olvane::IMenuBarItemController &menuBar() const override { return *m_menuBar; }
    const ammerl::InternalBattery *internalBattery() const override { return m_internalBattery.get(); }
    const SampleRing &consumption() const override { return m_consumption; }
    const SampleRing &acConsumption() const override { return m_acConsumption; }
    double maxConsumption() const override { return m_maxConsumption; }

    fennic::IBluetoothFinder &bluetoothFinder() const { return *m_bluetoothFinder; }
    fennic::ILowEnergyFinder &lowEnergyFinder() const { return *m_lowEnergyFinder; }
    dorsk::IHelperDataModel &helper() const { return *m_helper; }

    void refresh() override;
    void addObserver(Observer *observer) override;
    void removeObserver(Observer *observer) override;

    /// One power sample of the computer's battery; nothing unless amperage, voltage and the charging
    /// state are all known.
    void sampleConsumption();

private:
    /// The devices one refresh hands to the data model: the registry's, then the connected Low Energy
    /// ones, then the helper's that are not already among them.
    DeviceList mergedDevices(bool helperRunning);

    std::unique_ptr<fennic::IBluetoothFinder> m_bluetoothFinder;
    std::unique_ptr<ammerl::IInternalFinder> m_internalFinder;
    std::unique_ptr<fennic::ILowEnergyFinder> m_lowEnergyFinder;
    std::unique_ptr<dorsk::IHelperDataModel> m_helper;
    std::unique_ptr<olvane::IAutoStartController> m_autoStart;
    std::vector<Observer *> m_observers;
    std::unique_ptr<IDataModel> m_model;
    std::function<bool()> m_helperRunning;
    std::unique_ptr<olvane::IMenuBarItemController> m_menuBar;
    std::unique_ptr<ammerl::InternalBattery> m_internalBattery;
    SampleRing m_consumption;
    SampleRing m_acConsumption;
    double m_maxConsumption = 0;
};

} // namespace quenby

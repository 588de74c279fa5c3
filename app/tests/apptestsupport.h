#pragma once

// A running application on in-memory backends, for tests of the status items, the status menu and
// the refresh cycle: a listed registry finder, the real Low Energy finder on a scripted radio, a fixed
// computer battery, the helper's store, a status bar of its own and fresh settings.

#include "../../mac-services/tests/quietautostart.h"
#include "../../platform/bluetooth/tests/centraltestsupport.h"
#include "quenby/appdelegate.h"
#include "quenby/controller.h"
#include "quenby/doublebatteryviewcontroller.h"
#include "quenby/settings.h"
#include "quenby/singlebatteryviewcontroller.h"
#include "quenby/statusdot.h"

#include <ammerl/appleinternalbattery.h>
#include <ammerl/internalfinder.h>
#include <dorsk/memoryhelperdatamodel.h>
#include <fennic/bluetoothfinder.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/ibluetoothfinder.h>
#include <fennic/iokitcontroller.h>
#include <fennic/lowenergyfinder.h>
#include <fennic/lowenergypersistency.h>
#include <fennic/singlebatterydevice.h>
#include <olvane/imenubaritemcontroller.h>
#include <olvane/menubaritem.h>
#include <platform/core/bundle.h>
#include <platform/core/clock.h>
#include <platform/core/mainqueue.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/memorydistributednotificationcenter.h>
#include <platform/desktop/memoryworkspace.h>
#include <platform/desktop/workspace.h>
#include <platform/registry/memoryregistry.h>
#include <platform/ui/imageview.h>
#include <platform/ui/menu.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/textfield.h>

#include <QTemporaryDir>

#include <chrono>
#include <functional>

namespace apptest {

using namespace std::chrono_literals;

/// A registry finder whose findings the test sets; each refresh makes new records from `make`.
class ListBluetoothFinder final : public fennic::IBluetoothFinder {
public:
    const std::vector<std::shared_ptr<fennic::BatteryDevice>> &devices() const override { return m_devices; }
    void refresh() override { m_devices = make ? make() : std::vector<std::shared_ptr<fennic::BatteryDevice>>(); }
    std::vector<std::shared_ptr<fennic::BatteryDevice>> findDevices() override { return m_devices; }

    std::function<std::vector<std::shared_ptr<fennic::BatteryDevice>>()> make;

private:
    std::vector<std::shared_ptr<fennic::BatteryDevice>> m_devices;
};

/// The computer's battery as the test sets it; none when empty.
class FixedInternalFinder final : public ammerl::IInternalFinder {
public:
    bool batteryPresent() override { return battery.has_value(); }
    std::unique_ptr<ammerl::InternalBattery> find() override
    {
        return battery ? std::make_unique<ammerl::AppleInternalBattery>(*battery) : nullptr;
    }
    std::optional<ammerl::AppleInternalBattery> battery;
};

using olvane::QuietAutoStart;

inline ammerl::AppleInternalBattery battery(std::int64_t charge, bool charging = false)
{
    ammerl::AppleInternalBattery b;
    b.setName(QStringLiteral("InternalBattery-0"));
    b.setCurrentCapacity(charge);
    b.setMaxCapacity(100);
    b.setCharging(charging);
    b.setTimeToEmpty(charging ? std::nullopt : std::optional<std::int64_t>(185));
    return b;
}

inline std::shared_ptr<fennic::SingleBatteryDevice> single(
    const QString &name, const QString &serial, std::uint8_t level, const QString &type = QStringLiteral("Keyboard"))
{
    return std::make_shared<fennic::SingleBatteryDevice>(name, serial, 0x004c, 1, level, type);
}

inline std::shared_ptr<fennic::DoubleBatteryDevice> pair(
    const QString &name, const QString &serial, std::optional<std::uint8_t> first, std::optional<std::uint8_t> second)
{
    return std::make_shared<fennic::DoubleBatteryDevice>(name, serial, 0x004c, 2, first, second);
}

inline const QUuid kPeripheral = QUuid::fromString(QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"));
inline const QString kPeripheralSerial = QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");
inline const QString kKeyboard = QStringLiteral("AA-00-00-00-00-01");
inline const QString kPods = QStringLiteral("AA-00-00-00-00-02");
inline const QString kInternal = QStringLiteral("internal");

inline QString dot(const platform::ui::ImageView &icon)
{
    if (!icon.image())
        return QStringLiteral("none");
    if (icon.image()->isSameObject(quenby::StatusDot::available()))
        return QStringLiteral("green");
    if (icon.image()->isSameObject(quenby::StatusDot::unavailable()))
        return QStringLiteral("red");
    return QStringLiteral("other");
}

// The menu as text: "-" for a separator, the title of a plain row ("(off)" when it cannot be chosen),
// and for a device row what it shows: name, level(s) and the colour of its dot.
inline QStringList describe(const quenby::AppDelegate &delegate)
{
    QStringList rows;
    std::size_t next = 0;
    for (platform::ui::MenuItem *item : delegate.menu()->items()) {
        if (item->isSeparatorItem()) {
            rows << QStringLiteral("-");
        } else if (item->view()) {
            const auto &controller = delegate.menuViewControllers().at(next++);
            if (controller->view() != item->view())
                rows << QStringLiteral("a row out of its controllers' order");
            if (auto *row = dynamic_cast<quenby::SingleBatteryViewController *>(controller.get())) {
                rows << QStringLiteral("%1 %2 %3")
                            .arg(row->nameField()->stringValue(), row->batteryField()->stringValue(),
                                dot(*row->statusIcon()));
            } else if (auto *pairRow = dynamic_cast<quenby::DoubleBatteryViewController *>(controller.get())) {
                rows << QStringLiteral("%1 %2 %3 %4")
                            .arg(pairRow->nameField()->stringValue(), pairRow->left()->stringValue(),
                                pairRow->right()->stringValue(), dot(*pairRow->statusIcon()));
            }
        } else {
            rows << item->title() + (item->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
    }
    return rows;
}

/// The represented object of a status item as text ("" for none).
inline QString identifierOf(const olvane::MenuBarItem &item)
{
    const QVariant object = item.representedObject();
    return object.isValid() ? object.toString() : QString();
}

/// The machine's own readers on these backends: the registry finder and the internal finder themselves.
struct MachineReaders {
    platform::Registry &registry;
    platform::PowerSources &sources;
};

struct AppRig {
    platform::ScopedUserDefaultsDirectory defaults;
    platform::ManualClock clock;
    platform::ScopedClock useClock { clock };
    platform::ui::ScopedAppearance light { platform::ui::Appearance::aqua() };
    platform::MemoryDistributedNotificationCenter distributed;
    platform::ScopedDistributedNotificationCenter useDistributed { distributed };
    platform::MemoryWorkspace workspace;
    platform::ScopedWorkspace useWorkspace { workspace };
    QTemporaryDir applications;
    platform::ScopedApplicationsFolder useApplications { applications.path() };
    platform::MemoryRegistry registry;
    platform::MemoryCentral central;
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };

    /// The scripted finders; none when the rig reads a machine.
    ListBluetoothFinder *bluetooth = nullptr;
    FixedInternalFinder *internal = nullptr;
    /// The registry's accessories of the next refreshes.
    std::function<std::vector<std::shared_ptr<fennic::BatteryDevice>>()> accessories;
    std::unique_ptr<quenby::AppDelegate> delegate;

    /// `settings` runs on fresh defaults before anything reads them; the first-start hint counts as shown.
    /// The Low Energy finder uses `radio` when given (it must outlive the rig), else the scripted one.
    /// With `machine` the registry's accessories and the computer's battery are read from it.
    explicit AppRig(const std::function<void()> &settings = {}, platform::Central *radio = nullptr,
        const MachineReaders *machine = nullptr)
    {
        platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kWasStartedKey), true);
        quenby::Settings::reload();
        if (settings)
            settings();
        fennic::LowEnergyPersistency::setNoBatteryServiceDevices({});
        fennic::LowEnergyPersistency::setMonitoredDevices({});

        quenby::Controller::Collaborators parts;
        if (machine) {
            parts.bluetoothFinder = std::make_unique<fennic::BluetoothFinder>(machine->registry);
            parts.internalFinder = std::make_unique<ammerl::InternalFinder>(machine->registry, machine->sources);
        } else {
            auto bt = std::make_unique<ListBluetoothFinder>();
            bluetooth = bt.get();
            bluetooth->make = [this] {
                return accessories ? accessories() : std::vector<std::shared_ptr<fennic::BatteryDevice>>();
            };
            parts.bluetoothFinder = std::move(bt);
            auto in = std::make_unique<FixedInternalFinder>();
            internal = in.get();
            parts.internalFinder = std::move(in);
        }
        parts.lowEnergyFinder = std::make_unique<fennic::LowEnergyFinder>(radio ? *radio : central,
            std::make_unique<fennic::IOKitController>(machine ? machine->registry : registry));
        parts.helper = std::make_unique<dorsk::MemoryHelperDataModel>();
        parts.autoStart = std::make_unique<QuietAutoStart>();
        parts.helperRunning = [] { return false; };
        delegate = std::make_unique<quenby::AppDelegate>(std::make_unique<quenby::Controller>(std::move(parts)));
        platform::drain(central);
    }
    ~AppRig()
    {
        delegate.reset();
        platform::MainQueue::drain();
        quenby::Settings::reload();
    }

    /// The three accessories: a keyboard and earbuds in the registry, a connected Low Energy mouse.
    void addThreeAccessories(std::uint8_t keyboardLevel = 80)
    {
        accessories = [keyboardLevel] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Magic Keyboard"), kKeyboard, keyboardLevel),
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60),
            };
        };
        addPeripheral(QStringLiteral("Pebble Mouse"), 40);
    }

    void addPeripheral(const QString &name, std::uint8_t level)
    {
        const auto gatt
            = [](const char *text) { return platform::BluetoothUuid::fromString(QString::fromLatin1(text)); };
        central.addPeripheral(
            { kPeripheral, name, { { gatt("180F"), { { gatt("2A19"), QByteArray(1, char(level)) } } } }, true });
    }

    /// Launching, then one tick so the Low Energy finder's answers are in.
    void launch()
    {
        delegate->applicationDidFinishLaunching();
        platform::drain(central);
        tick();
    }

    /// One refresh of the delegate, with the radio's answers delivered.
    void tick()
    {
        clock.advance(2s);
        delegate->refresh();
        platform::drain(central);
    }

    quenby::IController &controller() const { return delegate->controller(); }
    olvane::IMenuBarItemController &menuBar() const { return controller().menuBar(); }

    QStringList identifiers() const
    {
        QStringList list;
        for (const auto &item : menuBar().items())
            list << identifierOf(*item);
        return list;
    }
    QList<double> lengths() const
    {
        QList<double> list;
        for (const auto &item : menuBar().items())
            list << item->length();
        return list;
    }
};

} // namespace apptest

#include "../../core/tests/testsupport.h"
#include "../src/hiddevice_p.h"
#include "../src/powersupply_p.h"
#include "platform/bluetooth/bluezcentral.h"
#include "platform/registry/sysfspowersources.h"
#include "platform/registry/sysfsregistry.h"
#include "sysfstree.h"

#include <QFile>
#include <QTest>

using platform::HidDevice;
using platform::RegistryEntry;
using platform::SysfsPowerSources;
using platform::SysfsRegistry;
using platform::Value;

namespace {
QString fixture(const QString &name) { return QStringLiteral(QUENBY_TEST_DATA "/sysfs/") + name; }

// The descriptions of a snapshot in list order; empty when there is no snapshot or list.
std::vector<Value> describeAll(SysfsPowerSources &sources)
{
    std::vector<Value> out;
    auto info = sources.copyInfo();
    if (!info)
        return out;
    const Value list = sources.list(*info);
    if (const auto *array = list.toArray()) {
        for (const Value &source : *array)
            out.push_back(sources.description(*info, source));
    }
    return out;
}

// Checks `actual` against `expected`, key by key: a null expected value means the key must be absent.
void compareKeys(const Value::Dictionary &actual, const Value::Dictionary &expected)
{
    for (const auto &[key, value] : expected) {
        const auto it = actual.find(key);
        if (value.isNull()) {
            QVERIFY2(it == actual.end(), qPrintable(key + QStringLiteral(" should be absent")));
        } else {
            QVERIFY2(it != actual.end(), qPrintable(key + QStringLiteral(" is missing")));
            QCOMPARE(it->second, value);
        }
    }
}

// Checks the machine's battery in `root` as the smart-battery entry (`battery`, whole and key by key; with its
// controller class unless that is empty) and as the one power source (`source`) give it.
void compareBattery(const QString &root, const Value &battery, const Value &source, const QString &controller = {})
{
    SysfsRegistry registry(root);
    const RegistryEntry entry = registry.firstMatchingService("AppleSmartBattery");
    QVERIFY(entry.isValid());
    compareKeys(*entry.properties(), *battery.toDictionary());
    for (const auto &[key, value] : *battery.toDictionary())
        QCOMPARE(entry.property(key).value_or(Value()), value);
    if (!controller.isEmpty())
        QCOMPARE(entry.parent().property("IOProviderClass").value_or(Value()), Value(controller));

    SysfsPowerSources sources(root);
    const auto described = describeAll(sources);
    QCOMPARE(described.size(), std::size_t(1));
    compareKeys(*described.front().toDictionary(), *source.toDictionary());
}

const QString kMouse = QStringLiteral("hid-dc:2c:26:0a:1b:3f-battery");
const QString kKeyboard = QStringLiteral("hid-f0:b3:ec:11:22:33-battery");
const QString kTrackpad = QStringLiteral("hid-CC2933200F1J0Q7AQ-battery");
const QString kReceiverMouse = QStringLiteral("hidpp_battery_0");

// The desktop tree: a Magic Mouse 2 through BlueZ, a gaming mouse behind its receiver, a game controller.
const QString kMagicMouse2 = QStringLiteral("hid-3c:a6:f6:41:7e:02-battery");
const QString kGamingMouse = QStringLiteral("hidpp_battery_1");
const QString kController = QStringLiteral("sony_controller_battery_a4:ae:12:9c:40:d1");

// The t480 tree: two batteries (BAT0 at 80 % carrying the load, BAT1 at 2.5 % idle) and a wireless
// headset whose battery hangs on its receiver's own HID device.
const QString kHeadset = QStringLiteral("hidpp_battery_0");
}

class SysfsRegistryTest : public QObject {
    Q_OBJECT
private slots:
    void smartBattery_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("controller");
        QTest::addColumn<Value>("properties");

        // Energy in µWh becomes mAh through the design voltage (11.58 V); the current is worked out
        // from power over voltage and is negative while discharging.
        QTest::newRow("energy, discharging")
            << "thinkpad"
            << "IOSMBusController"
            << Value(Value::Dictionary { { "DesignCapacity", 4924 }, { "MaxCapacity", 4372 },
                   { "CurrentCapacity", 2977 }, { "Voltage", 12088 }, { "Amperage", -649 }, { "CycleCount", 187 },
                   { "Serial", "2717" }, { "Manufacturer", "SMP" } });
        QTest::newRow("charge, charging")
            << "xps"
            << "IOSMBusController"
            << Value(Value::Dictionary { { "DesignCapacity", 7894 }, { "MaxCapacity", 7216 },
                   { "CurrentCapacity", 4329 }, { "Voltage", 8352 }, { "Amperage", 2418 }, { "CycleCount", 312 },
                   { "Serial", "3217" }, { "Manufacturer", "SMP" } });
        QTest::newRow("percentage only") << "pinephone"
                                         << "AppleSMC"
                                         << Value(Value::Dictionary { { "Voltage", 3912 }, { "Amperage", -342 } });
        // 160, 120 and 49.5 Wh at the first battery's 11.4 V; 9.6 W drawn from BAT0 at its 12 V; what has
        // no sum is BAT0's.
        QTest::newRow("two batteries as one")
            << "t480"
            << "IOSMBusController"
            << Value(Value::Dictionary { { "DesignCapacity", 14035 }, { "MaxCapacity", 10526 },
                   { "CurrentCapacity", 4342 }, { "Voltage", 12000 }, { "Amperage", -800 }, { "CycleCount", 214 },
                   { "Serial", "1337" }, { "Manufacturer", "SMP" } });
    }

    void smartBattery()
    {
        QFETCH(QString, tree);
        QFETCH(QString, controller);
        QFETCH(Value, properties);

        SysfsRegistry registry(fixture(tree));
        const RegistryEntry battery = registry.firstMatchingService("AppleSmartBattery");
        QVERIFY(battery.isValid());
        QVERIFY(battery.conformsTo("IOPMPowerSource"));
        QCOMPARE(Value(*battery.properties()), properties);
        // Asked key by key, the entry gives the same values.
        for (const auto &[key, value] : *properties.toDictionary())
            QCOMPARE(battery.property(key).value_or(Value()), value);
        QVERIFY(!battery.property("AppleRawMaxCapacity"));

        const RegistryEntry parent = battery.parent();
        QCOMPARE(parent.className(), QStringLiteral("AppleSmartBatteryManager"));
        QCOMPARE(parent.property("IOProviderClass").value_or(Value()), Value(controller));
        QVERIFY(!parent.parent().isValid());

        // The same entry keeps its id across queries.
        QCOMPARE(registry.firstMatchingService("AppleSmartBattery").entryId(), battery.entryId());
        QVERIFY(parent.entryId() != battery.entryId());
    }

    void powerSource_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<Value>("description");

        // 34.47 Wh at 7.85 W last 263 minutes; the battery holds 89 % of its design energy.
        QTest::newRow("on battery, adapter offline")
            << "thinkpad"
            << Value(Value::Dictionary { { "Name", "BAT0" }, { "Power Source State", "Battery Power" },
                   { "Current Capacity", 68 }, { "Max Capacity", 89 }, { "Is Charging", false },
                   { "Is Charged", false }, { "Time to Empty", 263 }, { "Time to Full Charge", 0 } });
        // 2.887 Ah missing at 2.418 A take 71 minutes; the USB-C source offers 20 V × 3.25 A.
        QTest::newRow("charging, adapters online")
            << "xps"
            << Value(Value::Dictionary { { "Name", "BAT0" }, { "Power Source State", "AC Power" },
                   { "Current Capacity", 60 }, { "Max Capacity", 91 }, { "Is Charging", true }, { "Is Charged", false },
                   { "Time to Empty", 0 }, { "Time to Full Charge", 71 }, { "Watts", 65 } });
        // Without a charge or energy reading no time can be estimated.
        // 48 + 1.5 of 60 + 60 Wh is 41 %; 49.5 Wh at 9.6 W last 309 minutes.
        QTest::newRow("two batteries as one")
            << "t480"
            << Value(Value::Dictionary { { "Name", "BAT0" }, { "Power Source State", "Battery Power" },
                   { "Current Capacity", 41 }, { "Max Capacity", 75 }, { "Is Charging", false },
                   { "Is Charged", false }, { "Time to Empty", 309 }, { "Time to Full Charge", 0 } });
        QTest::newRow("percentage only") << "pinephone"
                                         << Value(Value::Dictionary { { "Name", "axp20x-battery" },
                                                { "Power Source State", "Battery Power" }, { "Current Capacity", 83 },
                                                { "Is Charging", false }, { "Is Charged", false },
                                                { "Time to Empty", -1 }, { "Time to Full Charge", 0 },
                                                { "BatteryHealth", "Good" } });
    }

    void powerSource()
    {
        QFETCH(QString, tree);
        QFETCH(Value, description);

        SysfsPowerSources sources(fixture(tree));
        const auto described = describeAll(sources);
        QCOMPARE(described.size(), std::size_t(1));
        QCOMPARE(described.front(), description);
    }

    void snapshotKeepsItsReadings()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        SysfsPowerSources sources(tree.root());
        auto info = sources.copyInfo();
        QVERIFY(tree.change("class/power_supply/BAT0/capacity", "12"));

        const Value list = sources.list(*info);
        QCOMPARE(sources.description(*info, list.toArray()->front())["Current Capacity"], Value(68));
        QCOMPARE(describeAll(sources).front()["Current Capacity"], Value(12));
        // References that are not the snapshot's give nothing.
        QVERIFY(sources.description(*info, Value(1)).isNull());
        QVERIFY(sources.description(*info, Value("0")).isNull());
    }

    void batteriesCombined_data()
    {
        QTest::addColumn<QStringList>("changes"); // "<path below the root>=<content>"
        QTest::addColumn<Value>("battery"); // expected keys of the smart battery; null: absent
        QTest::addColumn<Value>("source"); // expected keys of the power-source description

        using D = Value::Dictionary;
        const QString bat0 = QStringLiteral("class/power_supply/BAT0/");
        const QString bat1 = QStringLiteral("class/power_supply/BAT1/");
        // 70.5 Wh missing at the 20 W BAT1 takes take 211 minutes; its current at 10.95 V leads.
        QTest::newRow("one charging, one discharging: charging")
            << QStringList { bat1 + "status=Charging", bat1 + "power_now=20000000" }
            << Value(D { { "Amperage", 1826 }, { "Voltage", 10950 } })
            << Value(D { { "Is Charging", true }, { "Time to Full Charge", 211 }, { "Time to Empty", 0 },
                   { "Current Capacity", 41 } });
        QTest::newRow("both full: charged") << QStringList { bat0 + "status=Full", bat0 + "energy_now=60000000",
            bat0 + "power_now=0", bat1 + "status=Full", bat1 + "energy_now=60000000", "class/power_supply/AC/online=1" }
                                            << Value(D { { "CurrentCapacity", 10526 } })
                                            << Value(D { { "Is Charged", true }, { "Is Charging", false },
                                                   { "Current Capacity", 100 }, { "Power Source State", "AC Power" } });
        // BAT1 counts charge: 131579 µAh, 5263158 µAh and 7017544 µAh are 1.5, 60 and 80 Wh at 11.4 V.
        QTest::newRow("one in charge, one in energy")
            << QStringList { bat1 + "energy_now=<remove>", bat1 + "energy_full=<remove>",
                   bat1 + "energy_full_design=<remove>", bat1 + "charge_now=131579", bat1 + "charge_full=5263158",
                   bat1 + "charge_full_design=7017544" }
            << Value(D { { "DesignCapacity", 14035 }, { "CurrentCapacity", 4342 } })
            << Value(D { { "Current Capacity", 41 }, { "Max Capacity", 75 }, { "Time to Empty", 309 } });
        QTest::newRow("one without amounts: percentages averaged")
            << QStringList { bat1 + "energy_now=<remove>", bat1 + "energy_full=<remove>",
                   bat1 + "energy_full_design=<remove>" }
            << Value(D { { "CurrentCapacity", Value() }, { "MaxCapacity", Value() } })
            << Value(D { { "Current Capacity", 41 }, { "Max Capacity", Value() } });
        QTest::newRow("a damaged battery speaks for both")
            << QStringList { bat1 + "health=Dead" } << Value(D {}) << Value(D { { "BatteryHealth", "Poor" } });
        QTest::newRow("second bay empty: the first alone")
            << QStringList { bat1 + "present=0" } << Value(D { { "CurrentCapacity", 4211 }, { "Amperage", -800 } })
            << Value(D { { "Current Capacity", 80 }, { "Time to Empty", 300 } });
    }

    void batteriesCombined()
    {
        QFETCH(QStringList, changes);
        QFETCH(Value, battery);
        QFETCH(Value, source);

        SysfsTree tree("t480");
        QVERIFY(tree.isValid());
        QCOMPARE(tree.apply(changes), QString());
        QCOMPARE(SysfsRegistry(tree.root()).firstMatchingService("AppleSmartBattery").name(), QStringLiteral("BAT0"));
        compareBattery(tree.root(), battery, source);
    }

    // The entry stands for the machine's batteries, whichever are there when it is read.
    void batteriesComeAndGo()
    {
        SysfsTree tree("t480");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        const RegistryEntry entry = registry.firstMatchingService("AppleSmartBattery");
        QCOMPARE(entry.property("CurrentCapacity").value_or(Value()), Value(4342));

        QVERIFY(QDir(QFileInfo(tree.supplyPath("BAT0")).canonicalFilePath()).removeRecursively());
        QCOMPARE(entry.name(), QStringLiteral("BAT1"));
        QCOMPARE(entry.property("CurrentCapacity").value_or(Value()), Value(132));
        QCOMPARE(entry.property("Serial").value_or(Value()), Value("2342"));
        QVERIFY(entry.parent().isValid());

        QVERIFY(tree.change("class/power_supply/BAT1/present", "0"));
        QVERIFY(!entry.properties());
        QVERIFY(!entry.parent().isValid());
    }

    void accessories_data()
    {
        QTest::addColumn<QString>("supply");
        QTest::addColumn<Value>("properties");
        QTest::addColumn<Value>("category"); // the grandparent's "Accessory Category"; null: none

        QTest::newRow("Bluetooth mouse") << kMouse
                                         << Value(Value::Dictionary { { "DeviceAddress", "dc:2c:26:0a:1b:3f" },
                                                { "BatteryPercent", 57 }, { "Product", "Magic Mouse" },
                                                { "Transport", "Bluetooth" }, { "VendorID", 0x004C },
                                                { "ProductID", 0x030D } })
                                         << Value("Mouse");
        QTest::newRow("Bluetooth keyboard")
            << kKeyboard
            << Value(Value::Dictionary { { "DeviceAddress", "f0:b3:ec:11:22:33" }, { "BatteryPercent", 88 },
                   { "Product", "Magic Keyboard" }, { "Transport", "Bluetooth" }, { "VendorID", 0x004C },
                   { "ProductID", 0x0267 } })
            << Value("Keyboard");
        // On its cable the kernel says it charges.
        QTest::newRow("trackpad on its cable")
            << kTrackpad
            << Value(Value::Dictionary { { "DeviceAddress", "CC2933200F1J0Q7AQ" }, { "BatteryPercent", 71 },
                   { "Product", "Apple Inc. Magic Trackpad" }, { "Transport", "USB" }, { "VendorID", 0x05AC },
                   { "ProductID", 0x0265 } })
            << Value("Trackpad");
        // Its HID bus is the receiver's USB, but the mouse itself is on no cable.
        QTest::newRow("mouse behind a receiver")
            << kReceiverMouse
            << Value(Value::Dictionary { { "DeviceAddress", "d08e5b2a" }, { "BatteryPercent", 80 },
                   { "Product", "MX Master 3" }, { "Transport", "Wireless" }, { "VendorID", 0x046D },
                   { "ProductID", 0x4082 } })
            << Value("Mouse");
    }

    void accessories()
    {
        QFETCH(QString, supply);
        QFETCH(Value, properties);
        QFETCH(Value, category);

        SysfsRegistry registry(fixture("thinkpad"));
        const auto services = registry.matchingServices("AppleDeviceManagementHIDEventService");
        QVERIFY(services);
        QCOMPARE(services->size(), std::size_t(4));
        const auto found = std::find_if(
            services->begin(), services->end(), [&](const RegistryEntry &e) { return e.name() == supply; });
        QVERIFY(found != services->end());
        QCOMPARE(Value(*found->properties()), properties);

        const RegistryEntry interface = found->parent();
        QCOMPARE(interface.className(), QStringLiteral("IOHIDInterface"));
        const RegistryEntry device = interface.parent();
        QVERIFY(device.conformsTo("IOHIDUserDevice"));
        QCOMPARE(device.property("Accessory Category").value_or(Value()), category);
    }

    void machineBatteryIsNoAccessory()
    {
        SysfsRegistry registry(fixture("xps"));
        QCOMPARE(registry.matchingServices("AppleDeviceManagementHIDEventService")->size(), std::size_t(0));
        // Adapters are neither batteries nor accessories.
        QCOMPARE(registry.matchingServices("AppleSmartBattery")->size(), std::size_t(1));
        QCOMPARE(registry.firstMatchingService("AppleSmartBattery").name(), QStringLiteral("BAT0"));
    }

    void hidUserDevices()
    {
        SysfsRegistry registry(fixture("thinkpad"));
        const auto devices = registry.matchingServices("IOHIDUserDevice");
        QVERIFY(devices);
        QCOMPARE(devices->size(), std::size_t(5)); // the receiver is a HID device too

        std::map<QString, Value::Dictionary> byName;
        for (const RegistryEntry &d : *devices)
            byName[d.name()] = *d.properties();

        // A Bluetooth device is found by the identifier the central gives the same address.
        const QString mouseId = platform::BluezCentral::identifierForAddress("DC:2C:26:0A:1B:3F")
                                    .toString(QUuid::WithoutBraces)
                                    .toUpper();
        compareKeys(byName["Magic Mouse"],
            { { "PhysicalDeviceUniqueID", Value(mouseId) }, { "PrimaryUsagePage", 1 }, { "PrimaryUsage", 2 } });
        compareKeys(byName["Magic Keyboard"], { { "PrimaryUsage", 6 } });
        // Devices on other buses have no Bluetooth identity; the receiver is no kind of accessory.
        compareKeys(byName["Logitech MX Master 3"], { { "PhysicalDeviceUniqueID", Value() }, { "PrimaryUsage", 2 } });
        compareKeys(byName["Logitech USB Receiver"],
            { { "PrimaryUsagePage", 0xFF00 }, { "PrimaryUsage", 1 }, { "Accessory Category", Value() } });
    }

    void accessoryKind_data()
    {
        QTest::addColumn<QString>("supply");
        QTest::addColumn<QStringList>("changes"); // "<path below the HID device>=<content>"
        QTest::addColumn<QString>("icon"); // BlueZ's icon for the device's address; empty: unknown
        QTest::addColumn<Value>("category"); // null: none

        const QString generic = QStringLiteral(
            "uevent=DRIVER=hid-generic\nHID_ID=0005:0000004C:00000269\nHID_UNIQ=3c:a6:f6:41:7e:02");
        const QString noInputs = QStringLiteral("input=<remove>");
        QTest::newRow("vendor collection first, input device with axes and buttons")
            << kMagicMouse2 << QStringList {} << "" << Value("Mouse");
        QTest::newRow("consumer control first, mouse input besides media keys")
            << kGamingMouse << QStringList {} << "" << Value("Mouse");
        QTest::newRow("game pad collection") << kController << QStringList {} << "" << Value("undefined");
        QTest::newRow("gamepad buttons win over the touch pad beside them")
            << kController << QStringList { "report_descriptor=<remove>" } << "" << Value("undefined");
        QTest::newRow("no input devices: the driver knows the mouse")
            << kMagicMouse2 << QStringList { noInputs } << "" << Value("Mouse");
        QTest::newRow("no input devices: the driver knows the trackpad")
            << kMagicMouse2
            << QStringList { noInputs,
                   "uevent=DRIVER=magicmouse\nHID_ID=0005:0000004C:00000265\nHID_UNIQ=3c:a6:f6:41:7e:02" }
            << "" << Value("Trackpad");
        QTest::newRow("multitouch without relative axes")
            << kMagicMouse2 << QStringList { generic, "input/input27/capabilities/rel=0" } << ""
            << Value("Trackpad");
        QTest::newRow("a touch screen is no trackpad")
            << kMagicMouse2
            << QStringList { generic, "input/input27/capabilities/rel=0", "input/input27/properties=2" } << ""
            << Value();
        QTest::newRow("keyboard keys")
            << kGamingMouse
            << QStringList { "input/input19/capabilities/rel=0", "input/input20/capabilities/key=fffffffffffffffe" }
            << "" << Value("Keyboard");
        QTest::newRow("capabilities that are no bit map") << kMagicMouse2
                                                         << QStringList { generic, "input/input27/capabilities/rel=zz",
                                                                "input/input27/capabilities/abs=0x35" }
                                                         << "" << Value();
        QTest::newRow("BlueZ asked last") << kMagicMouse2 << QStringList {} << "input-keyboard" << Value("Mouse");
        QTest::newRow("BlueZ's mouse icon")
            << kMagicMouse2 << QStringList { noInputs, generic } << "input-mouse" << Value("Mouse");
        QTest::newRow("BlueZ's gaming icon")
            << kMagicMouse2 << QStringList { noInputs, generic } << "input-gaming" << Value("undefined");
        QTest::newRow("BlueZ's tablet icon")
            << kMagicMouse2 << QStringList { noInputs, generic } << "input-tablet" << Value("Trackpad");
        QTest::newRow("BlueZ's other icons") << kMagicMouse2 << QStringList { noInputs, generic } << "audio-headset"
                                             << Value();
        QTest::newRow("nothing tells") << kMagicMouse2 << QStringList { noInputs, generic } << "" << Value();
    }

    void accessoryKind()
    {
        QFETCH(QString, supply);
        QFETCH(QStringList, changes);
        QFETCH(QString, icon);
        QFETCH(Value, category);

        SysfsTree tree("desktop");
        QVERIFY(tree.isValid());
        const QString device = QStringLiteral("class/power_supply/") + supply + QStringLiteral("/device/");
        QCOMPARE(tree.apply(changes, device), QString());

        SysfsRegistry registry(tree.root());
        QStringList asked;
        registry.setBluetoothIcons([&](const QString &address) -> std::optional<QString> {
            asked << address;
            if (icon.isEmpty())
                return std::nullopt;
            return icon;
        });
        const auto services = registry.matchingServices("AppleDeviceManagementHIDEventService");
        QCOMPARE(services->size(), std::size_t(3));
        const auto found = std::find_if(
            services->begin(), services->end(), [&](const RegistryEntry &e) { return e.name() == supply; });
        QVERIFY(found != services->end());
        const RegistryEntry hid = found->parent().parent();
        QVERIFY(hid.conformsTo("IOHIDUserDevice"));
        QCOMPARE(hid.property("Accessory Category").value_or(Value()), category);
        // Only a Bluetooth device is asked about, by its address in upper case.
        for (const QString &address : std::as_const(asked))
            QVERIFY2(address == "3C:A6:F6:41:7E:02" || address == "A4:AE:12:9C:40:D1", qPrintable(address));
    }

    void outOfRangeValuesAreAbsent_data()
    {
        QTest::addColumn<QStringList>("attributes"); // "<name>=<content>"
        QTest::addColumn<Value>("battery"); // expected keys of the smart battery; null: absent
        QTest::addColumn<Value>("source"); // expected keys of the power-source description

        using D = Value::Dictionary;
        const QStringList discharging { "type=Battery", "status=Discharging", "voltage_min_design=11580000",
            "voltage_now=12088000" };
        QTest::newRow("temperature beyond the range")
            << (discharging + QStringList { "temp=1144444444444444444" }) << Value(D { { "Temperature", Value() } })
            << Value(D {});
        QTest::newRow("temperature at the edge") << (discharging + QStringList { "temp=-922337203685477580" })
                                                 << Value(D { { "Temperature", Value(-9223372036854775800ll) } })
                                                 << Value(D {});
        QTest::newRow("time to empty beyond any count of minutes")
            << (discharging + QStringList { "energy_now=9000000000000000000", "power_now=1" })
            << Value(D { { "Amperage", 0 } }) << Value(D { { "Time to Empty", Value() } });
        QTest::newRow("time to full beyond any count of minutes")
            << QStringList { "type=Battery", "status=Charging", "charge_full=9000000000000000000", "charge_now=0",
                   "current_now=1" }
            << Value(D { { "MaxCapacity", 9000000000000000 } }) << Value(D { { "Time to Full Charge", Value() } });
        QTest::newRow("energy missing far beyond what is there")
            << QStringList { "type=Battery", "status=Charging", "energy_full=9000000000000000000",
                   "energy_now=-9000000000000000000", "power_now=5" }
            << Value(D {}) << Value(D { { "Time to Full Charge", -1 } });
        QTest::newRow("capacity in energy beyond the range")
            << QStringList { "type=Battery", "energy_full_design=9000000000000000000", "voltage_min_design=1" }
            << Value(D { { "DesignCapacity", Value() } }) << Value(D {});
        QTest::newRow("current beyond the range") << QStringList { "type=Battery", "status=Discharging",
            "power_now=9000000000000000000", "voltage_now=1" } << Value(D { { "Amperage", Value() } })
                                                  << Value(D {});
        QTest::newRow("number longer than any integer")
            << (discharging + QStringList { "cycle_count=99999999999999999999" })
            << Value(D { { "CycleCount", Value() } }) << Value(D {});
        QTest::newRow("adapter beyond the range") << QStringList { "type=Battery", "status=Charging" } << Value(D {})
                                                  << Value(D { { "Watts", Value() } });
    }

    void outOfRangeValuesAreAbsent()
    {
        QFETCH(QStringList, attributes);
        QFETCH(Value, battery);
        QFETCH(Value, source);

        QHash<QString, QByteArray> files;
        for (const QString &attribute : attributes) {
            const int equals = attribute.indexOf(QLatin1Char('='));
            files.insert(attribute.left(equals), attribute.mid(equals + 1).toUtf8() + '\n');
        }
        const auto attributesRead = platform::SysfsAttributes::fromTexts(files);
        compareKeys(platform::powersupply::smartBatteryProperties(attributesRead), *battery.toDictionary());
        const auto adapter = platform::SysfsAttributes::fromTexts(
            { { "online", "1" }, { "voltage_max", "9000000000000000000" }, { "current_max", "9000000000000000000" } });
        compareKeys(platform::powersupply::powerSourceDescription({ "BAT0", QString() }, attributesRead, { adapter }),
            *source.toDictionary());
    }

    void batteryFaults_data()
    {
        QTest::addColumn<QStringList>("changes"); // "<path below the root>=<content>"
        QTest::addColumn<Value>("battery"); // expected keys of the smart battery; null: absent
        QTest::addColumn<Value>("source"); // expected keys of the power-source description
        QTest::addColumn<QString>("controller");

        const QString bat = QStringLiteral("class/power_supply/BAT0/");
        using D = Value::Dictionary;
        QTest::newRow("percentage not a number")
            << QStringList { bat + "capacity=unknown", bat + "energy_now=25315000" }
            << Value(D { { "CurrentCapacity", 2186 } }) << Value(D { { "Current Capacity", 50 } })
            << "IOSMBusController";
        QTest::newRow("present energy unreadable")
            << QStringList { bat + "energy_now=<dir>" } << Value(D { { "CurrentCapacity", Value() } })
            << Value(D { { "Current Capacity", 68 }, { "Time to Empty", -1 } }) << "IOSMBusController";
        QTest::newRow("no design voltage: present voltage converts")
            << QStringList { bat + "voltage_min_design=<remove>" }
            << Value(D { { "DesignCapacity", 4717 }, { "MaxCapacity", 4188 }, { "CurrentCapacity", 2852 } })
            << Value(D { { "Max Capacity", 89 } }) << "IOSMBusController";
        QTest::newRow("no voltage: percentages only")
            << QStringList { bat + "voltage_min_design=<remove>", bat + "voltage_now=<remove>" }
            << Value(D { { "DesignCapacity", Value() }, { "Voltage", Value() }, { "Amperage", Value() } })
            << Value(D { { "Current Capacity", 68 }, { "Max Capacity", 89 }, { "Time to Empty", 263 } }) << "AppleSMC";
        QTest::newRow("voltage zero") << QStringList { bat + "voltage_min_design=0", bat + "voltage_now=0" }
                                      << Value(D { { "MaxCapacity", Value() }, { "Amperage", Value() } })
                                      << Value(D { { "Max Capacity", 89 } }) << "AppleSMC";
        QTest::newRow("full") << QStringList { bat + "status=Full", "class/power_supply/AC/online=1" }
                              << Value(D { { "Amperage", 649 } })
                              << Value(D { { "Is Charged", true }, { "Is Charging", false },
                                     { "Power Source State", "AC Power" }, { "Time to Empty", 0 } })
                              << "IOSMBusController";
        QTest::newRow("no power drawn") << QStringList { bat + "power_now=0" } << Value(D { { "Amperage", 0 } })
                                        << Value(D { { "Time to Empty", -1 } }) << "IOSMBusController";
        QTest::newRow("kernel's own estimate") << QStringList { bat + "time_to_empty_now=5400" } << Value(D {})
                                               << Value(D { { "Time to Empty", 90 } }) << "IOSMBusController";
        QTest::newRow("temperature and date")
            << QStringList { bat + "temp=297", bat + "manufacture_year=2020", bat + "manufacture_month=2",
                   bat + "manufacture_day=6" }
            << Value(D { { "Temperature", 2970 }, { "ManufactureDate", (40 << 9) | (2 << 5) | 6 } }) << Value(D {})
            << "IOSMBusController";
        QTest::newRow("impossible date") << QStringList { bat + "manufacture_year=2020", bat + "manufacture_month=13",
            bat + "manufacture_day=6" } << Value(D { { "ManufactureDate", Value() } })
                                         << Value(D {}) << "IOSMBusController";
        QTest::newRow("texts blank") << QStringList { bat + "serial_number= ", bat + "manufacturer=" }
                                     << Value(D { { "Serial", Value() }, { "Manufacturer", Value() } }) << Value(D {})
                                     << "IOSMBusController";
        QTest::newRow("negative cycles") << QStringList { bat + "cycle_count=-1" }
                                         << Value(D { { "CycleCount", Value() } }) << Value(D {})
                                         << "IOSMBusController";
        QTest::newRow("health failed") << QStringList { bat + "health=Dead" } << Value(D {})
                                       << Value(D { { "BatteryHealth", "Poor" } }) << "IOSMBusController";
        QTest::newRow("health passing state") << QStringList { bat + "health=Overheat" } << Value(D {})
                                              << Value(D { { "BatteryHealth", Value() } }) << "IOSMBusController";
        // A percentage outside 0-100 is no reading: the charge is worked out from the energies.
        QTest::newRow("percentage above 100") << QStringList { bat + "capacity=150" } << Value(D {})
                                              << Value(D { { "Current Capacity", 68 } }) << "IOSMBusController";
        QTest::newRow("percentage below 0") << QStringList { bat + "capacity=-5" } << Value(D {})
                                            << Value(D { { "Current Capacity", 68 } }) << "IOSMBusController";
        QTest::newRow("more than its last full")
            << QStringList { bat + "capacity=110", bat + "energy_now=55000000", bat + "status=Full" } << Value(D {})
            << Value(D { { "Current Capacity", 100 }, { "Is Charged", true } }) << "IOSMBusController";
        // Held at a charge limit: at (or within a point of) full it is charged; below it, on the adapter and
        // neither charging nor going down, whatever trickle its current shows.
        const QString ac = QStringLiteral("class/power_supply/AC/online=1");
        QTest::newRow("not charging at full")
            << QStringList { bat + "status=Not charging", bat + "capacity=100", bat + "power_now=0", ac } << Value(D {})
            << Value(D { { "Is Charged", true }, { "Is Charging", false }, { "Power Source State", "AC Power" },
                   { "Time to Empty", 0 } })
            << "IOSMBusController";
        QTest::newRow("not charging a point below full")
            << QStringList { bat + "status=Not charging", bat + "capacity=99", bat + "power_now=0", ac } << Value(D {})
            << Value(D { { "Is Charged", true } }) << "IOSMBusController";
        QTest::newRow("not charging at the limit of 80 with a trickle")
            << QStringList { bat + "status=Not charging", bat + "capacity=80", bat + "power_now=<remove>",
                   bat + "current_now=-12000", ac }
            << Value(D { { "Amperage", 12 } })
            << Value(D { { "Is Charged", false }, { "Is Charging", false }, { "Power Source State", "AC Power" },
                   { "Time to Empty", 0 }, { "Time to Full Charge", 0 } })
            << "IOSMBusController";
        QTest::newRow("unknown on the adapter at full")
            << QStringList { bat + "status=Unknown", bat + "capacity=100", ac } << Value(D {})
            << Value(D { { "Is Charged", true }, { "Power Source State", "AC Power" } }) << "IOSMBusController";
        QTest::newRow("unknown on the adapter, current falling")
            << QStringList { bat + "status=Unknown", bat + "current_now=-500000", ac } << Value(D {})
            << Value(D { { "Is Charged", false }, { "Power Source State", "AC Power" }, { "Time to Empty", 0 } })
            << "IOSMBusController";
        QTest::newRow("unknown on battery, current falling")
            << QStringList { bat + "status=Unknown", bat + "current_now=-500000" } << Value(D {})
            << Value(D { { "Is Charged", false }, { "Power Source State", "Battery Power" }, { "Time to Empty", 263 } })
            << "IOSMBusController";
    }

    void batteryFaults()
    {
        QFETCH(QStringList, changes);
        QFETCH(Value, battery);
        QFETCH(Value, source);
        QFETCH(QString, controller);

        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        QCOMPARE(tree.apply(changes), QString());
        compareBattery(tree.root(), battery, source, controller);
    }

    void accessoryFaults_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("supply");
        QTest::addColumn<Value>("properties"); // expected keys; null: absent

        using D = Value::Dictionary;
        const QString mouse = QStringLiteral("class/power_supply/") + kMouse + QLatin1Char('/');
        const QString mouseDevice = mouse + QStringLiteral("device/");
        QTest::newRow("no reading yet") << QStringList { mouse + "capacity=<dir>" } << kMouse
                                        << Value(D { { "BatteryPercent", Value() }, { "Transport", "Bluetooth" } });
        QTest::newRow("level not a number")
            << QStringList { mouse + "capacity=full" } << kMouse << Value(D { { "BatteryPercent", Value() } });
        QTest::newRow("no model name: the HID name")
            << QStringList { mouse + "model_name=<remove>" } << kMouse << Value(D { { "Product", "Magic Mouse" } });
        QTest::newRow("HID device without uevent")
            << QStringList { mouseDevice + "uevent=<remove>" } << kMouse
            << Value(D { { "DeviceAddress", "dc:2c:26:0a:1b:3f" }, { "BatteryPercent", 57 }, { "Transport", Value() },
                   { "VendorID", Value() }, { "ProductID", Value() } });
        QTest::newRow("malformed HID_ID") << QStringList { mouseDevice + "uevent=HID_ID=0005:zz:030D\nHID_NAME=x" }
                                          << kMouse << Value(D { { "VendorID", Value() }, { "Transport", Value() } });
        QTest::newRow("level above 100") << QStringList { mouse + "capacity=150" } << kMouse
                                         << Value(D { { "BatteryPercent", Value() } });
        QTest::newRow("level below 0") << QStringList { mouse + "capacity=-1" } << kMouse
                                       << Value(D { { "BatteryPercent", Value() } });
        QTest::newRow("level 100") << QStringList { mouse + "capacity=100" } << kMouse
                                   << Value(D { { "BatteryPercent", 100 } });
        // "USB" is what makes the records charge: the kernel tells whether the device does.
        QTest::newRow("Bluetooth mouse charging on its cable")
            << QStringList { mouse + "status=Charging" } << kMouse << Value(D { { "Transport", "USB" } });
        QTest::newRow("Bluetooth mouse charged on its cable")
            << QStringList { mouse + "status=Full" } << kMouse << Value(D { { "Transport", "USB" } });
        const QString trackpad = QStringLiteral("class/power_supply/") + kTrackpad + QLatin1Char('/');
        QTest::newRow("USB device that does not charge")
            << QStringList { trackpad + "status=Discharging" } << kTrackpad << Value(D { { "Transport", "Wireless" } });
        QTest::newRow("USB device that does not say")
            << QStringList { trackpad + "status=<remove>" } << kTrackpad << Value(D { { "Transport", "Wireless" } });
    }

    void accessoryFaults()
    {
        QFETCH(QStringList, changes);
        QFETCH(QString, supply);
        QFETCH(Value, properties);

        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        QCOMPARE(tree.apply(changes), QString());
        SysfsRegistry registry(tree.root());
        const auto services = registry.matchingServices("AppleDeviceManagementHIDEventService");
        const auto found = std::find_if(
            services->begin(), services->end(), [&](const RegistryEntry &e) { return e.name() == supply; });
        QVERIFY(found != services->end());
        compareKeys(*found->properties(), *properties.toDictionary());
    }

    // A wireless headset whose battery is on its receiver's HID device, on the USB bus: it does not
    // charge, and the level can change into that of a charging device.
    void headsetOnItsReceiver()
    {
        SysfsTree tree("t480");
        QVERIFY(tree.isValid());
        SysfsRegistry registry(tree.root());
        const RegistryEntry headset = registry.firstMatchingService("AppleDeviceManagementHIDEventService");
        QCOMPARE(headset.name(), kHeadset);
        QCOMPARE(Value(*headset.properties()),
            Value(Value::Dictionary { { "DeviceAddress", "hidpp_battery_0" }, { "BatteryPercent", 3 },
                { "Product", "G935 Gaming Headset" }, { "Transport", "Wireless" }, { "VendorID", 0x046D },
                { "ProductID", 0x0A87 } }));
        // Plugged in to charge, on the next read.
        QVERIFY(tree.change("class/power_supply/hidpp_battery_0/status", "Charging"));
        QCOMPARE(headset.property("Transport").value_or(Value()), Value("USB"));
    }

    void headsetKind_data()
    {
        QTest::addColumn<QStringList>("changes"); // "<path below the headset's USB device>=<content>"
        QTest::addColumn<QByteArray>("descriptor"); // the HID device's report descriptor; empty: none
        QTest::addColumn<Value>("category"); // null: none

        // The G935's USB device: an audio control and two audio streaming interfaces, then the HID one.
        const QStringList noAudio { "1-8:1.0=<remove>", "1-8:1.1=<remove>", "1-8:1.2=<remove>" };
        QTest::newRow("audio interfaces beside the HID interface")
            << QStringList {} << QByteArray() << Value("Headset");
        QTest::newRow("no audio interface: the finder's rules decide") << noAudio << QByteArray() << Value();
        QTest::newRow("audio on another USB device does not count")
            << (noAudio + QStringList { "../1-9:1.0=<dir>", "../1-9:1.0/bInterfaceClass=01" }) << QByteArray()
            << Value();
        QTest::newRow("an interface class that is no number")
            << QStringList { "1-8:1.0/bInterfaceClass=x1", "1-8:1.1/bInterfaceClass=",
                   "1-8:1.2/bInterfaceClass=<dir>" }
            << QByteArray() << Value();
        // A keyboard with an audio hub, a game controller with a headphone jack: their collections tell.
        QTest::newRow("a keyboard collection wins over the audio interfaces")
            << QStringList {} << QByteArray::fromHex("05010906a101c0") << Value("Keyboard");
        QTest::newRow("a game pad collection wins over the audio interfaces")
            << QStringList {} << QByteArray::fromHex("05010905a101c0") << Value("undefined");
        // Headsets put their volume keys (Consumer Control) first and their call keys after.
        QTest::newRow("telephony headset collection after consumer control")
            << noAudio << QByteArray::fromHex("050c0901a10109e9c0050b0905a1010920c0") << Value("Headset");
        QTest::newRow("telephony headset as a logical collection")
            << noAudio << QByteArray::fromHex("050c0901a101050b0905a102c0c0") << Value("Headset");
        QTest::newRow("consumer headphone collection")
            << noAudio << QByteArray::fromHex("050c0905a101c0") << Value("Headphones");
        QTest::newRow("a phone's call keys are no headset")
            << noAudio << QByteArray::fromHex("050b0901a1010920c0") << Value();
    }

    // A headset is told by its USB device's audio interfaces or its report descriptor's headset collection.
    void headsetKind()
    {
        QFETCH(QStringList, changes);
        QFETCH(QByteArray, descriptor);
        QFETCH(Value, category);

        SysfsTree tree("t480");
        QVERIFY(tree.isValid());
        const QString usbDevice = QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/1-8/");
        QCOMPARE(tree.apply(changes, usbDevice), QString());
        if (!descriptor.isEmpty()) {
            QFile file(
                tree.root() + u'/' + usbDevice + QStringLiteral("1-8:1.3/0003:046D:0A87.0004/report_descriptor"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(descriptor) == descriptor.size());
        }
        SysfsRegistry registry(tree.root());
        const RegistryEntry headset = registry.firstMatchingService("AppleDeviceManagementHIDEventService");
        QCOMPARE(headset.name(), kHeadset);
        const RegistryEntry hid = headset.parent().parent();
        QVERIFY(hid.conformsTo("IOHIDUserDevice"));
        QCOMPARE(hid.property("Accessory Category").value_or(Value()), category);
    }

    void reportsBatteryOf_data()
    {
        QTest::addColumn<QString>("change"); // "<path below the root>=<content>", or empty
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("reported");

        QTest::newRow("battery named after the address") << ""
                                                         << "3C:A6:F6:41:7E:02" << true;
        QTest::newRow("letter case does not matter") << ""
                                                     << "3c:a6:f6:41:7e:02" << true;
        QTest::newRow("battery of a HID device with that uniq") << ""
                                                                << "A4:AE:12:9C:40:D1" << true;
        QTest::newRow("another address") << ""
                                         << "3C:A6:F6:41:7E:03" << false;
        QTest::newRow("no level: the accessory is not listed")
            << "class/power_supply/" + kMagicMouse2 + "/capacity=<dir>"
            << "3C:A6:F6:41:7E:02" << false;
        QTest::newRow("impossible level") << "class/power_supply/" + kMagicMouse2 + "/capacity=255"
                                          << "3C:A6:F6:41:7E:02" << false;
        QTest::newRow("HID device unknown") << "class/power_supply/" + kController + "/device/uevent=<remove>"
                                            << "A4:AE:12:9C:40:D1" << false;
    }

    void reportsBatteryOf()
    {
        QFETCH(QString, change);
        QFETCH(QString, address);
        QFETCH(bool, reported);

        SysfsTree tree("desktop");
        QVERIFY(tree.isValid());
        if (!change.isEmpty())
            QCOMPARE(tree.apply({ change }), QString());
        SysfsRegistry registry(tree.root());
        registry.setBluetoothIcons([](const QString &) { return std::nullopt; });
        QCOMPARE(registry.reportsBatteryOf(address), reported);
    }

    void batteryOfDeviceWithoutUniq()
    {
        // The kernel names the battery of a device without uniq after the device itself. It says nothing
        // of charging: on the USB bus, that is a device behind its receiver.
        SysfsTree tree("thinkpad");
        QVERIFY(tree.isValid());
        const QString supply = QStringLiteral("hid-0003:046D:C52B.0003-battery");
        const QString dir
            = QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.2/0003:046D:C52B.0003/power_supply/")
            + supply;
        QVERIFY(QDir(tree.root()).mkpath(dir));
        QVERIFY(tree.change(dir + QStringLiteral("/scope"), "Device"));
        QVERIFY(QFile::link(QStringLiteral("../../../0003:046D:C52B.0003"),
            tree.root() + QLatin1Char('/') + dir + QStringLiteral("/device")));
        QVERIFY(QFile::link(QStringLiteral("../../") + dir, tree.supplyPath(supply)));

        SysfsRegistry registry(tree.root());
        const auto services = registry.matchingServices("AppleDeviceManagementHIDEventService");
        QCOMPARE(services->size(), std::size_t(5));
        const auto found = std::find_if(
            services->begin(), services->end(), [&](const RegistryEntry &e) { return e.name() == supply; });
        QVERIFY(found != services->end());
        QCOMPARE(Value(*found->properties()),
            Value(Value::Dictionary { { "DeviceAddress", "0003:046D:C52B.0003" }, { "Transport", "Wireless" },
                { "Product", "Logitech USB Receiver" }, { "VendorID", 0x046D }, { "ProductID", 0xC52B } }));
    }

    void machineWithoutSupplies_data()
    {
        QTest::addColumn<bool>("classFolder");
        QTest::newRow("empty power_supply class") << true;
        QTest::newRow("no power_supply class at all") << false;
    }

    void machineWithoutSupplies()
    {
        QFETCH(bool, classFolder);
        SysfsTree tree;
        if (classFolder)
            QVERIFY(QDir(tree.root()).mkpath("class/power_supply"));

        SysfsRegistry registry(tree.root());
        for (const char *cls :
            { "AppleSmartBattery", "AppleDeviceManagementHIDEventService", "IOHIDUserDevice", "IOService" }) {
            const auto services = registry.matchingServices(cls);
            QVERIFY(services);
            QVERIFY(services->empty());
        }
        SysfsPowerSources sources(tree.root());
        auto info = sources.copyInfo();
        QVERIFY(info);
        QCOMPARE(sources.list(*info), Value(Value::Array {}));
    }

    void emptyBayIsNoBattery()
    {
        SysfsTree tree("thinkpad");
        QVERIFY(tree.change("class/power_supply/BAT0/present", "0"));
        SysfsRegistry registry(tree.root());
        QVERIFY(!registry.firstMatchingService("AppleSmartBattery").isValid());
        SysfsPowerSources sources(tree.root());
        QVERIFY(describeAll(sources).empty());
    }

    void entryOfVanishedSupply()
    {
        SysfsTree tree("thinkpad");
        SysfsRegistry registry(tree.root());
        const RegistryEntry battery = registry.firstMatchingService("AppleSmartBattery");
        const RegistryEntry mouse = registry.firstMatchingService("AppleDeviceManagementHIDEventService");
        QVERIFY(battery.isValid() && mouse.isValid());

        QVERIFY(QDir(QFileInfo(tree.supplyPath("BAT0")).canonicalFilePath()).removeRecursively());
        QVERIFY(QDir(QFileInfo(tree.supplyPath(mouse.name())).canonicalFilePath()).removeRecursively());
        QVERIFY(!battery.properties());
        QVERIFY(!battery.property("Voltage"));
        QVERIFY(!battery.parent().isValid());
        QVERIFY(!mouse.properties());
        QVERIFY(!mouse.parent().isValid());
    }

    void primaryUsage_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<int>("page"); // -1: none
        QTest::addColumn<int>("usage");

        QTest::newRow("mouse") << QByteArray::fromHex("05010902a1010901a100c0c0") << 1 << 2;
        QTest::newRow("usage carrying its page") << QByteArray::fromHex("0b06000100a101c0") << 1 << 6;
        QTest::newRow("digitizer touch pad") << QByteArray::fromHex("050d0905a1018501c0") << 0x0D << 5;
        QTest::newRow("physical collection first: no application yet")
            << QByteArray::fromHex("05010901a100c00906a101c0") << 1 << 6;
        QTest::newRow("logical collection first: no application yet")
            << QByteArray::fromHex("05010901a102c00906a101c0") << 1 << 6;
        QTest::newRow("long item skipped") << QByteArray::fromHex("fe0200aabb05010902a101c0") << 1 << 2;
        QTest::newRow("cut inside an item") << QByteArray::fromHex("050109") << -1 << 0;
        QTest::newRow("cut inside a long item") << QByteArray::fromHex("fe05") << -1 << 0;
        QTest::newRow("no collection") << QByteArray::fromHex("05010902") << -1 << 0;
        QTest::newRow("empty") << QByteArray() << -1 << 0;
    }

    void primaryUsage()
    {
        QFETCH(QByteArray, descriptor);
        QFETCH(int, page);
        QFETCH(int, usage);
        const auto found = HidDevice::primaryUsage(descriptor);
        if (page < 0) {
            QVERIFY(!found);
            return;
        }
        QVERIFY(found);
        QCOMPARE(found->page, page);
        QCOMPARE(found->usage, usage);
    }

    // HID device directories are named "bus:vendor:product.instance" in upper-case hexadecimal; a
    // Bluetooth device's uniq is its address, in either case.
    void hidNamesAndAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("deviceName");
        QTest::addColumn<QString>("address");
        QTest::newRow("device") << "0005:004C:030D.0004" << true << "";
        QTest::newRow("instance past four digits") << "0003:046D:C52B.1000A" << true << "";
        QTest::newRow("lower case") << "0005:004c:030D.0004" << false << "";
        QTest::newRow("short instance") << "0005:004C:030D.004" << false << "";
        QTest::newRow("colon for the dot") << "0005:004C:030D:0004" << false << "";
        QTest::newRow("line break after it") << "0005:004C:030D.0004\n" << false << "";
        QTest::newRow("other entry") << "input5" << false << "";
        QTest::newRow("address") << "dc:2c:26:0a:1b:3f" << false << "DC:2C:26:0A:1B:3F";
        QTest::newRow("upper-case address") << "DC:2C:26:0A:1B:3F" << false << "DC:2C:26:0A:1B:3F";
        QTest::newRow("five pairs") << "dc:2c:26:0a:1b" << false << "";
        QTest::newRow("dashes") << "dc-2c-26-0a-1b-3f" << false << "";
        QTest::newRow("not hexadecimal") << "dc:2c:26:0a:1b:3g" << false << "";
        QTest::newRow("serial number") << "CC2933200F1J0Q7AQ" << false << "";
    }

    void hidNamesAndAddresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, deviceName);
        QFETCH(QString, address);
        QCOMPARE(HidDevice::isHidDeviceName(text), deviceName);
        const auto bluetooth = HidDevice::fromUevent(
            "HID_ID=0005:0000004C:0000030D\nHID_NAME=Mouse\nHID_UNIQ=" + text.toUtf8(), QStringLiteral("/hid"));
        QVERIFY(bluetooth);
        QCOMPARE(bluetooth->bluetoothAddress().value_or(QString()), address);
        // Only a Bluetooth device's uniq is an address.
        const auto usb = HidDevice::fromUevent(
            "HID_ID=0003:0000046D:0000C52B\nHID_NAME=Mouse\nHID_UNIQ=" + text.toUtf8(), QStringLiteral("/hid"));
        QVERIFY(usb);
        QVERIFY(!usb->bluetoothAddress());
    }

    void defaultRootFollowsTheEnvironment()
    {
        qputenv("QUENBY_SYSFS_ROOT", "/tmp/somewhere");
        QCOMPARE(SysfsRegistry::defaultRoot(), QStringLiteral("/tmp/somewhere"));
        QCOMPARE(SysfsPowerSources().root(), QStringLiteral("/tmp/somewhere"));
        qputenv("QUENBY_SYSFS_ROOT", "");
        QCOMPARE(SysfsRegistry::defaultRoot(), QStringLiteral("/sys"));
        qunsetenv("QUENBY_SYSFS_ROOT");
        QCOMPARE(SysfsRegistry::defaultRoot(), QStringLiteral("/sys"));
    }
};

QTEST_GUILESS_MAIN(SysfsRegistryTest)
#include "sysfsregistry_test.moc"

#include "fennic/bluetoothfinder.h"
#include "platform/core/bundle.h"
#include "platform/registry/memoryregistry.h"

#include <QTest>

#include <algorithm>

using namespace fennic;
using platform::MemoryRegistry;
using platform::Value;

Q_DECLARE_METATYPE(fennic::DeviceType)

namespace {
using Level = std::optional<std::uint8_t>;

Value::Dictionary baseProperties()
{
    return {
        { "DeviceAddress", Value("04-AA-BB-CC-DD-EE") },
        { "BatteryPercent", Value(80) },
        { "Transport", Value("Bluetooth") },
        { "VendorID", Value(76) },
        { "ProductID", Value(0x029C) },
    };
}

// A service two steps below an entry that may carry an "Accessory Category".
MemoryRegistry::EntryId addAccessory(MemoryRegistry &registry, const QString &className,
    const Value::Dictionary &properties, const Value &grandparentCategory = Value())
{
    Value::Dictionary outer;
    if (!grandparentCategory.isNull())
        outer["Accessory Category"] = grandparentCategory;
    const auto grandparent = registry.addEntry({ "IOBluetoothDevice", {}, {}, outer });
    const auto parent = registry.addEntry({ "IOHIDInterface", {}, {}, {} }, grandparent);
    return registry.addEntry({ className, { "IOService" }, {}, properties }, parent);
}

std::shared_ptr<BatteryDevice> only(const std::vector<std::shared_ptr<BatteryDevice>> &devices)
{
    return devices.size() == 1 ? devices.front() : nullptr;
}
}

class BluetoothFinderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void onePerAddressEarliestClassWins()
    {
        MemoryRegistry registry;
        registry.loadFixtureFile(QStringLiteral(QUENBY_TEST_DATA "/accessories.json"));
        BluetoothFinder finder(registry);
        QVERIFY(finder.devices().empty());
        QCOMPARE(registry.totalQueries(), 0); // creating the finder touches nothing

        finder.refresh();
        auto devices = finder.devices();
        std::sort(devices.begin(), devices.end(),
            [](auto &a, auto &b) { return a->serial().toLower() < b->serial().toLower(); });
        QCOMPARE(devices.size(), size_t(3));

        QCOMPARE(devices[0]->serial(), QStringLiteral("aa-bb-cc-dd-ee-01")); // kept as the registry gives it
        QCOMPARE(devices[0]->name(), QStringLiteral("Desk Keyboard"));
        QCOMPARE(devices[0]->type(), DeviceType::keyboard); // from the grandparent's category
        QCOMPARE(devices[0]->batteryLevel(), Level(64));

        QCOMPARE(devices[1]->name(), QStringLiteral("Office Mouse"));
        QCOMPARE(devices[1]->type(), DeviceType::mouse);
        QCOMPARE(devices[1]->batteryLevel(), Level(42));
        QVERIFY(devices[1]->isCharging());
        QCOMPARE(devices[1]->manufacturer(), std::optional<QString>("Logitech Inc."));
        QCOMPARE(devices[1]->productId(), std::optional<std::int64_t>(45082));

        QCOMPARE(devices[2]->name(), QStringLiteral("Trackpad")); // no name: the kind's name
        QCOMPARE(devices[2]->batteryLevel(), Level(100)); // the first service of the class wins
        QVERIFY(!devices[2]->manufacturer());

        for (const auto &d : devices)
            QVERIFY(!d->vendorId());
        QCOMPARE(registry.liveHandles(), 0);
        for (const QString &c : BluetoothFinder::registryClasses())
            QCOMPARE(registry.queryCount(c), 1);
    }

    void refreshReplacesRecords()
    {
        MemoryRegistry registry;
        const auto id = addAccessory(registry, "BNBMouseDevice", baseProperties());
        BluetoothFinder finder(registry);
        finder.refresh();
        const auto first = only(finder.devices());
        QVERIFY(first);
        registry.setProperty(id, "BatteryPercent", Value(55));
        const auto scan = finder.findDevices();
        QCOMPARE(first->batteryLevel(), Level(80)); // findDevices leaves devices() alone
        QCOMPARE(only(scan)->batteryLevel(), Level(55));
        finder.refresh();
        QVERIFY(only(finder.devices()) != first);
        registry.removeEntry(id);
        finder.refresh();
        QVERIFY(finder.devices().empty());
        QCOMPARE(registry.liveHandles(), 0);
    }

    void recordFields_data()
    {
        QTest::addColumn<Value>("changes"); // merged into the base properties; null values remove keys
        QTest::addColumn<Value>("category"); // the grandparent's "Accessory Category"; null: none
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QString>("manufacturer"); // "" = absent
        QTest::addColumn<Level>("level");
        QTest::addColumn<QString>("name");

        using D = Value::Dictionary;
        QTest::newRow("category wins over keyboard marker")
            << Value(D { { "Marker", Value("KBLowBattery") } }) << Value("Mouse") << DeviceType::mouse << false
            << "Apple Inc." << Level(80) << "Mouse";
        QTest::newRow("category not a kind falls through")
            << Value(D { { "Marker", Value("KBLowBattery") } }) << Value("mouse") << DeviceType::keyboard << false
            << "Apple Inc." << Level(80) << "Keyboard";
        QTest::newRow("category of another kind") << Value(D {}) << Value("Headphones") << DeviceType::headphones
                                                  << false << "Apple Inc." << Level(80) << "Headphones";
        QTest::newRow("grandparent category not text removes own")
            << Value(D { { "Accessory Category", Value("Mouse") } }) << Value(3) << DeviceType::trackpad << false
            << "Apple Inc." << Level(80) << "Trackpad";
        QTest::newRow("mouse marker") << Value(D { { "Marker", Value("MOLowBattery") } }) << Value()
                                      << DeviceType::mouse << false << "Apple Inc." << Level(80) << "Mouse";
        QTest::newRow("usb mouse marker") << Value(D { { "Marker", Value("USBConnectedMO") } }) << Value()
                                          << DeviceType::mouse << false << "Apple Inc." << Level(80) << "Mouse";
        QTest::newRow("marker must be exact")
            << Value(D { { "Marker", Value("MOLowBattery ") } }) << Value() << DeviceType::trackpad << false
            << "Apple Inc." << Level(80) << "Trackpad";
        QTest::newRow("text value with keyboard")
            << Value(D { { "Kind", Value("Wireless KEYBOARD") } }) << Value() << DeviceType::keyboard << false
            << "Apple Inc." << Level(80) << "Keyboard";
        QTest::newRow("key with keyboard") << Value(D { { "KeyboardLanguage", Value(3) } }) << Value()
                                           << DeviceType::keyboard << false << "Apple Inc." << Level(80) << "Keyboard";
        QTest::newRow("name with keyboard")
            << Value(D { { "Product", Value("Magic Keyboard") } }) << Value() << DeviceType::keyboard << false
            << "Apple Inc." << Level(80) << "Magic Keyboard";
        QTest::newRow("name with tastatur")
            << Value(D { { "Product", Value("Funk-TASTATUR") } }) << Value() << DeviceType::keyboard << false
            << "Apple Inc." << Level(80) << "Funk-TASTATUR";
        QTest::newRow("no marker: trackpad") << Value(D { { "Product", Value("Pad") } }) << Value()
                                             << DeviceType::trackpad << false << "Apple Inc." << Level(80) << "Pad";
        QTest::newRow("product not text: no name")
            << Value(D { { "Product", Value(7) } }) << Value() << DeviceType::trackpad << false << "Apple Inc."
            << Level(80) << "Trackpad";
        QTest::newRow("usb charges") << Value(D { { "Transport", Value("USB") } }) << Value() << DeviceType::trackpad
                                     << true << "Apple Inc." << Level(80) << "Trackpad";
        QTest::newRow("usb in lower case does not")
            << Value(D { { "Transport", Value("usb") } }) << Value() << DeviceType::trackpad << false << "Apple Inc."
            << Level(80) << "Trackpad";
        QTest::newRow("vendor outside the table") << Value(D { { "VendorID", Value(615) } }) << Value()
                                                  << DeviceType::trackpad << false << "" << Level(80) << "Trackpad";
        QTest::newRow("vendor Sony") << Value(D { { "VendorID", Value(0x012D) } }) << Value() << DeviceType::trackpad
                                     << false << "Sony Corporation" << Level(80) << "Trackpad";
        QTest::newRow("zero percent: listed without level")
            << Value(D { { "BatteryPercent", Value(0) } }) << Value() << DeviceType::trackpad << false << "Apple Inc."
            << Level() << "Trackpad";
        QTest::newRow("one percent") << Value(D { { "BatteryPercent", Value(1) } }) << Value() << DeviceType::trackpad
                                     << false << "Apple Inc." << Level(1) << "Trackpad";
    }

    void recordFields()
    {
        QFETCH(Value, changes);
        QFETCH(Value, category);
        QFETCH(DeviceType, type);
        QFETCH(bool, charging);
        QFETCH(QString, manufacturer);
        QFETCH(Level, level);
        QFETCH(QString, name);
        Value::Dictionary properties = baseProperties();
        for (const auto &[k, v] : *changes.toDictionary())
            properties[k] = v;
        MemoryRegistry registry;
        addAccessory(registry, "AppleBluetoothHIDKeyboard", properties, category);
        BluetoothFinder finder(registry);
        finder.refresh();
        const auto device = only(finder.devices());
        QVERIFY(device);
        QCOMPARE(device->type(), type);
        QCOMPARE(device->isCharging(), charging);
        QCOMPARE(device->manufacturer().value_or(QString()), manufacturer);
        QCOMPARE(device->batteryLevel(), level);
        QCOMPARE(device->name(), name);
        QCOMPARE(device->serial(), QStringLiteral("04-AA-BB-CC-DD-EE"));
        QCOMPARE(device->productId(), std::optional<std::int64_t>(0x029C));
    }

    void requiredKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Value>("value"); // null: removed
        QTest::newRow("no address") << "DeviceAddress" << Value();
        QTest::newRow("address not text") << "DeviceAddress" << Value(4);
        QTest::newRow("no percent") << "BatteryPercent" << Value();
        QTest::newRow("percent as text") << "BatteryPercent" << Value("80");
        QTest::newRow("no transport") << "Transport" << Value();
        QTest::newRow("no vendor") << "VendorID" << Value();
        QTest::newRow("no product") << "ProductID" << Value();
        QTest::newRow("product not integral") << "ProductID" << Value(2.5);
    }

    void requiredKeys()
    {
        QFETCH(QString, key);
        QFETCH(Value, value);
        Value::Dictionary properties = baseProperties();
        if (value.isNull())
            properties.erase(key);
        else
            properties[key] = value;
        MemoryRegistry registry;
        addAccessory(registry, "BNBMouseDevice", properties);
        BluetoothFinder finder(registry);
        finder.refresh();
        QVERIFY(finder.devices().empty());
    }

    void registryFailuresContributeNothing()
    {
        MemoryRegistry registry;
        Value::Dictionary own = baseProperties();
        own["Accessory Category"] = Value("Mouse");
        const auto unreadable = addAccessory(registry, "BNBMouseDevice", own, Value("Keyboard"));
        Value::Dictionary other = baseProperties();
        other["DeviceAddress"] = Value("second");
        other["Accessory Category"] = Value("Mouse");
        const auto lonely = addAccessory(registry, "BNBTrackpadDevice", other, Value("Keyboard"));
        other["DeviceAddress"] = Value("third");
        addAccessory(registry, "IOAppleBluetoothHIDDriver", other, Value("Keyboard"));
        BluetoothFinder finder(registry);

        registry.setPropertiesUnreadable(unreadable);
        registry.setParentUnreachable(lonely); // keeps its own category
        registry.setQueryFails("IOAppleBluetoothHIDDriver");
        finder.refresh();
        const auto device = only(finder.devices());
        QVERIFY(device);
        QCOMPARE(device->serial(), QStringLiteral("second"));
        QCOMPARE(device->type(), DeviceType::mouse);
        QVERIFY(!finder.registryProperties("IOAppleBluetoothHIDDriver"));
        QVERIFY(!finder.registryProperties("BNBMouseDevice")); // its only service is unreadable
        QCOMPARE(registry.liveHandles(), 0);
    }
};

QTEST_GUILESS_MAIN(BluetoothFinderTest)
#include "bluetoothfinder_test.moc"

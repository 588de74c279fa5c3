#include "fennic/iokitcontroller.h"
#include "platform/registry/memoryregistry.h"

#include <QTest>

using namespace fennic;
using platform::MemoryRegistry;
using platform::Value;

namespace {
Value descriptorsWith(const Value &manufacturer)
{
    return Value(Value::Dictionary {
        { "DeviceDescriptor", Value(Value::Dictionary { { "ManufacturerString", manufacturer } }) } });
}

void addHidUser(MemoryRegistry &registry, const Value &uniqueId, const Value &usage, const Value &maker = Value())
{
    Value::Dictionary properties { { "PhysicalDeviceUniqueID", uniqueId }, { "PrimaryUsage", usage } };
    if (!maker.isNull())
        properties["Manufacturer"] = maker;
    registry.addEntry({ "IOHIDUserDevice", { "IOService" }, {}, properties });
}
}

class IOKitControllerTest : public QObject {
    Q_OBJECT
private slots:
    void manufacturerByAddress()
    {
        MemoryRegistry registry;
        // Registry order: a service with the address but a malformed descriptor comes first and is passed over.
        registry.addEntry({ "AppleHSBluetoothDevice", {}, {},
            { { "DeviceAddress", Value("AA-BB") }, { "Descriptors", Value("not a dictionary") } } });
        registry.addEntry({ "AppleHSBluetoothDevice", {}, {},
            { { "DeviceAddress", Value("CC-DD") }, { "Descriptors", descriptorsWith(Value("Other Maker")) } } });
        registry.addEntry({ "AppleHSBluetoothDevice", {}, {},
            { { "DeviceAddress", Value("AA-BB") }, { "Descriptors", descriptorsWith(Value("Maker Inc.")) } } });
        registry.addEntry({ "AppleHSBluetoothDevice", {}, {},
            { { "DeviceAddress", Value("EE-FF") }, { "Descriptors", descriptorsWith(Value(42)) } } });
        IOKitController controller(registry);
        QCOMPARE(registry.totalQueries(), 0);

        QCOMPARE(controller.manufacturerForAddress("AA-BB"), std::optional<QString>("Maker Inc."));
        QCOMPARE(controller.manufacturerForAddress("AA-BB"), std::optional<QString>("Maker Inc."));
        QCOMPARE(registry.queryCount("AppleHSBluetoothDevice"), 1); // the second answer came from the cache

        QVERIFY(!controller.manufacturerForAddress("aa-bb")); // exact comparison
        QVERIFY(!controller.manufacturerForAddress("EE-FF")); // manufacturer not text
        QVERIFY(!controller.manufacturerForAddress("EE-FF"));
        QCOMPARE(registry.queryCount("AppleHSBluetoothDevice"), 4); // misses scan again
        QCOMPARE(registry.liveHandles(), 0);
    }

    void propertiesByUniqueId()
    {
        MemoryRegistry registry;
        addHidUser(registry, Value("ID-1"), Value(1), Value("First"));
        addHidUser(registry, Value("ID-2"), Value(2));
        addHidUser(registry, Value("ID-1"), Value(6));
        addHidUser(registry, Value("ID-3"), Value("2"), Value("Text usage"));
        IOKitController controller(registry);

        // Several matches: the last usage wins, an earlier manufacturer is kept.
        QCOMPARE(controller.propertiesForUniqueId("ID-1"), std::optional<DeviceProperties>({ 6, "First" }));
        QCOMPARE(controller.propertiesForUniqueId("ID-2"), std::optional<DeviceProperties>({ 2, "-" }));
        QCOMPARE(registry.queryCount("IOHIDUserDevice"), 2);
        QCOMPARE(controller.propertiesForUniqueId("ID-2"), std::optional<DeviceProperties>({ 2, "-" }));
        QCOMPARE(registry.queryCount("IOHIDUserDevice"), 2);

        QVERIFY(!controller.propertiesForUniqueId("ID-3")); // usage must be an integer
        QVERIFY(!controller.propertiesForUniqueId("id-1"));
        QVERIFY(!controller.propertiesForUniqueId("ID-9"));
        QVERIFY(!controller.propertiesForUniqueId("ID-9"));
        QCOMPARE(registry.queryCount("IOHIDUserDevice"), 6);
        QCOMPARE(controller.deviceProperties().size(), 2);
    }

    void cachedAnswersOutliveTheDevice()
    {
        MemoryRegistry registry;
        addHidUser(registry, Value("ID-1"), Value(2), Value("Maker"));
        IOKitController controller(registry);
        QVERIFY(controller.propertiesForUniqueId("ID-1"));
        registry.clear();
        addHidUser(registry, Value("ID-1"), Value(6), Value("New"));
        QCOMPARE(controller.propertiesForUniqueId("ID-1"), std::optional<DeviceProperties>({ 2, "Maker" }));
    }

    void failedQueryGivesNothing()
    {
        MemoryRegistry registry;
        addHidUser(registry, Value("ID-1"), Value(2));
        registry.setQueryFails("IOHIDUserDevice");
        registry.setQueryFails("AppleHSBluetoothDevice");
        IOKitController controller(registry);
        QVERIFY(!controller.propertiesForUniqueId("ID-1"));
        QVERIFY(!controller.manufacturerForAddress("AA"));
        registry.setQueryFails("IOHIDUserDevice", false);
        QVERIFY(controller.propertiesForUniqueId("ID-1"));
    }
};

QTEST_GUILESS_MAIN(IOKitControllerTest)
#include "iokitcontroller_test.moc"

#include "../../core/tests/testsupport.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/registry/memoryregistry.h"
#include "platform/registry/sysfsregistry.h"

#include <QTest>

using platform::MemoryRegistry;
using platform::Registry;
using platform::RegistryEntry;
using platform::Value;

namespace {
const QString kFixture = QStringLiteral(QUENBY_TEST_DATA "/tree.json");

QStringList names(const std::vector<RegistryEntry> &entries)
{
    QStringList out;
    for (const auto &e : entries)
        out << e.name();
    return out;
}
}

class MemoryRegistryTest : public QObject {
    Q_OBJECT
private slots:
    void matchingFollowsClassChainInRegistryOrder_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("own class, across subtrees") << "AppleHSBluetoothDevice" << QStringList { "First", "Third" };
        QTest::newRow("superclass finds subclasses, depth first")
            << "IOHIDDevice" << QStringList { "First", "Second", "Third" };
        QTest::newRow("root class of the chain")
            << "IOService" << QStringList { "AppleSmartBattery", "First", "Second", "Third" };
        QTest::newRow("unknown class") << "NoSuchClass" << QStringList {};
    }

    void matchingFollowsClassChainInRegistryOrder()
    {
        QFETCH(QString, className);
        QFETCH(QStringList, expected);
        MemoryRegistry registry;
        registry.loadFixtureFile(kFixture);
        const auto services = registry.matchingServices(className);
        QVERIFY(services.has_value());
        QCOMPARE(names(*services), expected);
    }

    void fixtureValuesAndParents()
    {
        MemoryRegistry registry;
        registry.loadFixtureFile(kFixture);
        const RegistryEntry battery = registry.firstMatchingService("AppleSmartBattery");
        QVERIFY(battery);
        QCOMPARE(battery.className(), QStringLiteral("AppleSmartBattery"));
        QVERIFY(battery.conformsTo("IOPMPowerSource"));
        QVERIFY(!battery.conformsTo("IOHIDDevice"));
        QCOMPARE(battery.property("Temperature"), Value(3012));
        QCOMPARE(battery.property("Voltage"), Value(12.5));
        QCOMPARE(battery.property("Serial"), Value(QByteArray("\x34\x12")));
        QCOMPARE(battery.property("Seen"), Value(QDateTime(QDate(2024, 2, 6), QTime(10, 0), Qt::UTC)));
        QCOMPARE(battery.property("Nested")->operator[]("Inner"),
            Value(Value::Array { Value(1), Value(QByteArray(1, '\0')) }));
        QVERIFY(!battery.property("Missing").has_value());

        const RegistryEntry parent = battery.parent();
        QCOMPARE(parent.className(), QStringLiteral("AppleSmartBatteryManager"));
        QCOMPARE(parent.property("IOProviderClass"), Value("AppleSMC"));
        QCOMPARE(parent.parent().name(), QStringLiteral("Root"));
        QVERIFY(!parent.parent().parent());
        QVERIFY(!battery.parent("IODeviceTree"));
    }

    void malformedFixtureThrowsAndKeepsEntries_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not an object") << QByteArray("[]");
        QTest::newRow("section not an array") << QByteArray("{\"registry\": {}}");
        QTest::newRow("entry without class") << QByteArray("{\"registry\": [{\"name\": \"x\"}]}");
        QTest::newRow("empty class") << QByteArray("{\"registry\": [{\"class\": \"\"}]}");
        QTest::newRow("unknown member") << QByteArray("{\"registry\": [{\"class\": \"A\", \"propertes\": {}}]}");
        QTest::newRow("properties not an object")
            << QByteArray("{\"registry\": [{\"class\": \"A\", \"properties\": 3}]}");
        QTest::newRow("superclass not text")
            << QByteArray("{\"registry\": [{\"class\": \"A\", \"superclasses\": [1]}]}");
        QTest::newRow("bad base64") << QByteArray(
            "{\"registry\": [{\"class\": \"A\", \"properties\": {\"d\": {\"$data\": \"!!\"}}}]}");
        QTest::newRow("bad date") << QByteArray(
            "{\"registry\": [{\"class\": \"A\", \"properties\": {\"d\": {\"$date\": \"soon\"}}}]}");
        // The first entry is well formed; the load must still add nothing.
        QTest::newRow("bad child after good entry") << QByteArray(
            "{\"registry\": [{\"class\": \"Good\"}, {\"class\": \"B\", \"children\": [{\"class\": 5}]}]}");
    }

    void malformedFixtureThrowsAndKeepsEntries()
    {
        QFETCH(QByteArray, json);
        MemoryRegistry registry;
        registry.addEntry({ "Kept", {}, {}, {} });
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, registry.loadFixture(platform::json::parse(json)));
        QCOMPARE(registry.entriesOfClass("Kept").size(), size_t(1));
        QCOMPARE(registry.entriesOfClass("Good").size(), size_t(0));
    }

    void missingFixtureFileThrows()
    {
        MemoryRegistry registry;
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, registry.loadFixtureFile("/nonexistent/fixture.json"));
    }

    void handlesAreReleased()
    {
        MemoryRegistry registry;
        registry.loadFixtureFile(kFixture);
        {
            auto services = registry.matchingServices("IOHIDDevice");
            QCOMPARE(registry.liveHandles(), 3);
            RegistryEntry copy = services->front();
            RegistryEntry parent = copy.parent();
            QCOMPARE(registry.liveHandles(), 4); // a copy shares its reference; the parent is a new one
            services->clear();
            QCOMPARE(registry.liveHandles(), 2);
            parent.reset();
            QCOMPARE(registry.liveHandles(), 1);
        }
        QCOMPARE(registry.liveHandles(), 0);
    }

    void handleOfRemovedEntryReadsEmpty()
    {
        MemoryRegistry registry;
        const auto parent = registry.addEntry({ "Parent", {}, {}, { { "k", Value(1) } } });
        const auto child = registry.addEntry({ "Child", {}, {}, { { "k", Value(2) } } }, parent);
        const RegistryEntry entry = registry.firstMatchingService("Child");
        QCOMPARE(entry.property("k"), Value(2));
        registry.removeEntry(parent);
        QVERIFY(registry.entriesOfClass("Child").empty());
        QVERIFY(!entry.property("k"));
        QVERIFY(!entry.properties());
        QVERIFY(!entry.parent());
        QCOMPARE(entry.entryId(), child);
    }

    void handleOutlivesRegistry()
    {
        RegistryEntry entry;
        {
            MemoryRegistry registry;
            registry.addEntry({ "A", {}, {}, { { "k", Value(1) } } });
            entry = registry.firstMatchingService("A");
        }
        QCOMPARE(entry.property("k"), Value(1));
    }

    void injectedFailures()
    {
        MemoryRegistry registry;
        const auto parent = registry.addEntry({ "P", {}, {}, { { "k", Value(1) } } });
        const auto child = registry.addEntry({ "C", {}, {}, { { "k", Value(2) } } }, parent);

        registry.setQueryFails("C");
        QVERIFY(!registry.matchingServices("C").has_value());
        QVERIFY(!registry.firstMatchingService("C"));
        registry.setQueryFails("C", false);
        QCOMPARE(registry.matchingServices("C")->size(), size_t(1));

        const RegistryEntry entry = registry.firstMatchingService("C");
        registry.setPropertiesUnreadable(child);
        QVERIFY(!entry.properties());
        QVERIFY(!entry.property("k"));
        QVERIFY(entry.parent()); // unreadable properties do not cut the tree

        registry.setParentUnreachable(child);
        QVERIFY(!entry.parent());
        registry.setParentUnreachable(child, false);
        registry.setPropertiesUnreadable(child, false);
        QCOMPARE(entry.parent().property("k"), Value(1));
        QCOMPARE(registry.queryCount("C"), 4);
        QCOMPARE(registry.queryCount("P"), 0);
    }

    void liveReadsAndCounters()
    {
        MemoryRegistry registry;
        const auto id = registry.addEntry({ "A", {}, {}, {} });
        const RegistryEntry entry = registry.firstMatchingService("A");
        registry.setProperty(id, "k", Value("v"));
        QCOMPARE(entry.property("k"), Value("v"));
        registry.removeProperty(id, "k");
        QCOMPARE(entry.properties()->size(), size_t(0));
        QCOMPARE(registry.propertyReads(), 2);
        QCOMPARE(registry.totalQueries(), 1);
        registry.resetCounters();
        QCOMPARE(registry.totalQueries(), 0);
        QCOMPARE(registry.queryCount("A"), 0);
        QCOMPARE(registry.addEntry({ "Orphan", {}, {}, {} }, 999), MemoryRegistry::EntryId(0));
    }

    void scopedRegistryRestoresPrevious()
    {
        Registry &before = Registry::current();
        MemoryRegistry outer;
        MemoryRegistry inner;
        {
            platform::ScopedRegistry a(outer);
            QCOMPARE(&Registry::current(), &outer);
            {
                platform::ScopedRegistry b(inner);
                QCOMPARE(&Registry::current(), &inner);
            }
            QCOMPARE(&Registry::current(), &outer);
        }
        QCOMPARE(&Registry::current(), &before);
        // Without a guard the process reads the machine's own registry.
        QVERIFY(dynamic_cast<platform::SysfsRegistry *>(&Registry::current()));
    }
};

QTEST_GUILESS_MAIN(MemoryRegistryTest)
#include "memoryregistry_test.moc"

#include "fennic/lowenergypersistency.h"
#include "platform/core/userdefaults.h"

#include <QTest>

using fennic::LowEnergyPersistency;
using platform::UserDefaults;
using platform::Value;

// The lists are read once per process, so the functions below run in order on one defaults directory.
class LowEnergyPersistencyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_directory = std::make_unique<platform::ScopedUserDefaultsDirectory>();
        UserDefaults::standard().set(LowEnergyPersistency::noBatteryServiceDevicesKey, Value("not a list"));
        UserDefaults::standard().set(
            LowEnergyPersistency::monitoredDevicesKey, Value(Value::Array { Value("A"), Value("B") }));
    }

    void listsAreReadOnFirstUse()
    {
        QCOMPARE(LowEnergyPersistency::noBatteryServiceDevices(), QStringList());
        QCOMPARE(LowEnergyPersistency::monitoredDevices(), (QStringList { "A", "B" }));
        QVERIFY(LowEnergyPersistency::isMonitored("B"));
        // Later changes of the stored value do not reach the in-memory list.
        UserDefaults::standard().set(LowEnergyPersistency::monitoredDevicesKey, Value(Value::Array { Value("C") }));
        QVERIFY(!LowEnergyPersistency::isMonitored("C"));
    }

    void additionOverwritesAMalformedValue()
    {
        LowEnergyPersistency::addNoBatteryServiceDevice("X");
        LowEnergyPersistency::addNoBatteryServiceDevice("X");
        QCOMPARE(LowEnergyPersistency::noBatteryServiceDevices(), QStringList { "X" });
        QCOMPARE(UserDefaults::standard().value(LowEnergyPersistency::noBatteryServiceDevicesKey),
            std::optional<Value>(Value(Value::Array { Value("X") })));
    }

    void monitoredListReadsAfreshOnChange()
    {
        // The stored list is now ["C"]: an addition starts from it, not from the in-memory ["A", "B"].
        LowEnergyPersistency::addMonitoredDevice("D");
        QCOMPARE(LowEnergyPersistency::monitoredDevices(), (QStringList { "C", "D" }));
        LowEnergyPersistency::setMonitoredDevices({ "E", "F", "E" });
        LowEnergyPersistency::removeMonitoredDevice("E");
        QCOMPARE(LowEnergyPersistency::monitoredDevices(), QStringList { "F" });
        QCOMPARE(UserDefaults::standard().stringArray(LowEnergyPersistency::monitoredDevicesKey),
            std::optional<QStringList>(QStringList { "F" }));
        LowEnergyPersistency::removeMonitoredDevice("absent");
        QCOMPARE(LowEnergyPersistency::monitoredDevices(), QStringList { "F" });
        QVERIFY(!LowEnergyPersistency::isMonitored("E"));
    }

private:
    std::unique_ptr<platform::ScopedUserDefaultsDirectory> m_directory;
};

QTEST_GUILESS_MAIN(LowEnergyPersistencyTest)
#include "lowenergypersistency_test.moc"

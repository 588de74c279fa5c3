#include "dorsk/memoryhelperdatamodel.h"
#include "platform/core/coding.h"
#include "samplelists.h"

#include <QTest>

using dorsk::MemoryHelperDataModel;
using dorsk::SensorDataModelKey;
using platform::Value;

namespace {
QString fixture(const char *name) { return QStringLiteral(QUENBY_TEST_DATA "/") + QString::fromLatin1(name); }

Value document(Value section)
{
    return Value(Value::Dictionary { { QStringLiteral("helperStore"), std::move(section) } });
}
}

class MemoryHelperDataModelTest : public QObject {
    Q_OBJECT
private slots:
    void loadsTheMachinesStore()
    {
        MemoryHelperDataModel store;
        store.loadFixtureFile(fixture("helper-machine.json"));

        const auto singles = store.singleBatteryDevices();
        QVERIFY(singles);
        QCOMPARE(singles->size(), std::size_t(1));
        QCOMPARE(singles->front()->name(), QStringLiteral("Office Mouse"));
        QCOMPARE(singles->front()->batteryLevel(), std::optional<std::uint8_t>(44));
        const auto doubles = store.doubleBatteryDevices();
        QVERIFY(doubles);
        QCOMPARE(doubles->front()->firstLevel(), std::optional<std::uint8_t>(35));
        QVERIFY(!doubles->front()->secondLevel());
        QVERIFY(doubles->front()->isCharging());
        QCOMPARE(store.fans()->size(), 0);
        QVERIFY(!store.sensors()); // not named: absent
    }

    // Every read decodes anew, so records are never shared between reads.
    void readsGiveFreshRecords()
    {
        MemoryHelperDataModel store;
        store.setSingleBatteryDevices(dorsktest::sampleSingles());
        QVERIFY(store.singleBatteryDevices()->front() != store.singleBatteryDevices()->front());
        QCOMPARE(dorsktest::encodedDevices(*store.singleBatteryDevices()),
            dorsktest::encodedDevices(dorsktest::sampleSingles()));
        store.setSensors(dorsktest::sampleSensors());
        QCOMPARE(store.sensors()->size(), dorsktest::sampleSensors().size());
        store.clear();
        QVERIFY(!store.singleBatteryDevices());
        QVERIFY(!store.sensors());
    }

    void aListWithOneBadRecordReadsAsNone()
    {
        MemoryHelperDataModel store;
        Value::Array list { dorsktest::sampleSingles().front()->encoded(), Value("not a record") };
        store.setList(SensorDataModelKey::singleBatteryDevices, list);
        QVERIFY(!store.singleBatteryDevices());
    }

    void malformedSectionsLoadNothing_data()
    {
        QTest::addColumn<Value>("document");
        QTest::addColumn<QString>("place");
        QTest::newRow("document not an object") << Value(Value::Array {}) << QStringLiteral("fixture");
        QTest::newRow("section not an object") << document(Value(Value::Array {})) << QStringLiteral("helperStore");
        QTest::newRow("unknown list") << document(
            Value(Value::Dictionary { { QStringLiteral("batteries"), Value(Value::Array {}) } }))
                                      << QStringLiteral("helperStore.batteries");
        QTest::newRow("list not an array")
            << document(Value(Value::Dictionary { { QStringLiteral("fans"), Value(3) } }))
            << QStringLiteral("helperStore.fans");
        Value::Dictionary noSerial = dorsktest::deviceFields("x", "Mouse", "Mouse");
        noSerial.erase(QStringLiteral("serial"));
        QTest::newRow("record that does not decode")
            << document(Value(Value::Dictionary { { QStringLiteral("singleBatteryDevices"),
                   Value(Value::Array { dorsktest::sampleSingles().front()->encoded(), Value(noSerial) }) } }))
            << QStringLiteral("helperStore.singleBatteryDevices[1]");
    }
    void malformedSectionsLoadNothing()
    {
        QFETCH(Value, document);
        QFETCH(QString, place);
        MemoryHelperDataModel store;
        store.loadFixtureFile(fixture("helper-machine.json"));
        try {
            store.loadFixture(document);
            QFAIL("loaded a malformed section");
        } catch (const platform::DecodingError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).startsWith(place), error.what());
        }
        QCOMPARE(store.singleBatteryDevices()->front()->name(), QStringLiteral("Office Mouse"));
        QVERIFY(store.doubleBatteryDevices());
    }

    void aDocumentWithoutTheSectionChangesNothing()
    {
        MemoryHelperDataModel store;
        store.setFans(dorsktest::sampleFans());
        store.loadFixture(Value(Value::Dictionary { { QStringLiteral("registry"), Value(Value::Array {}) } }));
        QCOMPARE(store.fans()->size(), 2);
    }
};

QTEST_GUILESS_MAIN(MemoryHelperDataModelTest)
#include "memoryhelperdatamodel_test.moc"

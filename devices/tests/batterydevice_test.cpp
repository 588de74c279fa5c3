#include "fennic/batterydevice.h"
#include "fennic/doublebatterydevice.h"
#include "fennic/manufacturers.h"
#include "fennic/singlebatterydevice.h"
#include "platform/core/bundle.h"
#include "platform/core/plist.h"
#include "platform/core/systemversion.h"

#include <tavrin/images.h>

#include <QFile>
#include <QSet>
#include <QTest>

#include <unordered_set>

using namespace fennic;
using platform::Value;

Q_DECLARE_METATYPE(fennic::DeviceType)

namespace {
using Level = std::optional<std::uint8_t>;

Value roundTrip(const Value &v)
{
    return platform::plist::parse(platform::plist::serialize(v, platform::plist::Format::Binary));
}

QStringList keysOf(const Value &v)
{
    QStringList keys;
    for (const auto &[k, _] : *v.toDictionary())
        keys << k;
    return keys;
}

void compareBase(const BatteryDevice &a, const BatteryDevice &b)
{
    QCOMPARE(a.isCharging(), b.isCharging());
    QCOMPARE(a.type(), b.type());
    QCOMPARE(a.batteryLevel(), b.batteryLevel());
    QCOMPARE(a.name(), b.name());
    QCOMPARE(a.productId(), b.productId());
    QCOMPARE(a.serial(), b.serial());
    QCOMPARE(a.manufacturer(), b.manufacturer());
    QCOMPARE(a.vendorId(), b.vendorId());
}
}

class BatteryDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void nameOnCreation_data()
    {
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("given name kept") << DeviceType::mouse << "Desk Mouse"
                                         << "Desk Mouse";
        QTest::newRow("mouse, empty") << DeviceType::mouse << ""
                                      << "Mouse";
        QTest::newRow("keyboard, empty") << DeviceType::keyboard << ""
                                         << "Keyboard";
        QTest::newRow("charging case, empty") << DeviceType::chargingCase << ""
                                              << "Charging Case";
        QTest::newRow("low energy, empty") << DeviceType::lowEnergy << ""
                                           << "Unknown";
        QTest::newRow("undefined, empty") << DeviceType::undefined << ""
                                          << "Unknown";
    }

    void nameOnCreation()
    {
        QFETCH(DeviceType, type);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const BatteryDevice device(type, name);
        QCOMPARE(device.name(), expected);
        QCOMPARE(device.type(), type);
        QCOMPARE(device.serial().size(), 36);
        QCOMPARE(device.serial(), device.serial().toUpper());
        QVERIFY(!device.batteryLevel());
        QVERIFY(!device.isCharging());
    }

    void namesFollowTheLanguage()
    {
        platform::Bundle::setPreferredLanguages({ QStringLiteral("de") });
        const BatteryDevice device(DeviceType::mouse);
        const QString kind = description(DeviceType::keyboard);
        const QString unknown = Manufacturers::manufacturerName(615);
        platform::Bundle::setPreferredLanguages({ QStringLiteral("en") });
        QCOMPARE(device.name(), QStringLiteral("Maus"));
        QCOMPARE(kind, QStringLiteral("Tastatur"));
        QCOMPARE(unknown, QStringLiteral("Unbekannter Hersteller"));
    }

    void equalityIgnoresCase()
    {
        auto a = std::make_shared<BatteryDevice>(DeviceType::mouse, QStringLiteral("First"));
        auto b = std::make_shared<SingleBatteryDevice>(DeviceType::keyboard, QStringLiteral("Second"), Value(10));
        a->setSerial(QStringLiteral("AA-BB"));
        b->setSerial(QStringLiteral("aa-bb"));
        QVERIFY(*a == *b);
        QCOMPARE(a->hashValue(), b->hashValue());
        struct Hash {
            size_t operator()(const std::shared_ptr<BatteryDevice> &d) const { return d->hashValue(); }
        };
        struct Equal {
            bool operator()(const std::shared_ptr<BatteryDevice> &x, const std::shared_ptr<BatteryDevice> &y) const
            {
                return *x == *y;
            }
        };
        std::unordered_set<std::shared_ptr<BatteryDevice>, Hash, Equal> set;
        QVERIFY(set.insert(a).second);
        QVERIFY(!set.insert(b).second);
        QCOMPARE(set.size(), size_t(1));
        QCOMPARE(set.begin()->get(), a.get());
        QCOMPARE(qHash(*a, 7), qHash(*b, 7));
        b->setSerial(QStringLiteral("aa-bc"));
        QVERIFY(!(*a == *b));
    }

    void levelFromNumber_data()
    {
        QTest::addColumn<Value>("number");
        QTest::addColumn<Level>("expected");
        QTest::newRow("fraction 0.42") << Value(0.42) << Level(42);
        QTest::newRow("fraction 0.5") << Value(0.5) << Level(50);
        QTest::newRow("fraction 0.999 truncates") << Value(0.999) << Level(99);
        QTest::newRow("tiny fraction") << Value(0.001) << Level(0);
        QTest::newRow("integer 75") << Value(75) << Level(75);
        QTest::newRow("integer 1 is one percent") << Value(1) << Level(1);
        QTest::newRow("real 1.0 is one percent") << Value(1.0) << Level(1);
        QTest::newRow("1.5 truncates") << Value(1.5) << Level(1);
        QTest::newRow("100") << Value(100) << Level(100);
        QTest::newRow("100.7 truncates") << Value(100.7) << Level(100);
        QTest::newRow("zero") << Value(0) << Level();
        QTest::newRow("101") << Value(101) << Level();
        QTest::newRow("150") << Value(150) << Level();
        QTest::newRow("negative") << Value(-3) << Level();
        QTest::newRow("negative fraction") << Value(-0.5) << Level();
        QTest::newRow("text") << Value("75") << Level();
        QTest::newRow("null") << Value() << Level();
    }

    void levelFromNumber()
    {
        QFETCH(Value, number);
        QFETCH(Level, expected);
        const SingleBatteryDevice device(DeviceType::keyboard, QStringLiteral("K"), number);
        QCOMPARE(device.batteryLevel(), expected);
    }

    void imageName_data()
    {
        QTest::addColumn<DeviceType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("on12");
        QTest::addColumn<QString>("on11");
        QTest::newRow("keyboard") << DeviceType::keyboard << "AirPods"
                                  << "keyboard"
                                  << "keyboard";
        QTest::newRow("mouse") << DeviceType::mouse << ""
                               << "magicmouse"
                               << "cursorarrow";
        QTest::newRow("trackpad") << DeviceType::trackpad << ""
                                  << "rectangle"
                                  << "rectangle";
        QTest::newRow("headphones") << DeviceType::headphones << ""
                                    << "headphones"
                                    << "headphones";
        QTest::newRow("headset") << DeviceType::headset << ""
                                 << "headphones"
                                 << "headphones";
        QTest::newRow("case pro") << DeviceType::chargingCase << "AirPods PRO Case"
                                  << "airpodspro.chargingcase.wireless"
                                  << "bolt.fill";
        QTest::newRow("case") << DeviceType::chargingCase << "Case"
                              << "airpods.chargingcase"
                              << "bolt.fill";
        QTest::newRow("low energy") << DeviceType::lowEnergy << "AirPods"
                                    << "dot.radiowaves.right"
                                    << "dot.radiowaves.right";
        QTest::newRow("airpods2") << DeviceType::undefined << "My AirPods2"
                                  << "airpods.chargingcase"
                                  << "bolt.fill";
        QTest::newRow("airpods pro") << DeviceType::undefined << "AirPods Pro"
                                     << "airpodspro"
                                     << "airpods";
        QTest::newRow("airpods max") << DeviceType::undefined << "AirPods Max"
                                     << "airpodsmax"
                                     << "headphones";
        QTest::newRow("airpods") << DeviceType::undefined << "airpods"
                                 << "airpods"
                                 << "airpods";
        QTest::newRow("beats solo") << DeviceType::undefined << "Beats Solo3"
                                    << "beats.headphones"
                                    << "headphones";
        QTest::newRow("powerbeats") << DeviceType::undefined << "Powerbeats"
                                    << "beats.powerbeats"
                                    << "headphones";
        QTest::newRow("powerbeats pro") << DeviceType::undefined << "Powerbeats Pro"
                                        << "beats.powerbeats"
                                        << "headphones";
        QTest::newRow("magic mouse by name") << DeviceType::undefined << "My Magic Mouse"
                                             << "magicmouse"
                                             << "cursorarrow";
        QTest::newRow("headset by name only") << DeviceType::undefined << "Headset X"
                                              << "dot.radiowaves.right"
                                              << "dot.radiowaves.right";
    }

    void imageName()
    {
        QFETCH(DeviceType, type);
        QFETCH(QString, name);
        QFETCH(QString, on12);
        QFETCH(QString, on11);
        const BatteryDevice device(type, name);
        {
            platform::ScopedSystemVersion version(12);
            QCOMPARE(device.imageName(), on12);
        }
        {
            platform::ScopedSystemVersion version(11, 6);
            QCOMPARE(device.imageName(), on11);
        }
    }

    void unitImageNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("major");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("airpods pro") << "AirPods Pro" << 12 << "airpodpro.left"
                                     << "airpodpro.right";
        QTest::newRow("airpods") << "Anna's AirPods" << 11 << "airpod.left"
                                 << "airpod.right";
        QTest::newRow("beats on 12") << "Powerbeats Pro" << 12 << "beats.powerbeatspro.left"
                                     << "beats.powerbeatspro.right";
        QTest::newRow("beats on 11") << "Powerbeats Pro" << 11 << "l.circle.fill"
                                     << "r.circle.fill";
        QTest::newRow("other") << "Buds" << 12 << "l.circle.fill"
                               << "r.circle.fill";
    }

    void unitImageNames()
    {
        QFETCH(QString, name);
        QFETCH(int, major);
        QFETCH(QString, left);
        QFETCH(QString, right);
        platform::ScopedSystemVersion version(major);
        const DoubleBatteryDevice device(name, QStringLiteral("S"), 0x004C, std::nullopt, 1, 2);
        QCOMPARE(device.leftImageName(), left);
        QCOMPARE(device.rightImageName(), right);
    }

    // A record's picture is only as good as the symbol set behind it: a name without a drawing would
    // show a blank picture.
    void everyChosenSymbolHasAPicture()
    {
        const QStringList names { "", "AirPods Pro", "AirPods2", "AirPods Max", "AirPods", "Beats Solo3", "Powerbeats",
            "My Magic Mouse", "Pro Case", "Buds" };
        QSet<QString> chosen;
        for (int major : { 11, 12 }) {
            platform::ScopedSystemVersion version(major);
            for (auto type : { DeviceType::undefined, DeviceType::keyboard, DeviceType::mouse, DeviceType::trackpad,
                     DeviceType::headphones, DeviceType::headset, DeviceType::lowEnergy, DeviceType::chargingCase }) {
                for (const QString &name : names) {
                    const BatteryDevice device(type, name);
                    chosen.insert(device.imageName());
                    QVERIFY(!device.image().isBlank());
                }
            }
            for (const QString &name : names) {
                const DoubleBatteryDevice device(name, QStringLiteral("S"), 0x004C, std::nullopt, 1, 2);
                chosen << device.leftImageName() << device.rightImageName();
                QVERIFY(!device.leftImage().isBlank() && !device.rightImage().isBlank());
            }
        }
        for (const QString &name : std::as_const(chosen))
            QVERIFY2(tavrin::Images::knowsSymbol(name), qPrintable(name));
    }

    void helperInitialisers()
    {
        const SingleBatteryDevice single(QString(), QStringLiteral("S-1"), 0x004C, 42, 17, QStringLiteral("Mouse"));
        QCOMPARE(single.name(), QStringLiteral("Unknown")); // settled before the kind changed
        QCOMPARE(single.type(), DeviceType::mouse);
        QCOMPARE(single.serial(), QStringLiteral("S-1"));
        QCOMPARE(single.manufacturer(), std::optional<QString>("Apple Inc."));
        QCOMPARE(single.vendorId(), std::optional<std::uint16_t>(0x004C));
        QCOMPARE(single.productId(), std::optional<std::int64_t>(42));
        QCOMPARE(single.batteryLevel(), Level(17));

        const SingleBatteryDevice unknownType(
            QStringLiteral("X"), QStringLiteral("S"), 1, std::nullopt, 3, QStringLiteral("mouse"));
        QCOMPARE(unknownType.type(), DeviceType::undefined);

        const DoubleBatteryDevice pods(QString(), QStringLiteral("D-1"), 615, std::nullopt, std::nullopt, 40);
        QCOMPARE(pods.name(), QStringLiteral("Headphones"));
        QCOMPARE(pods.type(), DeviceType::headphones);
        QCOMPARE(pods.manufacturer(), std::optional<QString>("Unknown Manufacturer"));
        QVERIFY(!pods.vendorId());
        QCOMPARE(pods.firstLevel(), Level());
        QCOMPARE(pods.secondLevel(), Level(40));

        const DoubleBatteryDevice headset(QString(), QStringLiteral("D-2"), 0x012D, 5, 1, 2, QStringLiteral("Headset"));
        QCOMPARE(headset.type(), DeviceType::headset);
        QCOMPARE(headset.name(), QStringLiteral("Headphones"));
    }

    void manufacturers()
    {
        QCOMPARE(Manufacturers::manufacturerName(0x046D), QStringLiteral("Logitech Inc."));
        QCOMPARE(Manufacturers::manufacturerName(0x009E), QStringLiteral("Bose Corporation"));
        QCOMPARE(Manufacturers::manufacturerName(615), QStringLiteral("Unknown Manufacturer"));
        QVERIFY(!Manufacturers::name(615));
    }

    void rawTexts()
    {
        for (auto type : { DeviceType::undefined, DeviceType::keyboard, DeviceType::mouse, DeviceType::trackpad,
                 DeviceType::headphones, DeviceType::headset, DeviceType::lowEnergy, DeviceType::chargingCase })
            QCOMPARE(deviceTypeFromRawText(rawText(type)), std::optional<DeviceType>(type));
        QCOMPARE(rawText(DeviceType::lowEnergy), QStringLiteral("Low Energy"));
        QVERIFY(!deviceTypeFromRawText(QStringLiteral("keyboard")));
        QVERIFY(!deviceTypeFromRawText(QStringLiteral("Charging_Case")));
    }

    void minimalRecordWritesFourKeys()
    {
        BatteryDevice device(DeviceType::trackpad, QStringLiteral("Pad"));
        const Value encoded = device.encoded();
        QCOMPARE(keysOf(encoded), (QStringList { "isCharging", "name", "serial", "type" }));
        const auto decoded = SingleBatteryDevice::decode(roundTrip(encoded));
        compareBase(*decoded, device);
        QVERIFY(!decoded->internalName());
    }

    void singleRoundTripsThroughPropertyList()
    {
        SingleBatteryDevice device(
            QStringLiteral("Keys"), QStringLiteral("aa-bb-cc"), 0x046D, -5, 88, QStringLiteral("Keyboard"));
        device.setCharging(true);
        device.setInternalName(QStringLiteral("iPhone12,1"));
        const auto decoded = SingleBatteryDevice::decode(roundTrip(device.encoded()));
        compareBase(*decoded, device);
        QVERIFY(!decoded->internalName()); // never encoded
        QCOMPARE(keysOf(device.encoded()).size(), 8);
    }

    void doubleRoundTripsThroughPropertyList_data()
    {
        QTest::addColumn<Level>("first");
        QTest::addColumn<Level>("second");
        QTest::newRow("both") << Level(0) << Level(255);
        QTest::newRow("first absent") << Level() << Level(60);
        QTest::newRow("both absent") << Level() << Level();
    }

    void doubleRoundTripsThroughPropertyList()
    {
        QFETCH(Level, first);
        QFETCH(Level, second);
        DoubleBatteryDevice device(QStringLiteral("Buds"), QStringLiteral("D"), 0x004C, 7, first, second);
        device.setBatteryLevel(30);
        const Value encoded = device.encoded();
        QCOMPARE(keysOf(encoded).size(), 9); // no vendorId: the vendor only chose the manufacturer
        QVERIFY(encoded.find("firstLevel") && encoded.find("secondLevel"));
        const auto decoded = DoubleBatteryDevice::decode(roundTrip(encoded));
        compareBase(*decoded, device);
        QCOMPARE(decoded->firstLevel(), first);
        QCOMPARE(decoded->secondLevel(), second);
    }

    void decodesStoredPropertyList()
    {
        QFile file(QStringLiteral(QUENBY_TEST_DATA "/helper-store-batteries.plist"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Value list = platform::plist::parse(file.readAll());
        QCOMPARE(list.toArray()->size(), size_t(2));
        const auto buds = DoubleBatteryDevice::decode(list.toArray()->at(0));
        QCOMPARE(buds->name(), QStringLiteral("Studio Buds"));
        QCOMPARE(buds->serial(), QStringLiteral("A1-B2-C3"));
        QCOMPARE(buds->firstLevel(), Level());
        QCOMPARE(buds->secondLevel(), Level(80));
        QCOMPARE(buds->manufacturer(), std::optional<QString>("Sony Corporation"));
        const auto caseRecord = DoubleBatteryDevice::decode(list.toArray()->at(1));
        QCOMPARE(caseRecord->type(), DeviceType::chargingCase);
        QVERIFY(caseRecord->isCharging());
        QCOMPARE(caseRecord->batteryLevel(), Level(5));
        QCOMPARE(caseRecord->vendorId(), std::optional<std::uint16_t>(76));
        QCOMPARE(caseRecord->productId(), std::optional<std::int64_t>(8212));
        QCOMPARE(caseRecord->secondLevel(), Level(255));
        // The same dictionaries read as single-battery records too: the level keys are simply extra.
        QCOMPARE(SingleBatteryDevice::decode(list.toArray()->at(1))->serial(), QStringLiteral("CASE-1"));
    }

    void decodingFails_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Value>("value"); // null: remove the key
        QTest::newRow("type in lower case") << "single"
                                            << "type" << Value("keyboard");
        QTest::newRow("level 256") << "single"
                                   << "batteryLevel" << Value(256);
        QTest::newRow("negative level") << "single"
                                        << "batteryLevel" << Value(-1);
        QTest::newRow("level as text") << "single"
                                       << "batteryLevel" << Value("50");
        QTest::newRow("vendor beyond 16 bits") << "single"
                                               << "vendorId" << Value(70000);
        QTest::newRow("charging as number") << "single"
                                            << "isCharging" << Value(1);
        QTest::newRow("no name") << "single"
                                 << "name" << Value();
        QTest::newRow("no serial") << "single"
                                   << "serial" << Value();
        QTest::newRow("no type") << "single"
                                 << "type" << Value();
        QTest::newRow("no charging flag") << "single"
                                          << "isCharging" << Value();
        QTest::newRow("serial as number") << "single"
                                          << "serial" << Value(12);
        QTest::newRow("double: no first level") << "double"
                                                << "firstLevel" << Value();
        QTest::newRow("double: second level 256") << "double"
                                                  << "secondLevel" << Value(256);
        QTest::newRow("double: level as text") << "double"
                                               << "firstLevel" << Value("low");
        QTest::newRow("double: type unknown") << "double"
                                              << "type" << Value("Earbuds");
    }

    void decodingFails()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(Value, value);
        const DoubleBatteryDevice valid(QStringLiteral("Buds"), QStringLiteral("D"), 0x004C, 7, 10, 20);
        Value encoded = valid.encoded();
        encoded.toDictionary()->insert_or_assign(QStringLiteral("batteryLevel"), Value(5));
        encoded.toDictionary()->insert_or_assign(QStringLiteral("vendorId"), Value(1));
        if (value.isNull())
            encoded.toDictionary()->erase(key);
        else
            encoded.toDictionary()->insert_or_assign(key, value);
        encoded = roundTrip(encoded);
        if (kind == QLatin1String("single"))
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, SingleBatteryDevice::decode(encoded));
        else
            QVERIFY_THROWS_EXCEPTION(platform::DecodingError, DoubleBatteryDevice::decode(encoded));
    }

    void decodingANonDictionaryFails()
    {
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, SingleBatteryDevice::decode(Value("record")));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, DoubleBatteryDevice::decode(Value(Value::Array {})));
    }

    void testDevices()
    {
        const auto &devices = BatteryDevice::testDevices();
        QCOMPARE(devices.size(), size_t(4));
        QCOMPARE(devices[1]->name(), QStringLiteral("Test Magic Mouse"));
        QCOMPARE(devices[1]->batteryLevel(), Level(66));
        const auto *pods = dynamic_cast<const DoubleBatteryDevice *>(devices[3].get());
        QVERIFY(pods);
        QCOMPARE(pods->serial(), QStringLiteral("00-11-22-33"));
        QCOMPARE(pods->firstLevel(), Level(50));
        QCOMPARE(&BatteryDevice::testDevices(), &devices);
    }
};

QTEST_GUILESS_MAIN(BatteryDeviceTest)
#include "batterydevice_test.moc"

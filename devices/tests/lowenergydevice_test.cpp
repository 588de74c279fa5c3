#include "fennic/lowenergydevice.h"
#include "platform/bluetooth/memorycentral.h"
#include "platform/core/bundle.h"
#include "platform/core/clock.h"
#include "platform/core/systemversion.h"

#include <tavrin/images.h>

#include <QTest>

using namespace fennic;
using platform::MemoryCentral;

namespace {
const QUuid kId = QUuid::fromString(QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"));
}

class LowEnergyDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void createdFromAPeripheral()
    {
        platform::ManualClock clock(std::chrono::milliseconds(1'700'000'123'456));
        platform::ScopedClock useClock(clock);
        MemoryCentral central;
        const LowEnergyDevice named(central.addPeripheral({ kId, QStringLiteral("Buds"), {}, true }));
        QCOMPARE(named.serial(), QStringLiteral("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0"));
        QCOMPARE(named.name(), QStringLiteral("Buds"));
        QCOMPARE(named.model(), std::optional<QString>("Buds"));
        QCOMPARE(named.lastUpdate(), 1'700'000'123.456);
        QCOMPARE(named.type(), DeviceType::undefined);
        QVERIFY(!named.isConnected() && !named.isDiscovered() && !named.isMouse() && !named.isKeyboard());
        QVERIFY(named.properties().empty());

        const auto other = QUuid::fromString(QStringLiteral("11111111-2222-3333-4444-555555555555"));
        const LowEnergyDevice unnamed(central.addPeripheral({ other, std::nullopt, {}, true }));
        QCOMPARE(unnamed.name(), QStringLiteral("Unknown"));
        QCOMPARE(unnamed.model(), std::optional<QString>("Unknown"));
    }

    void imageName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("manufacturer"); // "" = absent
        QTest::addColumn<QString>("internalName"); // "" = absent
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<int>("major");
        QTest::addColumn<QString>("expected");
        QTest::newRow("phone model") << "Phone"
                                     << ""
                                     << "iPhone12,1" << false << false << 12 << "iphone";
        QTest::newRow("tablet model") << "Tab"
                                      << ""
                                      << "iPad8,1" << true << false << 12 << "ipad";
        QTest::newRow("watch model") << "W"
                                     << ""
                                     << "Watch6,18" << false << false << 12 << "applewatch";
        QTest::newRow("ipod model") << "P"
                                    << ""
                                    << "iPod7,1" << false << false << 12 << "ipod";
        QTest::newRow("unknown ipod falls through") << "Gadget"
                                                    << ""
                                                    << "iPod6,1" << false << false << 12 << "dot.radiowaves.right";
        QTest::newRow("logitech mouse word") << "MX Master 3"
                                             << "Logitech Inc."
                                             << "" << false << true << 12 << "cursorarrow";
        QTest::newRow("logitech keyboard word") << "MX Keys"
                                                << "Logitech"
                                                << "" << true << false << 12 << "keyboard";
        QTest::newRow("first matching word decides") << "K380 Master"
                                                     << "Logitech"
                                                     << "" << false << false << 12 << "keyboard";
        QTest::newRow("first matching word decides, mouse") << "Master K380"
                                                            << "Logitech"
                                                            << "" << false << false << 12 << "cursorarrow";
        QTest::newRow("words are case-sensitive") << "mx master"
                                                  << "Logitech"
                                                  << "" << false << false << 12 << "dot.radiowaves.right";
        QTest::newRow("maker is case-sensitive") << "MX Master"
                                                 << "logitech"
                                                 << "" << false << false << 12 << "dot.radiowaves.right";
        QTest::newRow("hid mouse") << "Thing"
                                   << ""
                                   << "" << true << false << 12 << "computermouse";
        QTest::newRow("hid mouse before 12") << "Thing"
                                             << ""
                                             << "" << true << false << 11 << "cursorarrow";
        QTest::newRow("both flags: mouse") << "Thing"
                                           << ""
                                           << "" << true << true << 12 << "computermouse";
        QTest::newRow("hid keyboard") << "Thing"
                                      << ""
                                      << "" << false << true << 12 << "keyboard";
        QTest::newRow("base choice by name") << "AirPods Pro"
                                             << ""
                                             << "" << false << false << 12 << "airpodspro";
        QTest::newRow("base choice before 12") << "AirPods Pro"
                                               << ""
                                               << "" << false << false << 11 << "airpods";
    }

    void imageName()
    {
        QFETCH(QString, name);
        QFETCH(QString, manufacturer);
        QFETCH(QString, internalName);
        QFETCH(bool, mouse);
        QFETCH(bool, keyboard);
        QFETCH(int, major);
        QFETCH(QString, expected);
        MemoryCentral central;
        LowEnergyDevice device(central.addPeripheral({ kId, name, {}, true }));
        if (!manufacturer.isEmpty())
            device.setManufacturer(manufacturer);
        if (!internalName.isEmpty())
            device.setInternalName(internalName);
        device.setMouse(mouse);
        device.setKeyboard(keyboard);
        platform::ScopedSystemVersion version(major);
        QCOMPARE(device.imageName(), expected);
        QVERIFY2(tavrin::Images::knowsSymbol(expected), qPrintable(expected));
        QVERIFY(!device.image().isBlank());
    }

    // Where neither the model, nor the maker's words, nor the HID side, nor the name tell a kind, what
    // BlueZ knows of the device does: its Appearance, else its Class of Device, else its icon. Values
    // as real devices give them.
    void kindFromTheSystem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon"); // "" = none
        QTest::addColumn<int>("appearance"); // -1 = none
        QTest::addColumn<qlonglong>("deviceClass"); // -1 = none
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<QString>("expected");
        QTest::newRow("headset by class") << "WH-1000XM3"
                                          << "" << -1 << 0x240404ll << false << "headphones";
        QTest::newRow("headphones by class") << "QCY-qs2_R"
                                             << "" << -1 << 0x240418ll << false << "headphones";
        QTest::newRow("phone by class") << "Phone"
                                        << "" << -1 << 0x5a020cll << false << "iphone";
        QTest::newRow("computer by class") << "Computer"
                                           << "" << -1 << 0x6c010cll << false << "laptopcomputer";
        QTest::newRow("keyboard by class") << "K-100"
                                           << "" << -1 << 0x002540ll << false << "keyboard";
        QTest::newRow("mouse by class") << "M-100"
                                        << "" << -1 << 0x002580ll << false << "computermouse";
        QTest::newRow("earbuds by appearance") << "Buds2"
                                               << "" << 0x0941 << -1ll << false << "airpods";
        QTest::newRow("headphones by appearance") << "Q30"
                                                  << "" << 0x0943 << -1ll << false << "headphones";
        QTest::newRow("mouse by appearance") << "Arc Touch Mouse SE"
                                             << "" << 0x03C2 << -1ll << false << "computermouse";
        QTest::newRow("keyboard by appearance") << "K-200"
                                                << "" << 0x03C1 << -1ll << false << "keyboard";
        QTest::newRow("watch by appearance") << "Band"
                                             << "" << 0x00C1 << -1ll << false << "applewatch";
        QTest::newRow("tablet by appearance") << "Tab"
                                              << "" << 0x0087 << -1ll << false << "ipad";
        QTest::newRow("headset by icon alone") << "Jabra"
                                               << "audio-headset" << -1 << -1ll << false << "headphones";
        QTest::newRow("the appearance before the class")
            << "Buds2"
            << "audio-headset" << 0x0941 << 0x240404ll << false << "airpods";
        QTest::newRow("a heart-rate belt is none of the kinds")
            << "Polar H7"
            << "" << 0x0341 << -1ll << false << "dot.radiowaves.right";
        QTest::newRow("class 0 tells nothing") << "Satechi M1 Mouse"
                                               << "" << -1 << 0ll << false << "dot.radiowaves.right";
        QTest::newRow("the name first") << "AirPods Pro"
                                        << "audio-headset" << -1 << 0x240404ll << false << "airpodspro";
        QTest::newRow("the HID side first") << "Combo"
                                            << "" << -1 << 0x240404ll << true << "computermouse";
    }

    void kindFromTheSystem()
    {
        QFETCH(QString, name);
        QFETCH(QString, icon);
        QFETCH(int, appearance);
        QFETCH(qlonglong, deviceClass);
        QFETCH(bool, mouse);
        QFETCH(QString, expected);
        platform::Peripheral::KindHints hints;
        if (!icon.isEmpty())
            hints.icon = icon;
        if (appearance >= 0)
            hints.appearance = quint16(appearance);
        if (deviceClass >= 0)
            hints.deviceClass = quint32(deviceClass);
        MemoryCentral central;
        LowEnergyDevice device(central.addPeripheral({ kId, name, {}, true, hints }));
        device.setMouse(mouse);
        platform::ScopedSystemVersion version(12);
        QCOMPARE(device.imageName(), expected);
        QVERIFY(!device.image().isBlank());
    }

    void kindName_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mouse") << "iPad8,1" << true << false << "Pointing Device";
        QTest::newRow("both flags") << "" << true << true << "Pointing Device";
        QTest::newRow("keyboard") << "iPad8,1" << false << true << "Keyboard";
        QTest::newRow("tablet") << "iPad8,1" << false << false << "iPad";
        QTest::newRow("phone by its short name") << "iPhone 11" << false << false << "iPhone";
        QTest::newRow("watch") << "Watch6,2" << false << false << "Apple Watch";
        QTest::newRow("ipod") << "iPod7,1" << false << false << "iPod";
        QTest::newRow("other model") << "Buds" << false << false << "Unknown";
    }

    void kindName()
    {
        QFETCH(QString, model);
        QFETCH(bool, mouse);
        QFETCH(bool, keyboard);
        QFETCH(QString, expected);
        MemoryCentral central;
        LowEnergyDevice device(central.addPeripheral({ kId, QStringLiteral("x"), {}, true }));
        device.setModel(model);
        device.setMouse(mouse);
        device.setKeyboard(keyboard);
        QCOMPARE(device.kindName(), expected);
    }

    void properties()
    {
        MemoryCentral central;
        LowEnergyDevice device(central.addPeripheral({ kId, QStringLiteral("x"), {}, true }));
        device.setSerialNumber(QStringLiteral("SN1"));
        const auto one = device.properties();
        QCOMPARE(one.size(), size_t(1));
        QCOMPARE(one.at(LowEnergyDevice::PropertyKey::serialNumber), QStringLiteral("SN1"));

        device.setFirmwareRevision(QStringLiteral("F"));
        device.setHardwareRevision(QStringLiteral("H"));
        device.setSoftwareRevision(QStringLiteral("S"));
        device.setBluetoothSerial(QStringLiteral("B"));
        const auto all = device.properties();
        QCOMPARE(all.size(), size_t(5));
        QCOMPARE(all.at(LowEnergyDevice::PropertyKey::firmware), QStringLiteral("F"));
        QCOMPARE(all.at(LowEnergyDevice::PropertyKey::bluetoothSerial), QStringLiteral("B"));
    }

    void propertyKeyTexts()
    {
        using K = LowEnergyDevice::PropertyKey;
        for (auto key : { K::serialNumber, K::hardwareRevision, K::softwareRevision, K::firmware, K::bluetoothSerial })
            QCOMPARE(LowEnergyDevice::propertyKeyFromRawText(LowEnergyDevice::rawText(key)), std::optional<K>(key));
        QCOMPARE(LowEnergyDevice::rawText(K::firmware), QStringLiteral("firmware"));
        QVERIFY(!LowEnergyDevice::propertyKeyFromRawText(QStringLiteral("firmwareRevision")));
        QVERIFY(!LowEnergyDevice::propertyKeyFromRawText(QStringLiteral("SerialNumber")));
    }

    void storedRecordKeepsOnlyTheBaseFields()
    {
        MemoryCentral central;
        LowEnergyDevice device(central.addPeripheral({ kId, QStringLiteral("Buds"), {}, true }));
        device.setSerialNumber(QStringLiteral("SN1"));
        device.setBatteryLevel(40);
        device.setMouse(true);
        const platform::Value encoded = device.encoded();
        QCOMPARE(encoded.toDictionary()->size(), size_t(5));
        const auto decoded = LowEnergyDevice::decode(encoded);
        QCOMPARE(decoded->serial(), device.serial());
        QCOMPARE(decoded->batteryLevel(), std::optional<std::uint8_t>(40));
        QCOMPARE(decoded->lastUpdate(), 0.0);
        QVERIFY(!decoded->peripheral());
        QVERIFY(!decoded->model());
        QVERIFY(!decoded->isMouse());
        QVERIFY(decoded->properties().empty());
        QVERIFY(*decoded == device);
    }
};

QTEST_GUILESS_MAIN(LowEnergyDeviceTest)
#include "lowenergydevice_test.moc"

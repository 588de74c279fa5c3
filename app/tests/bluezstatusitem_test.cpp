// A Low Energy accessory on BlueZ (a mock on a private bus) in the status items: a level the
// accessory notifies shows on the next tick, and ticks in between redraw nothing.
#include "../../platform/bluetooth/tests/bluezmock.h"
#include "apptestsupport.h"
#include "quenby/baseview.h"

#include <platform/bluetooth/bluezcentral.h>
#include <platform/ui/statusitem.h>

#include <QSignalSpy>
#include <QTest>

using namespace apptest;

namespace {
constexpr int kBound = 10000;
const QString kAddress = QStringLiteral("DC:2C:26:0A:1B:3F");
}

class BluezStatusItemTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void aNotifiedLevelReachesTheStatusItemOnTheNextTick()
    {
        BluezMock mock;
        QVERIFY2(mock.start(), qPrintable(mock.error()));
        mock.addAdapter(QStringLiteral("hci0"));
        const QString device = mock.addDevice(kAddress, QStringLiteral("Pebble Mouse"));
        mock.update(device, QStringLiteral("org.bluez.Device1"),
            { { QStringLiteral("UUIDs"), QStringList { BluezMock::uuid("180F") } } });
        const QString service = mock.addService(device, 0x10, BluezMock::uuid("180F"));
        const QString level
            = mock.addCharacteristic(service, 0x11, BluezMock::uuid("2A19"), QByteArray(1, char(40)), true);
        mock.connectDevice(kAddress);
        QVERIFY2(mock.error().isEmpty(), qPrintable(mock.error()));

        platform::BluezCentral central(mock.bus());
        QVERIFY(QTest::qWaitFor([&] { return central.state() == platform::Central::State::poweredOn; }, kBound));
        AppRig rig({}, &central);
        const QString serial
            = platform::BluezCentral::identifierForAddress(kAddress).toString(QUuid::WithoutBraces).toUpper();
        // A tick as the timer makes it; the bus answers what it asked in the time until the next one.
        const auto tick = [&] {
            rig.clock.advance(2s);
            rig.delegate->refresh();
            QTest::qWait(50);
        };
        const auto shown = [&]() -> quenby::BaseView * {
            for (const auto &item : rig.menuBar().items()) {
                if (identifierOf(*item) == serial && !item->views().isEmpty())
                    return qobject_cast<quenby::BaseView *>(item->views().first());
            }
            return nullptr;
        };
        rig.delegate->applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitFor(
            [&] {
                tick();
                return shown() && shown()->device()->batteryLevel() == 40;
            },
            kBound));
        const auto *item = [&] {
            for (const auto &i : rig.menuBar().items())
                if (identifierOf(*i) == serial)
                    return i->item().get();
            return static_cast<platform::ui::StatusItem *>(nullptr);
        }();
        QSignalSpy pictures(item, &platform::ui::StatusItem::pictureChanged);
        tick();
        tick();
        QVERIFY(pictures.isEmpty());

        mock.update(level, QLatin1String(BluezMock::kGattCharacteristic),
            { { QStringLiteral("Value"), QByteArray(1, char(35)) } });
        const auto &devices = rig.controller().model().devices();
        QVERIFY(QTest::qWaitFor([&] { return devices.at(serial)->batteryLevel() == 35; }, kBound));
        QVERIFY(pictures.isEmpty()); // taken in, not drawn yet: that is the tick's work
        tick();
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(shown()->device()->batteryLevel(), std::optional<std::uint8_t>(35));
        QCOMPARE(mock.calls(level, QStringLiteral("ReadValue")), 1);
        rig.delegate->applicationWillTerminate();
    }
};

QTEST_MAIN(BluezStatusItemTest)
#include "bluezstatusitem_test.moc"

#include "quenby/datamodel.h"
#include "quenby/settings.h"

#include <ammerl/appleinternalbattery.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/singlebatterydevice.h>
#include <platform/core/bundle.h>
#include <platform/core/notificationcenter.h>
#include <platform/core/userdefaults.h>

#include <QTest>

using quenby::DataModel;
using quenby::DeviceList;
using quenby::Settings;

namespace {

struct Alert {
    QString title;
    QString body;
};

std::shared_ptr<fennic::SingleBatteryDevice> single(const QString &serial, int level, const QString &name = {})
{
    return std::make_shared<fennic::SingleBatteryDevice>(
        name.isEmpty() ? QStringLiteral("Mouse ") + serial : name, serial, 0x004c, 1, std::uint8_t(level));
}

std::shared_ptr<fennic::DoubleBatteryDevice> pair(const QString &serial, int first, int second)
{
    return std::make_shared<fennic::DoubleBatteryDevice>(
        QStringLiteral("Buds"), serial, 0x004c, 2, std::uint8_t(first), std::uint8_t(second));
}

// Counts "DevicesChanged" for as long as it lives.
class ChangeCounter : public QObject {
public:
    ChangeCounter()
    {
        platform::NotificationCenter::defaultCenter().addObserver(
            this, QString::fromLatin1(quenby::kDevicesChanged), [this](const platform::Notification &) { ++count; });
    }
    int count = 0;
};

} // namespace

class DataModelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<platform::ScopedUserDefaultsDirectory> m_dir;
    QList<Alert> m_alerts;

    DataModel makeModel()
    {
        return DataModel([this](const QString &title, const QString &body) { m_alerts.append({ title, body }); });
    }

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void init()
    {
        m_dir = std::make_unique<platform::ScopedUserDefaultsDirectory>();
        Settings::reload();
        Settings::setEnableNotifications(true);
        m_alerts.clear();
    }
    void cleanup()
    {
        Settings::reload();
        m_dir.reset();
    }

    // One discharging device read on successive refreshes; which readings raise an alert.
    void alertSequence_data()
    {
        QTest::addColumn<QList<int>>("levels");
        QTest::addColumn<QList<int>>("alerted"); // indices into levels
        QTest::newRow("falling, recovering, falling again")
            << QList<int> { 25, 17, 17, 15, 12, 10, 5, 3, 3, 30, 17 } << QList<int> { 1, 3, 5, 6, 10 };
        QTest::newRow("lands exactly on the threshold") << QList<int> { 20, 20, 20 } << QList<int> { 0 };
        QTest::newRow("lands exactly on a step below") << QList<int> { 15, 15, 14, 10 } << QList<int> { 0, 3 };
        QTest::newRow("first seen below 5") << QList<int> { 3, 2, 1 } << QList<int> { 0 };
        QTest::newRow("above the threshold") << QList<int> { 21, 80, 100 } << QList<int> {};
        QTest::newRow("zero is no reading") << QList<int> { 0, 0 } << QList<int> {};
        QTest::newRow("a small rise keeps the alert") << QList<int> { 18, 19, 20, 21, 18 } << QList<int> { 0, 4 };
    }
    void alertSequence()
    {
        QFETCH(QList<int>, levels);
        QFETCH(QList<int>, alerted);
        auto model = makeModel();
        auto device = single(QStringLiteral("aa"), 0);
        QList<int> seen;
        for (int i = 0; i < levels.size(); ++i) {
            device->setBatteryLevel(std::uint8_t(levels[i]));
            const auto before = m_alerts.size();
            model.update({ device });
            if (m_alerts.size() > before)
                seen.append(i);
        }
        QCOMPARE(seen, alerted);
    }

    void alertText()
    {
        auto model = makeModel();
        model.update({ single(QStringLiteral("aa"), 17, QStringLiteral("Desk Mouse")) });
        QCOMPARE(m_alerts.size(), 1);
        QCOMPARE(m_alerts[0].title, QStringLiteral("Low Battery"));
        QCOMPARE(m_alerts[0].body, QStringLiteral("Desk Mouse has 17 % battery left."));

        model.update({ single(QStringLiteral("bb"), 9, QStringLiteral("Mouse %2 (%1)")) });
        QCOMPARE(m_alerts.size(), 2);
        QCOMPARE(m_alerts[1].body, QStringLiteral("Mouse %2 (%1) has 9 % battery left."));
    }

    void twoBatteries_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("body");
        QTest::newRow("right one low") << 50 << 8 << QStringLiteral("Buds (right) has 8 % battery left.");
        QTest::newRow("left one low") << 8 << 50 << QStringLiteral("Buds (left) has 8 % battery left.");
        QTest::newRow("both low") << 8 << 9 << QStringLiteral("Buds (left) has 8 % battery left.");
        QTest::newRow("left above the lower one's step")
            << 12 << 9 << QStringLiteral("Buds (right) has 9 % battery left.");
        QTest::newRow("an empty one reports 0") << 0 << 4 << QStringLiteral("Buds (left) has 0 % battery left.");
        QTest::newRow("both fine") << 50 << 60 << QString();
    }
    void twoBatteries()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, body);
        auto model = makeModel();
        model.update({ pair(QStringLiteral("bb"), first, second) });
        if (body.isEmpty()) {
            QVERIFY(m_alerts.isEmpty());
        } else {
            QCOMPARE(m_alerts.size(), 1);
            QCOMPARE(m_alerts[0].body, body);
        }
    }

    void chargingRaisesNothingAndClearsOlderAlerts()
    {
        auto model = makeModel();
        auto device = single(QStringLiteral("aa"), 17);
        device->setCharging(true);
        model.update({ device });
        QVERIFY(m_alerts.isEmpty());

        device->setCharging(false);
        model.update({ device }); // alerted, 20 stored
        QCOMPARE(m_alerts.size(), 1);
        device->setCharging(true);
        device->setBatteryLevel(std::uint8_t(18)); // charging below the stored 20 keeps it
        model.update({ device });
        device->setCharging(false);
        device->setBatteryLevel(std::uint8_t(17)); // next step is 15
        model.update({ device });
        QCOMPARE(m_alerts.size(), 1);
        device->setCharging(true);
        device->setBatteryLevel(std::uint8_t(21)); // above the stored 20: forgotten
        model.update({ device });
        device->setCharging(false);
        device->setBatteryLevel(std::uint8_t(19));
        model.update({ device });
        QCOMPARE(m_alerts.size(), 2);
    }

    void devicesOfOtherKindsAreNotAlerted()
    {
        auto model = makeModel();
        auto other = std::make_shared<fennic::BatteryDevice>(fennic::DeviceType::lowEnergy, QStringLiteral("Tag"));
        other->setSerial(QStringLiteral("le"));
        other->setBatteryLevel(std::uint8_t(3));
        model.update({ other });
        model.update({ other });
        QVERIFY(m_alerts.isEmpty());
    }

    void switchedOffKeepsTheAlertState()
    {
        auto model = makeModel();
        auto device = single(QStringLiteral("aa"), 17);
        model.update({ device });
        QCOMPARE(m_alerts.size(), 1);

        Settings::setEnableNotifications(false);
        device->setBatteryLevel(std::uint8_t(10));
        model.update({ device });
        device->setBatteryLevel(std::uint8_t(40)); // would clear the alert if notifications were on
        model.update({ device });
        QVERIFY(m_alerts.size() == 1);

        Settings::setEnableNotifications(true);
        device->setBatteryLevel(std::uint8_t(17));
        model.update({ device }); // 20 is still stored, the next step is 15
        QCOMPARE(m_alerts.size(), 1);
    }

    void aVanishedDeviceForgetsItsAlert()
    {
        auto model = makeModel();
        auto device = single(QStringLiteral("aa"), 17);
        model.update({ device });
        model.update({});
        model.update({ device });
        QCOMPARE(m_alerts.size(), 2);
    }

    void devicesChanged()
    {
        ChangeCounter changes;
        auto model = makeModel();
        auto a = single(QStringLiteral("a"), 80);
        auto b = single(QStringLiteral("b"), 80);

        model.update({});
        QCOMPARE(changes.count, 1); // the first update always tells
        model.update({});
        QCOMPARE(changes.count, 1);
        model.update({ a, b });
        QCOMPARE(changes.count, 2);
        model.update({ b, a });
        QCOMPARE(changes.count, 2);
        model.update({ a });
        QCOMPARE(changes.count, 3);
        QCOMPARE(model.devices().size(), std::size_t(1));
        QCOMPARE(model.devices().at(QStringLiteral("a")), a);
    }

    void aDuplicatedSerialKeepsTheLaterAndAlwaysTells()
    {
        ChangeCounter changes;
        auto model = makeModel();
        auto first = single(QStringLiteral("dup"), 80);
        auto second = single(QStringLiteral("dup"), 70);
        model.update({ first, second });
        model.update({ first, second });
        QCOMPARE(changes.count, 2);
        QCOMPARE(model.devices().size(), std::size_t(1));
        QCOMPARE(model.devices().at(QStringLiteral("dup")), second);
    }

    void allDevicesIgnored_data()
    {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QStringList>("ignored");
        QTest::addColumn<bool>("all");
        QTest::newRow("no devices") << QStringList {} << QStringList {} << true;
        QTest::newRow("none ignored") << QStringList { "a", "b" } << QStringList {} << false;
        QTest::newRow("one of two") << QStringList { "a", "b" } << QStringList { "a" } << false;
        QTest::newRow("both") << QStringList { "a", "b" } << QStringList { "b", "internal", "a" } << true;
    }
    void allDevicesIgnored()
    {
        QFETCH(QStringList, devices);
        QFETCH(QStringList, ignored);
        QFETCH(bool, all);
        for (const auto &id : ignored)
            Settings::addIgnoredDevice(id);
        auto model = makeModel();
        DeviceList list;
        for (const auto &id : devices)
            list.push_back(single(id, 80));
        model.update(list);
        QCOMPARE(model.allDevicesIgnored(), all);
    }

    void internalBattery()
    {
        auto model = makeModel();
        ammerl::AppleInternalBattery battery;
        const auto check = [&](std::optional<int> charge) {
            battery.setCurrentCapacity(charge);
            model.checkInternalBattery(battery);
        };
        check(20);
        QCOMPARE(m_alerts.size(), 1);
        QCOMPARE(m_alerts[0].body, QStringLiteral("Your computer's battery is down to 20 %."));
        check(20);
        check(std::nullopt);
        check(12);
        battery.setCharging(true);
        check(15);
        QCOMPARE(m_alerts.size(), 1);
        check(21);
        check(19);
        QCOMPARE(m_alerts.size(), 2);

        Settings::setEnableNotifications(false);
        check(30);
        Settings::setEnableNotifications(true);
        check(10); // still alerted: nothing was cleared while switched off
        QCOMPARE(m_alerts.size(), 2);
    }

    void followsTheThreshold()
    {
        Settings::setThreshold(35);
        auto model = makeModel();
        model.update({ single(QStringLiteral("aa"), 33) });
        QCOMPARE(m_alerts.size(), 1);
        ammerl::AppleInternalBattery battery;
        battery.setCurrentCapacity(35);
        model.checkInternalBattery(battery);
        QCOMPARE(m_alerts.size(), 2);
    }
};

QTEST_GUILESS_MAIN(DataModelTest)
#include "datamodel_test.moc"

#include "apptestsupport.h"
#include "quenby/internalviewcontroller.h"

#include <pirrow/gradientprogressview.h>
#include <pirrow/graphview.h>
#include <pirrow/idataplotter.h>

#include <QLabel>
#include <QTest>

using namespace apptest;

namespace {

QString text(const char *key) { return platform::localized(QStringLiteral("QuenbyApp"), QString::fromLatin1(key)); }

/// The application's controller with the battery and the power histories the test sets.
class ScriptedController final : public quenby::IController {
public:
    explicit ScriptedController(quenby::IController &real)
        : m_real(real)
    {
    }
    ammerl::IInternalFinder &internalFinder() const override { return m_real.internalFinder(); }
    olvane::IAutoStartController &autoStart() const override { return m_real.autoStart(); }
    const std::vector<quenby::Observer *> &observers() const override { return m_observers; }
    quenby::IDataModel &model() const override { return m_real.model(); }
    olvane::IMenuBarItemController &menuBar() const override { return m_real.menuBar(); }
    const ammerl::InternalBattery *internalBattery() const override { return battery ? &*battery : nullptr; }
    const quenby::SampleRing &consumption() const override { return drawn; }
    const quenby::SampleRing &acConsumption() const override { return charging; }
    double maxConsumption() const override { return maximum; }
    void refresh() override
    {
        for (auto *observer : m_observers)
            observer->update();
    }
    void addObserver(quenby::Observer *observer) override
    {
        if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
            m_observers.push_back(observer);
    }
    void removeObserver(quenby::Observer *observer) override { std::erase(m_observers, observer); }

    std::optional<ammerl::AppleInternalBattery> battery;
    quenby::SampleRing drawn { 3600 };
    quenby::SampleRing charging { 3600 };
    double maximum = 0;

private:
    quenby::IController &m_real;
    std::vector<quenby::Observer *> m_observers;
};

struct PageRig {
    AppRig app;
    ScriptedController controller { app.controller() };
    quenby::InternalViewController page;
    PageRig()
    {
        controller.battery = apptest::battery(80);
        page.setController(&controller);
    }
};

} // namespace

class InternalPageTest : public QObject {
    Q_OBJECT

private slots:
    void rateTimeAndPower_data()
    {
        QTest::addColumn<std::optional<bool>>("charging");
        QTest::addColumn<std::optional<bool>>("charged");
        QTest::addColumn<std::optional<bool>>("ac");
        QTest::addColumn<std::optional<qint64>>("amperage");
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<std::optional<double>>("watts");
        QTest::addColumn<QStringList>("expected"); // rate caption, rate, time caption, time, power caption, power
        using B = std::optional<bool>;
        using I = std::optional<qint64>;
        using W = std::optional<double>;
        QTest::newRow("charged on the adapter") << B(false) << B(true) << B(true) << I(0) << qint64(30) << W(0.25)
                                                << QStringList { text("CHARGE_RATE"), "-", text("TIME_TO_FULL"),
                                                       text("BATTERY_FULL"), text("POWER_USAGE"), "-" };
        QTest::newRow("discharging") << B(false) << B(false) << B(false) << I(-1234) << qint64(307) << W(12.345)
                                     << QStringList { text("DISCHARGE_RATE"), "1234 mA", text("TIME_UNTIL_EMPTY"),
                                            "05:07", text("POWER_USAGE"), "12.35 W" };
        QTest::newRow("charging") << B(true) << B(false) << B(true) << I(2000) << qint64(59) << W(12.345)
                                  << QStringList { text("CHARGE_RATE"), "2000 mA", text("TIME_TO_FULL"), "00:59",
                                         text("CHARGING_WITH"), "12.35 W" };
        QTest::newRow("nothing known") << B() << B() << B() << I() << qint64(59) << W()
                                       << QStringList { text("CHARGE_RATE"), "-", text("TIME_UNTIL_EMPTY"), "-",
                                              text("POWER_USAGE"), "-" };
        // A discharging battery that reads no current: its rate and power are unknown, not 0 (nor -0.00 W).
        QTest::newRow("discharging, no current read")
            << B(false) << B(false) << B(false) << I(0) << qint64(-1) << W(-0.0)
            << QStringList { text("DISCHARGE_RATE"), "-", text("TIME_UNTIL_EMPTY"), "-", text("POWER_USAGE"), "-" };
        QTest::newRow("time 0") << B(false) << B(false) << B(false) << I(-500) << qint64(0) << W(6.0)
                                << QStringList { text("DISCHARGE_RATE"), "500 mA", text("TIME_UNTIL_EMPTY"), "-",
                                       text("POWER_USAGE"), "6.00 W" };
        QTest::newRow("time still estimated (-1)")
            << B(false) << B(false) << B(false) << I(-500) << qint64(-1) << W(6.0)
            << QStringList { text("DISCHARGE_RATE"), "500 mA", text("TIME_UNTIL_EMPTY"), "-", text("POWER_USAGE"),
                   "6.00 W" };
        // Held below full on the adapter, the trickle it reads is a real rate; the power has no sign to show.
        QTest::newRow("held on the adapter")
            << B(false) << B(false) << B(true) << I(12) << qint64(0) << W(-0.145)
            << QStringList { text("CHARGE_RATE"), "12 mA", text("TIME_TO_FULL"), "-", text("POWER_USAGE"), "0.14 W" };
    }
    void rateTimeAndPower()
    {
        QFETCH(std::optional<bool>, charging);
        QFETCH(std::optional<bool>, charged);
        QFETCH(std::optional<bool>, ac);
        QFETCH(std::optional<qint64>, amperage);
        QFETCH(qint64, minutes);
        QFETCH(std::optional<double>, watts);
        QFETCH(QStringList, expected);
        PageRig rig;
        auto &battery = *rig.controller.battery;
        battery.setCharging(charging);
        battery.setCharged(charged);
        battery.setAcPowered(ac);
        battery.setAmperage(amperage);
        battery.setTimeToEmpty(minutes);
        battery.setTimeToFull(minutes);
        battery.setWatts(watts);
        rig.page.update();
        QCOMPARE(
            (QStringList { rig.page.amperageInfo()->text(), rig.page.amperage()->text(), rig.page.chargeInfo()->text(),
                rig.page.timeRemaining()->text(), rig.page.wattsInfo()->text(), rig.page.watts()->text() }),
            expected);
    }

    void temperature_data()
    {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QString>("expected");
        QTest::newRow("celsius") << false << QStringLiteral("25.00 °C");
        QTest::newRow("fahrenheit") << true << QStringLiteral("77.00 °F");
    }
    void temperature()
    {
        QFETCH(bool, imperial);
        QFETCH(QString, expected);
        PageRig rig;
        quenby::Settings::setImperial(imperial);
        rig.controller.battery->setTemperature(25.0);
        rig.page.update();
        QCOMPARE(rig.page.temperature()->text(), expected);
    }

    void cycles_data()
    {
        QTest::addColumn<std::optional<qint64>>("design");
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("designText");
        QTest::newRow("known") << std::optional<qint64>(1000) << 0.3 << QStringLiteral("1000");
        // Nothing to measure the cycles against: an empty bar, not a full one.
        QTest::newRow("no design count") << std::optional<qint64>() << 0.0 << QStringLiteral("-");
        QTest::newRow("design count 0") << std::optional<qint64>(0) << 0.0 << QStringLiteral("0");
        QTest::newRow("past the design count") << std::optional<qint64>(200) << 1.0 << QStringLiteral("200");
    }
    void cycles()
    {
        QFETCH(std::optional<qint64>, design);
        QFETCH(double, progress);
        QFETCH(QString, designText);
        PageRig rig;
        rig.controller.battery->setCycleCount(300);
        rig.controller.battery->setDesignCycleCount(design);
        rig.page.update();
        QCOMPARE(rig.page.cycleCount()->text(), QStringLiteral("300"));
        QCOMPARE(rig.page.designCycleCount()->text(), designText);
        QCOMPARE(rig.page.cycleProgress()->value(), progress);
    }

    void graphScaleAndHistories_data()
    {
        QTest::addColumn<double>("largest");
        QTest::addColumn<double>("maximum");
        QTest::newRow("20 W") << 20.0 << 30.0;
        QTest::newRow("15.3 W") << 15.3 << 20.0;
        QTest::newRow("no samples") << 0.0 << 10.0;
    }
    void graphScaleAndHistories()
    {
        QFETCH(double, largest);
        QFETCH(double, maximum);
        PageRig rig;
        rig.controller.maximum = largest;
        rig.controller.drawn.append(largest);
        rig.controller.charging.append(8192.0);
        rig.page.update();
        auto *graph = rig.page.consumptionGraph();
        QCOMPARE(graph->maxValue(), maximum);
        QCOMPARE(graph->firstPlotter()->data(), rig.controller.drawn.values());
        QCOMPARE(graph->secondPlotter()->data(), rig.controller.charging.values());
    }

    void followsTheControllerOnlyWhileShown()
    {
        PageRig rig;
        rig.page.show();
        QCOMPARE(rig.controller.observers().size(), std::size_t(1));
        rig.controller.battery->setVoltage(12.3456);
        rig.controller.refresh();
        QCOMPARE(rig.page.voltage()->text(), QStringLiteral("12.346 V"));
        rig.page.hide();
        QVERIFY(rig.controller.observers().empty());
    }
};

QTEST_MAIN(InternalPageTest)
#include "internalpage_test.moc"

#include "apptestsupport.h"
#include "quenby/devicecell.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/nameviewcontroller.h"

#include <fennic/lowenergydevice.h>
#include <pirrow/gradientprogressview.h>
#include <platform/core/notificationcenter.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

using namespace apptest;

namespace {

QString text(const char *key) { return platform::localized(QStringLiteral("QuenbyApp"), QString::fromLatin1(key)); }

/// Counts "ModeChanged" while it lives.
struct ModeChangedCounter {
    int count = 0;
    platform::NotificationCenter::Token token = platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("ModeChanged"), [this](const platform::Notification &) { ++count; });
    ~ModeChangedCounter() { platform::NotificationCenter::defaultCenter().removeObserver(token); }
};

int registrations(const quenby::IController &controller, const quenby::Observer *page)
{
    return int(std::count(controller.observers().begin(), controller.observers().end(), page));
}

} // namespace

class DevicesPageTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheDevicesByNameAfterEachRefresh()
    {
        AppRig rig;
        rig.launch();
        quenby::DevicesViewController page;
        page.setController(&rig.controller());
        page.show();
        platform::MainQueue::drain();
        QVERIFY(page.infoView()->isVisible());
        QVERIFY(!page.scrollView()->isVisible());

        rig.addThreeAccessories(80);
        rig.tick();
        rig.tick();
        platform::MainQueue::drain();
        QVERIFY(!page.infoView()->isVisible());
        QVERIFY(page.scrollView()->isVisible());
        const auto cells = page.cells();
        QCOMPARE(cells.size(), 3);
        QStringList models;
        for (auto *cell : cells)
            models << cell->model()->text();
        QCOMPARE(models,
            (QStringList {
                QStringLiteral("AirPods Pro"), QStringLiteral("Magic Keyboard"), QStringLiteral("Pebble Mouse") }));

        QVERIFY(cells[0]->progressViewUpper());
        QCOMPARE(cells[0]->progressViewUpper()->value(), 0.7);
        QCOMPARE(cells[0]->progressViewLower()->value(), 0.6);
        QVERIFY(!cells[1]->progressViewUpper());
        QCOMPARE(cells[1]->progressViewLower()->value(), 0.8);
        QCOMPARE(cells[1]->manufacturer()->text(), QStringLiteral("Apple Inc."));

        // A device that stops reporting its level shows an empty bar, not the last value.
        rig.accessories = [] {
            auto keyboard = single(QStringLiteral("Magic Keyboard"), kKeyboard, 50);
            keyboard->setBatteryLevel(std::nullopt);
            keyboard->setCharging(true);
            keyboard->setManufacturer(std::nullopt);
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { keyboard };
        };
        rig.tick();
        platform::MainQueue::drain();
        quenby::DeviceCell *keyboardCell = nullptr;
        for (auto *cell : page.cells())
            if (cell->device()->serial() == kKeyboard)
                keyboardCell = cell;
        QVERIFY(keyboardCell);
        QCOMPARE(keyboardCell->model()->text(), QStringLiteral("Magic Keyboard"));
        QCOMPARE(keyboardCell->progressViewLower()->value(), 0.0);
        QVERIFY(keyboardCell->isCharging());
        QCOMPARE(keyboardCell->manufacturer()->text(), text("UNKNOWN_MANUFACTURER"));
        QVERIFY(!keyboardCell->chargingBolt()->pixmap().isNull());

        // A Low Energy device without a model string.
        std::shared_ptr<fennic::LowEnergyDevice> mouse;
        for (const auto &[identifier, device] : rig.controller().model().devices())
            if (auto lowEnergy = std::dynamic_pointer_cast<fennic::LowEnergyDevice>(device))
                mouse = lowEnergy;
        QVERIFY(mouse);
        mouse->setModel(std::nullopt);
        page.refresh();
        platform::MainQueue::drain();
        QStringList shown;
        for (auto *cell : page.cells())
            shown << cell->model()->text();
        QVERIFY2(shown.contains(text("UNKNOWN_MODEL")), qPrintable(shown.join(u',')));
    }

    void observesOnlyWhileShownAndOnce()
    {
        AppRig rig;
        rig.launch();
        quenby::DevicesViewController page;
        page.setController(&rig.controller());
        QCOMPARE(registrations(rig.controller(), &page), 0);
        page.show();
        page.hide();
        QCOMPARE(registrations(rig.controller(), &page), 0);
        page.show();
        QCOMPARE(registrations(rig.controller(), &page), 1);
    }

    void renameSheet_data()
    {
        QTest::addColumn<QString>("stored"); // empty: no custom name
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected"); // the custom name afterwards
        QTest::addColumn<int>("posts");
        QTest::newRow("unchanged name") << "Desk"
                                        << "Desk"
                                        << "Desk" << 0;
        QTest::newRow("new name") << "Desk"
                                  << "Office"
                                  << "Office" << 1;
        QTest::newRow("cleared name") << "Desk"
                                      << ""
                                      << "" << 1;
        QTest::newRow("first name") << ""
                                    << "Desk"
                                    << "Desk" << 1;
        QTest::newRow("nothing typed, none stored") << ""
                                                    << ""
                                                    << "" << 1;
    }
    void renameSheet()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, posts);
        AppRig rig([&stored] {
            if (!stored.isEmpty())
                quenby::Settings::setCustomName(kKeyboard, stored);
        });
        rig.accessories = [] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { single(
                QStringLiteral("Magic Keyboard"), kKeyboard, 50) };
        };
        rig.launch();
        quenby::DevicesViewController page;
        page.setController(&rig.controller());
        page.show();
        platform::MainQueue::drain();
        QCOMPARE(page.cells().size(), 1);

        ModeChangedCounter modeChanged;
        QPointer<quenby::NameViewController> sheet = page.cells().first()->gearClicked();
        QVERIFY(sheet);
        QCOMPARE(sheet->textField()->text(), stored);
        QVERIFY(!sheet->textField()->placeholderText().isEmpty());
        sheet->textField()->setText(typed);
        sheet->button()->click();
        QCOMPARE(modeChanged.count, posts);
        QCOMPARE(quenby::Settings::customNames().value(kKeyboard), expected);
        quenby::Settings::reload();
        QCOMPARE(quenby::Settings::customNames().value(kKeyboard), expected);
        QVERIFY(!sheet || !sheet->isVisible());
    }
};

QTEST_MAIN(DevicesPageTest)
#include "devicespage_test.moc"

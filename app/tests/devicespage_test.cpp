#include "apptestsupport.h"
#include "quenby/devicecell.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/nameviewcontroller.h"
#include "quenby/splitviewcontroller.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/windowcontroller.h"

#include <fennic/lowenergydevice.h>
#include <pirrow/gradientprogressview.h>
#include <platform/core/notificationcenter.h>
#include <platform/ui/recordingcontext.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

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

quenby::DeviceCell *cellOf(const quenby::DevicesViewController &page, const QString &serial)
{
    for (auto *cell : page.cells())
        if (cell->device() && cell->device()->serial() == serial)
            return cell;
    return nullptr;
}

// The texts a status-item view draws.
QStringList drawnTexts(platform::ui::View &view)
{
    platform::ui::RecordingContext recorder;
    view.render(recorder);
    QStringList texts;
    for (const auto &call : recorder.calls())
        if (call.kind == platform::ui::DrawCall::Kind::text)
            texts << call.text;
    return texts;
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

    // A refresh that changes nothing a cell shows keeps its pictures and its place; a change of charging
    // makes only the bolt again, a change of palette every picture.
    void cellsKeepTheirPicturesUntilTheirDeviceChanges()
    {
        AppRig rig;
        rig.addThreeAccessories(80);
        rig.launch();
        quenby::DevicesViewController page;
        page.setController(&rig.controller());
        page.show();
        rig.tick();
        platform::MainQueue::drain();
        const auto cells = page.cells();
        QCOMPARE(cells.size(), 3);
        quenby::DeviceCell *keyboard = cellOf(page, kKeyboard);
        QVERIFY(keyboard);
        const auto pictures = [&] {
            QList<qint64> keys;
            for (auto *cell : page.cells())
                keys << cell->iconView()->pixmap().cacheKey() << cell->gearButton()->icon().cacheKey();
            keys << keyboard->chargingBolt()->pixmap().cacheKey();
            return keys;
        };
        const QList<qint64> before = pictures();
        const QRect keyboardPlace = keyboard->geometry();

        rig.tick();
        platform::MainQueue::drain();
        QCOMPARE(page.cells(), cells);
        QCOMPARE(pictures(), before);
        QCOMPARE(keyboard->geometry(), keyboardPlace);

        rig.accessories = [] {
            auto charging = single(QStringLiteral("Magic Keyboard"), kKeyboard, 80);
            charging->setCharging(true);
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> { charging,
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60) };
        };
        rig.tick();
        platform::MainQueue::drain();
        QCOMPARE(page.cells(), cells);
        QVERIFY(!keyboard->chargingBolt()->pixmap().isNull());
        const QList<qint64> charging = pictures();
        QCOMPARE(charging.mid(0, before.size() - 1), before.mid(0, before.size() - 1));
        QVERIFY(charging.last() != before.last());

        QPalette palette = keyboard->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        keyboard->setPalette(palette);
        QVERIFY(keyboard->iconView()->pixmap().cacheKey() != before.at(cells.indexOf(keyboard) * 2));
        const QImage icon = keyboard->iconView()->pixmap().toImage();
        bool red = false;
        for (int y = 0; y < icon.height() && !red; ++y)
            for (int x = 0; x < icon.width() && !red; ++x)
                red = icon.pixelColor(x, y).alpha() == 255 && icon.pixelColor(x, y).red() == 255;
        QVERIFY(red);
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

    // The grid is refreshed every two seconds while the user types a name.
    void theRenameSheetOutlivesRefreshes()
    {
        AppRig rig;
        rig.addThreeAccessories();
        rig.launch();
        rig.delegate->open();
        QPointer<quenby::WindowController> window = rig.delegate->windowController();
        QVERIFY(window);
        auto *page = dynamic_cast<quenby::DevicesViewController *>(
            window->contentViewController()->contentViewController()->currentViewController());
        QVERIFY(page);
        platform::MainQueue::drain();
        QPointer<quenby::DeviceCell> cell = cellOf(*page, kKeyboard);
        QVERIFY(cell);

        QTest::mouseClick(cell->gearButton(), Qt::LeftButton);
        QPointer<quenby::NameViewController> sheet = window->findChild<quenby::NameViewController *>();
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QTest::keyClicks(sheet->textField(), QStringLiteral("Office"));
        for (int i = 0; i < 3; ++i) {
            rig.tick();
            platform::MainQueue::drain();
        }
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->textField()->text(), QStringLiteral("Office"));
        // The cell was reused, not made anew.
        QCOMPARE(cellOf(*page, kKeyboard), cell.data());

        QTest::keyClicks(sheet->textField(), QStringLiteral(" keys"));
        QTest::mouseClick(sheet->button(), Qt::LeftButton);
        platform::MainQueue::drain();
        QVERIFY(!sheet || !sheet->isVisible());
        const QString name = QStringLiteral("Office keys");
        QCOMPARE(quenby::Settings::customNames().value(kKeyboard), name);
        const auto stored = platform::UserDefaults::standard().dictionary(QString::fromLatin1(quenby::kCustomNamesKey));
        QVERIFY(stored);
        QCOMPARE(stored->at(kKeyboard).toString(), std::optional<QString>(name));

        // The keyboard's status item shows the new name; the page keeps showing the device's own name.
        bool drawn = false;
        for (const auto &item : rig.menuBar().items())
            if (identifierOf(*item) == kKeyboard)
                for (auto *view : item->views())
                    drawn = drawn || drawnTexts(*view).contains(name);
        QVERIFY(drawn);
        rig.tick();
        platform::MainQueue::drain();
        QCOMPARE(cellOf(*page, kKeyboard)->model()->text(), QStringLiteral("Magic Keyboard"));
    }
};

QTEST_MAIN(DevicesPageTest)
#include "devicespage_test.moc"

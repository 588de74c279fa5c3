#include "apptestsupport.h"
#include "quenby/doublebatterydeviceview.h"
#include "quenby/internalbatteryview.h"
#include "quenby/menubarview.h"
#include "quenby/singlebatterydeviceview.h"

#include <fennic/lowenergydevice.h>
#include <olvane/menubaritemcontroller.h>
#include <platform/bluetooth/peripheral.h>
#include <platform/ui/recordingcontext.h>
#include <platform/ui/text.h>
#include <tavrin/images.h>

#include <QTest>

using namespace apptest;
using platform::ui::Color;
using platform::ui::DrawCall;
using platform::ui::Rect;
using quenby::Settings;

Q_DECLARE_METATYPE(std::optional<std::uint8_t>)
using MakeDevice = std::function<std::shared_ptr<fennic::BatteryDevice>()>;
Q_DECLARE_METATYPE(MakeDevice)

namespace {

constexpr double kThickness = 22;

// A status bar of its own with a main item, whose look (light or dark) the drawings follow.
struct Bar {
    explicit Bar(platform::ui::Appearance appearance = platform::ui::Appearance::aqua())
        : look(appearance)
    {
        Settings::reload();
    }
    ~Bar() { Settings::reload(); }

    platform::ScopedUserDefaultsDirectory defaults;
    platform::ui::ScopedAppearance look;
    platform::ui::StatusBar bar;
    platform::ui::ScopedStatusBar useBar { bar };
    olvane::MenuBarItemController items { bar };
};

// What the view drew (the clip of its bounds left out).
std::vector<DrawCall> draw(platform::ui::View &view)
{
    platform::ui::RecordingContext recorder;
    view.render(recorder);
    std::vector<DrawCall> drawn;
    for (const DrawCall &call : recorder.calls())
        if (call.kind != DrawCall::Kind::clip)
            drawn.push_back(call);
    return drawn;
}

std::vector<DrawCall> only(const std::vector<DrawCall> &calls, DrawCall::Kind kind)
{
    std::vector<DrawCall> result;
    for (const DrawCall &call : calls)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

QColor rgb(const Color &color) { return color.toQColor(); }

// A view of the kind for the device, as the status items make them.
std::unique_ptr<quenby::BaseView> viewFor(const std::shared_ptr<fennic::BatteryDevice> &device)
{
    std::unique_ptr<quenby::BaseView> view;
    if (std::dynamic_pointer_cast<fennic::DoubleBatteryDevice>(device))
        view = std::make_unique<quenby::DoubleBatteryDeviceView>(Rect(0, 0, 128, kThickness));
    else
        view = std::make_unique<quenby::SingleBatteryDeviceView>(Rect(0, 0, 128, kThickness));
    view->setDevice(device);
    return view;
}

std::shared_ptr<fennic::BatteryDevice> keyboardAt(std::optional<std::uint8_t> level, bool charging = false)
{
    auto device = single(QStringLiteral("Magic Keyboard"), kKeyboard, 50);
    device->setBatteryLevel(level);
    device->setCharging(charging);
    return device;
}

const QColor kRed(255, 0, 40);
const QColor kGreenLight(0, 156, 0);
const QColor kGreenDark(16, 172, 16);

} // namespace

class StatusItemViewsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void widthsFollowModeViewAndCombinedItem_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("doubleView");
        QTest::addColumn<bool>("singleItem");
        QTest::addColumn<double>("extra");
        QTest::addColumn<double>("fixed");
        // Mode 3: the device's picture plus `extra`; otherwise `fixed`.
        for (const bool singleItem : { false, true }) {
            const char *item = singleItem ? ", combined item" : "";
            QTest::addRow("mode 1 single%s", item) << 1 << false << singleItem << 0.0 << 54.0;
            QTest::addRow("mode 1 double%s", item) << 1 << true << singleItem << 0.0 << 104.0;
            QTest::addRow("mode 2 single%s", item) << 2 << false << singleItem << 0.0 << 44.0;
            QTest::addRow("mode 2 double%s", item) << 2 << true << singleItem << 0.0 << 68.0;
            QTest::addRow("mode 3 single%s", item) << 3 << false << singleItem << (singleItem ? 22.0 : 14.0) << 0.0;
            QTest::addRow("mode 3 double%s", item) << 3 << true << singleItem << 20.0 << 0.0;
        }
    }
    void widthsFollowModeViewAndCombinedItem()
    {
        QFETCH(int, mode);
        QFETCH(bool, doubleView);
        QFETCH(bool, singleItem);
        QFETCH(double, extra);
        QFETCH(double, fixed);
        Bar bar;
        Settings::setAppMode(mode);
        Settings::setSingleItem(singleItem);
        const std::shared_ptr<fennic::BatteryDevice> device = doubleView
            ? std::shared_ptr<fennic::BatteryDevice>(pair(QStringLiteral("AirPods Pro"), kPods, 50, 50))
            : keyboardAt(50);
        const auto view = viewFor(device);
        const double expected = mode == 3 ? device->image().size().width + extra : fixed;
        QVERIFY(device->image().size().width > 0);
        QCOMPARE(view->itemWidth(), expected);
    }

    void compactWidthIsTheMeasuredNameAtLeast88ForTwoUnits_data()
    {
        QTest::addColumn<bool>("doubleView");
        QTest::addColumn<QString>("customName");
        QTest::addColumn<QString>("measured");
        QTest::addColumn<double>("minimum");
        QTest::newRow("single: the kind's name") << false << QString() << "Keyboard" << 0.0;
        QTest::newRow("single: a custom name") << false << "My very long keyboard"
                                               << "My very long keyboard" << 0.0;
        QTest::newRow("double: short kind name, 88") << true << QString() << "Headphones" << 88.0;
        QTest::newRow("double: a long custom name") << true << "Earbuds of the whole family"
                                                    << "Earbuds of the whole family" << 88.0;
    }
    void compactWidthIsTheMeasuredNameAtLeast88ForTwoUnits()
    {
        QFETCH(bool, doubleView);
        QFETCH(QString, customName);
        QFETCH(QString, measured);
        QFETCH(double, minimum);
        Bar bar;
        std::shared_ptr<fennic::BatteryDevice> device = doubleView
            ? std::shared_ptr<fennic::BatteryDevice>(pair(QStringLiteral("Pods"), kPods, 50, 50))
            : keyboardAt(50);
        if (doubleView)
            device->setType(fennic::DeviceType::headphones);
        if (!customName.isEmpty())
            Settings::setCustomName(device->serial(), customName);
        const auto view = viewFor(device);
        platform::ui::TextAttributes bold;
        bold.font = platform::ui::Font::boldSystemFont(12);
        const double name = platform::ui::Text::boundingRect(measured, { 128, kThickness }, bold).width();
        QCOMPARE(view->itemWidth(), std::max(name, minimum));
        if (minimum == 0)
            QVERIFY(name < 128);
    }

    void levelTextsAtTenOrBelowAreOrange_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("expected");
        const QColor orange = rgb(Color::systemOrange().resolved(platform::ui::Appearance::aqua()));
        QTest::newRow("compact, 10") << 0 << 10 << false << orange;
        QTest::newRow("compact, 11") << 0 << 11 << false << QColor(Qt::black);
        QTest::newRow("compact, 0") << 0 << 0 << false << orange;
        QTest::newRow("icon and text, 10") << 1 << 10 << false << orange;
        QTest::newRow("icon and text, 11") << 1 << 11 << false << QColor(Qt::black);
        QTest::newRow("icon and text, 11, dark bar") << 1 << 11 << true << QColor(Qt::white);
    }
    void levelTextsAtTenOrBelowAreOrange()
    {
        QFETCH(int, mode);
        QFETCH(int, level);
        QFETCH(bool, dark);
        QFETCH(QColor, expected);
        Bar bar(dark ? platform::ui::Appearance::darkAqua() : platform::ui::Appearance::aqua());
        Settings::setAppMode(mode);
        const auto view = viewFor(keyboardAt(std::uint8_t(level)));
        const auto texts = only(draw(*view), DrawCall::Kind::text);
        const auto percent = std::find_if(
            texts.begin(), texts.end(), [&](const DrawCall &c) { return c.text == QStringLiteral("%1%").arg(level); });
        QVERIFY(percent != texts.end());
        QCOMPARE(rgb(percent->attributes.effectiveColor().resolved(percent->appearance)).rgb(), expected.rgb());
    }

    void barColoursFollowTheLevelWithLevelColours_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("colours");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("19 is red") << 0 << true << 19 << false << false << kRed;
        QTest::newRow("20 is green") << 0 << true << 20 << false << false << kGreenLight;
        QTest::newRow("charging at 5 is green") << 0 << true << 5 << true << false << kGreenLight;
        QTest::newRow("green on a dark bar") << 0 << true << 20 << false << true << kGreenDark;
        QTest::newRow("without level colours: text colour") << 0 << false << 5 << false << false << QColor(Qt::black);
        QTest::newRow("without level colours, dark: white") << 0 << false << 5 << false << true << QColor(Qt::white);
        QTest::newRow("vertical, 19 is red") << 3 << true << 19 << false << false << kRed;
        QTest::newRow("vertical, 20 is green") << 3 << true << 20 << false << false << kGreenLight;
    }
    void barColoursFollowTheLevelWithLevelColours()
    {
        QFETCH(int, mode);
        QFETCH(bool, colours);
        QFETCH(int, level);
        QFETCH(bool, charging);
        QFETCH(bool, dark);
        QFETCH(QColor, expected);
        Bar bar(dark ? platform::ui::Appearance::darkAqua() : platform::ui::Appearance::aqua());
        Settings::setAppMode(mode);
        Settings::setBarMode(true);
        // Each mode has its own switch: the compact bars follow one, the vertical bars the other.
        if (mode == 3)
            Settings::setUseVerticalColors(colours);
        else
            Settings::setUseLevelColors(colours);
        const auto view = viewFor(keyboardAt(std::uint8_t(level), charging));
        const auto bars = only(draw(*view), DrawCall::Kind::fillRoundedRect);
        QCOMPARE(bars.size(), std::size_t(2));
        QCOMPARE(rgb(bars[0].color).rgb(), expected.rgb());
        QCOMPARE(bars[0].color.alphaComponent(), 0.25);
        QCOMPARE(rgb(bars[1].color).rgb(), expected.rgb());
        QCOMPARE(bars[1].color.alphaComponent(), 1.0);
    }

    void theOtherModesColourSwitchDoesNotApply()
    {
        Bar bar;
        Settings::setAppMode(3);
        Settings::setUseLevelColors(true);
        const auto view = viewFor(keyboardAt(5));
        const auto bars = only(draw(*view), DrawCall::Kind::fillRoundedRect);
        QCOMPARE(bars.size(), std::size_t(2));
        QCOMPARE(rgb(bars[1].color).rgb(), QColor(Qt::black).rgb());
    }

    void barsFillTheirShareOfTheTrack_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("level");
        QTest::addColumn<Rect>("track");
        QTest::addColumn<std::optional<Rect>>("fill");
        const Rect compact(2, 4, 124, 5); // a custom name 128 points wide
        QTest::newRow("compact, 0: the track only") << 0 << 0 << compact << std::optional<Rect>();
        QTest::newRow("compact, 100: the whole track") << 0 << 100 << compact << std::optional<Rect>(compact);
        QTest::newRow("compact, 25") << 0 << 25 << compact << std::optional<Rect>(Rect(2, 4, 31, 5));
        QTest::newRow("compact, 255 from a helper record: the track and no more")
            << 0 << 255 << compact << std::optional<Rect>(compact);
        const Rect vertical(22 + 8, 2, 5, 18);
        QTest::newRow("vertical, 0: the track only") << 3 << 0 << vertical << std::optional<Rect>();
        QTest::newRow("vertical, 100: the whole track") << 3 << 100 << vertical << std::optional<Rect>(vertical);
        QTest::newRow("vertical, 50 grows upward") << 3 << 50 << vertical << std::optional<Rect>(Rect(30, 2, 5, 9));
        QTest::newRow("vertical, 101: the track and no more") << 3 << 101 << vertical << std::optional<Rect>(vertical);
    }
    void barsFillTheirShareOfTheTrack()
    {
        QFETCH(int, mode);
        QFETCH(int, level);
        QFETCH(Rect, track);
        QFETCH(std::optional<Rect>, fill);
        Bar bar;
        Settings::setAppMode(mode);
        Settings::setBarMode(true);
        const auto device = keyboardAt(std::uint8_t(level));
        QCOMPARE(device->image().size().width, 22.0);
        Settings::setCustomName(kKeyboard, QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
        const auto view = viewFor(device);
        const auto bars = only(draw(*view), DrawCall::Kind::fillRoundedRect);
        QCOMPARE(bars.size(), std::size_t(fill ? 2 : 1));
        QCOMPARE(bars[0].rect, track);
        QCOMPARE(bars[0].color.alphaComponent(), 0.25);
        QCOMPARE(bars[0].radiusX, 2.0);
        if (fill) {
            QCOMPARE(bars[1].rect, *fill);
            QCOMPARE(bars[1].radiusY, 2.0);
        }
    }

    void compactNameLineAndPercentage_data()
    {
        QTest::addColumn<bool>("barMode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<double>("nameY");
        QTest::addColumn<int>("bars");
        QTest::newRow("bars") << true << QStringList { "Keyboard" } << 11.0 << 2;
        QTest::newRow("percentage") << false << QStringList { "Keyboard", "80%" } << 12.0 << 0;
    }
    void compactNameLineAndPercentage()
    {
        QFETCH(bool, barMode);
        QFETCH(QStringList, texts);
        QFETCH(double, nameY);
        QFETCH(int, bars);
        Bar bar;
        Settings::setBarMode(barMode);
        const auto view = viewFor(keyboardAt(80));
        const auto calls = draw(*view);
        const auto drawn = only(calls, DrawCall::Kind::text);
        QStringList shown;
        for (const DrawCall &text : drawn)
            shown << text.text;
        QCOMPARE(shown, texts);
        QCOMPARE(drawn[0].rect, Rect(0, nameY, view->itemWidth(), 11));
        QVERIFY(drawn[0].attributes.effectiveFont().isBold());
        QCOMPARE(drawn[0].attributes.effectiveFont().pointSize(), 9.0);
        if (!barMode)
            QCOMPARE(drawn[1].rect, Rect(0, 1.5, view->itemWidth(), 12));
        QCOMPARE(int(only(calls, DrawCall::Kind::fillRoundedRect).size()), bars);
    }

    void namesShownByKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("customName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("single: the kind's name") << "single" << QString() << "Keyboard";
        QTest::newRow("single: the custom name") << "single"
                                                 << "Desk keys"
                                                 << "Desk keys";
        QTest::newRow("double: its own name") << "double" << QString() << "AirPods Pro";
        QTest::newRow("double: the custom name") << "double"
                                                 << "Pods"
                                                 << "Pods";
        QTest::newRow("Low Energy: its own name") << "lowEnergy" << QString() << "Pebble Mouse";
    }
    void namesShownByKind()
    {
        QFETCH(QString, kind);
        QFETCH(QString, customName);
        QFETCH(QString, shown);
        Bar bar;
        platform::MemoryCentral central;
        std::shared_ptr<fennic::BatteryDevice> device;
        if (kind == QStringLiteral("single")) {
            device = keyboardAt(80);
        } else if (kind == QStringLiteral("double")) {
            device = pair(QStringLiteral("AirPods Pro"), kPods, 70, 60);
        } else {
            const auto peripheral = central.addPeripheral({ kPeripheral, QStringLiteral("Pebble Mouse"), {}, true });
            device = std::make_shared<fennic::LowEnergyDevice>(peripheral);
            device->setBatteryLevel(40);
        }
        if (!customName.isEmpty())
            Settings::setCustomName(device->serial(), customName);
        const auto view = viewFor(device);
        const auto texts = only(draw(*view), DrawCall::Kind::text);
        QVERIFY(!texts.empty());
        QCOMPARE(texts[0].text, shown);
    }

    // An item is never blank: where a level is unknown the view draws "-" (in the bar's text colour), and
    // what else the mode shows.
    void missingLevelsShowNoValue_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("doubleView");
        QTest::addColumn<int>("images");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("bars");
        QTest::newRow("single, compact: name and -") << 0 << false << 0 << QStringList { "Keyboard", "-" } << 0;
        QTest::newRow("single, icon and text: picture and -") << 1 << false << 1 << QStringList { "-" } << 0;
        QTest::newRow("single, vertical: picture and -") << 3 << false << 1 << QStringList { "-" } << 0;
        QTest::newRow("double, compact: name and the known level")
            << 0 << true << 0 << QStringList { "AirPods Pro", "70% -" } << 0;
        QTest::newRow("double, icon and text: both pictures, the known level and -")
            << 1 << true << 2 << QStringList { "70%", "-" } << 0;
        QTest::newRow("double, vertical: picture, the known bar and -") << 3 << true << 1 << QStringList { "-" } << 2;
    }
    void missingLevelsShowNoValue()
    {
        QFETCH(int, mode);
        QFETCH(bool, doubleView);
        QFETCH(int, images);
        QFETCH(QStringList, texts);
        QFETCH(int, bars);
        Bar bar;
        Settings::setAppMode(mode);
        const std::shared_ptr<fennic::BatteryDevice> device = doubleView
            ? std::shared_ptr<fennic::BatteryDevice>(pair(QStringLiteral("AirPods Pro"), kPods, 70, std::nullopt))
            : keyboardAt(std::nullopt);
        const auto view = viewFor(device);
        const auto calls = draw(*view);
        QCOMPARE(int(only(calls, DrawCall::Kind::image).size()), images);
        QStringList shown;
        for (const DrawCall &text : only(calls, DrawCall::Kind::text))
            shown << text.text;
        QCOMPARE(shown, texts);
        QCOMPARE(int(only(calls, DrawCall::Kind::fillRoundedRect).size()), bars);
        QCOMPARE(int(calls.size()), images + int(texts.size()) + bars);
    }

    void modeTwoDrawsNothing()
    {
        Bar bar;
        Settings::setAppMode(2);
        for (const auto &device : { keyboardAt(50),
                 std::shared_ptr<fennic::BatteryDevice>(pair(QStringLiteral("AirPods Pro"), kPods, 70, 60)) })
            QVERIFY(draw(*viewFor(device)).empty());
    }

    void doubleViewDrawsBothUnits_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("barMode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<Rect>>("bars");
        QTest::newRow("compact, percentages") << 0 << false << QStringList { "AirPods Pro", "70% 8%" } << QList<Rect>();
        QTest::newRow("compact, bars") << 0 << true << QStringList { "AirPods Pro" }
                                       << QList<Rect> { Rect(2, 4, 40, 5), Rect(2, 4, 28, 5), Rect(46, 4, 40, 5),
                                              Rect(46, 4, 3.2, 5) };
        QTest::newRow("icon and text") << 1 << false << QStringList { "70%", "8%" } << QList<Rect>();
    }
    void doubleViewDrawsBothUnits()
    {
        QFETCH(int, mode);
        QFETCH(bool, barMode);
        QFETCH(QStringList, texts);
        QFETCH(QList<Rect>, bars);
        Bar bar;
        Settings::setAppMode(mode);
        Settings::setBarMode(barMode);
        const auto view = viewFor(pair(QStringLiteral("AirPods Pro"), kPods, 70, 8));
        const auto calls = draw(*view);
        QStringList shown;
        for (const DrawCall &text : only(calls, DrawCall::Kind::text))
            shown << text.text;
        QCOMPARE(shown, texts);
        QList<Rect> drawnBars;
        for (const DrawCall &fill : only(calls, DrawCall::Kind::fillRoundedRect))
            drawnBars << fill.rect;
        QCOMPARE(drawnBars, bars);
        if (mode == 1) {
            // The second unit's text stands right of the middle, after its picture, in orange at 8 %.
            const auto drawn = only(calls, DrawCall::Kind::text);
            QVERIFY(drawn[1].rect.x() > 52);
            QCOMPARE(rgb(drawn[1].attributes.effectiveColor()).rgb(),
                rgb(Color::systemOrange().resolved(platform::ui::Appearance::aqua())).rgb());
        }
    }

    void combinedViewPlacesItsViewsSideBySide()
    {
        Bar bar;
        quenby::MenuBarView combined;
        auto *first = new quenby::SingleBatteryDeviceView(Rect(0, 0, 128, kThickness));
        auto *second = new quenby::DoubleBatteryDeviceView(Rect(0, 0, 128, kThickness));
        combined.add(first, 0, 54);
        combined.add(second, 54, 104);
        QCOMPARE(combined.batteryViews(), (QList<platform::ui::View *> { first, second }));
        QCOMPARE(first->frame(), Rect(0, 0, 54, kThickness));
        QCOMPARE(second->frame(), Rect(54, 0, 104, kThickness));
        QCOMPARE(second->superview(), &combined);
    }

    // The computer's battery.

    void internalBatteryCompact_data()
    {
        QTest::addColumn<bool>("barMode");
        QTest::addColumn<int>("charge");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<bool>("timeKnown");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<double>("titleY");
        QTest::addColumn<int>("images");
        QTest::newRow("percentage") << false << 69 << false << true << QStringList { "Battery", "69%", "03:05" } << 12.0
                                    << 0;
        QTest::newRow("bars move the title down")
            << true << 69 << false << true << QStringList { "Battery", "03:05" } << 11.0 << 0;
        QTest::newRow("charging: the bolt, no estimate")
            << false << 100 << true << false << QStringList { "Battery", "100%", "-" } << 12.0 << 1;
    }
    void internalBatteryCompact()
    {
        QFETCH(bool, barMode);
        QFETCH(int, charge);
        QFETCH(bool, charging);
        QFETCH(bool, timeKnown);
        QFETCH(QStringList, texts);
        QFETCH(double, titleY);
        QFETCH(int, images);
        Bar bar;
        Settings::setBarMode(barMode);
        quenby::InternalBatteryView view(Rect(0, 0, 60, kThickness));
        auto record = battery(charge, charging);
        if (!timeKnown)
            record.setTimeToEmpty(std::nullopt);
        view.setBattery(&record);
        const auto calls = draw(view);
        const auto drawn = only(calls, DrawCall::Kind::text);
        QStringList shown;
        for (const DrawCall &text : drawn)
            shown << text.text;
        if (timeKnown)
            QCOMPARE(record.timeRemainingText(), texts.last());
        QCOMPARE(shown, texts);
        QCOMPARE(drawn[0].rect, Rect(2, titleY, 56, 11));
        const auto bolts = only(calls, DrawCall::Kind::image);
        QCOMPARE(int(bolts.size()), images);
        if (images)
            QCOMPARE(bolts[0].rect, Rect(60 - 9 - 2, kThickness - 9 - 1, 9, 9));
        QCOMPARE(only(calls, DrawCall::Kind::fillRoundedRect).empty(), !barMode);
    }

    void internalBatteryBarColours_data()
    {
        QTest::addColumn<int>("charge");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("19 % on battery: red") << 19 << false << kRed;
        QTest::newRow("20 % on battery: green") << 20 << false << kGreenLight;
        QTest::newRow("charging at 100 %: green") << 100 << true << kGreenLight;
    }
    void internalBatteryBarColours()
    {
        QFETCH(int, charge);
        QFETCH(bool, charging);
        QFETCH(QColor, expected);
        Bar bar;
        Settings::setBarMode(true);
        Settings::setUseLevelColors(true);
        quenby::InternalBatteryView view(Rect(0, 0, 60, kThickness));
        const auto record = battery(charge, charging);
        view.setBattery(&record);
        const auto bars = only(draw(view), DrawCall::Kind::fillRoundedRect);
        QCOMPARE(bars.size(), std::size_t(2));
        QCOMPARE(bars[0].rect, Rect(2, 4, 23, 5));
        QCOMPARE(bars[1].rect.width(), 23.0 * charge / 100);
        QCOMPARE(rgb(bars[1].color).rgb(), expected.rgb());
    }

    void internalBatteryOtherModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("bars");
        QTest::newRow("icon and text") << 1 << false << QStringList { "69%", "03:05" } << 1 << 0 << 0;
        QTest::newRow("icon and text, charging") << 1 << true << QStringList { "69%", "-" } << 1 << 1 << 0;
        QTest::newRow("vertical") << 3 << false << QStringList() << 0 << 1 << 2;
        QTest::newRow("vertical, charging") << 3 << true << QStringList() << 0 << 2 << 2;
        QTest::newRow("application icon") << 2 << true << QStringList() << 0 << 0 << 0;
    }
    void internalBatteryOtherModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, charging);
        QFETCH(QStringList, texts);
        QFETCH(int, strokes);
        QFETCH(int, images);
        QFETCH(int, bars);
        Bar bar;
        Settings::setAppMode(mode);
        quenby::InternalBatteryView view(Rect(0, 0, quenby::InternalBatteryView::widthForAppMode(mode), kThickness));
        const auto record = battery(69, charging);
        view.setBattery(&record);
        const auto calls = draw(view);
        QStringList shown;
        for (const DrawCall &text : only(calls, DrawCall::Kind::text))
            shown << text.text;
        QCOMPARE(shown, texts);
        QCOMPARE(int(only(calls, DrawCall::Kind::strokePath).size()), strokes);
        QCOMPARE(int(only(calls, DrawCall::Kind::image).size()), images);
        QCOMPARE(int(only(calls, DrawCall::Kind::fillRoundedRect).size()), bars);
        if (mode == 1) {
            // The outline and its terminal in the bar's text colour; the bolt inside the outline.
            QCOMPARE(only(calls, DrawCall::Kind::strokePath)[0].path.boundingBox(), Rect(4, 3, 10, kThickness - 8));
            QCOMPARE(only(calls, DrawCall::Kind::fillRect)[0].rect, Rect(7, kThickness - 5, 4, 2));
            if (charging)
                QCOMPARE(only(calls, DrawCall::Kind::image)[0].rect, Rect(4.5, 5.5, 9, 9));
        }
        if (mode == 3) {
            const double laptop = tavrin::Images::symbol(QStringLiteral("laptopcomputer")).size().width;
            QCOMPARE(only(calls, DrawCall::Kind::fillRoundedRect)[0].rect, Rect(laptop + 8, 2, 5, kThickness - 4));
        }
    }

    // Without a charge (every file unreadable) the item still shows the battery: its title or symbol and
    // "-" where the charge would be. Without any record it draws nothing.
    void internalBatteryWithoutCharge_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("strokes");
        QTest::newRow("compact") << 0 << QStringList { "Battery", "-" } << 0 << 0;
        QTest::newRow("icon and text") << 1 << QStringList { "-", "-" } << 0 << 1;
        QTest::newRow("vertical") << 3 << QStringList { "-" } << 1 << 0;
    }
    void internalBatteryWithoutCharge()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, texts);
        QFETCH(int, images);
        QFETCH(int, strokes);
        Bar bar;
        Settings::setAppMode(mode);
        quenby::InternalBatteryView view(Rect(0, 0, quenby::InternalBatteryView::widthForAppMode(mode), kThickness));
        QVERIFY(draw(view).empty());
        ammerl::AppleInternalBattery unknown;
        view.setBattery(&unknown);
        const auto calls = draw(view);
        QStringList shown;
        for (const DrawCall &text : only(calls, DrawCall::Kind::text))
            shown << text.text;
        QCOMPARE(shown, texts);
        QCOMPARE(int(only(calls, DrawCall::Kind::image).size()), images);
        QCOMPARE(int(only(calls, DrawCall::Kind::strokePath).size()), strokes);
        QVERIFY(only(calls, DrawCall::Kind::fillRoundedRect).empty());
    }

    void aRecordThatDrawsTheSameNeedsNoRedraw_data()
    {
        using Make = MakeDevice;
        QTest::addColumn<Make>("make");
        QTest::addColumn<bool>("same");
        const auto keyboard = [](std::uint8_t level) {
            return [level] { return single(QStringLiteral("Magic Keyboard"), kKeyboard, level); };
        };
        QTest::newRow("a new record with the same fields") << Make(keyboard(80)) << true;
        QTest::newRow("level") << Make(keyboard(79)) << false;
        QTest::newRow("charging") << Make([] {
            auto d = single(QStringLiteral("Magic Keyboard"), kKeyboard, 80);
            d->setCharging(true);
            return d;
        }) << false;
        QTest::newRow("name") << Make([] { return single(QStringLiteral("Other"), kKeyboard, 80); }) << false;
        QTest::newRow("serial (its custom name)") << Make([] {
            return single(QStringLiteral("Magic Keyboard"), kPods, 80);
        }) << false;
        QTest::newRow("kind") << Make([] {
            return single(QStringLiteral("Magic Keyboard"), kKeyboard, 80, QStringLiteral("Mouse"));
        }) << false;
        QTest::newRow("two batteries in place of one") << Make([] {
            return pair(QStringLiteral("Magic Keyboard"), kKeyboard, 80, 80);
        }) << false;
        QTest::newRow("none") << Make([] { return std::shared_ptr<fennic::BatteryDevice>(); }) << false;
    }

    void aRecordThatDrawsTheSameNeedsNoRedraw()
    {
        QFETCH(MakeDevice, make);
        QFETCH(bool, same);
        Bar bar;
        quenby::SingleBatteryDeviceView view(Rect(0, 0, 60, kThickness));
        QVERIFY(view.setDevice(single(QStringLiteral("Magic Keyboard"), kKeyboard, 80)));
        const auto next = make();
        QCOMPARE(view.setDevice(next), !same);
        QCOMPARE(view.device(), next); // the newest record is kept either way

        // A record changed in place, as the Low Energy finder's are, counts by what was drawn.
        const auto record = single(QStringLiteral("Magic Keyboard"), kKeyboard, 80);
        view.setDevice(record);
        QVERIFY(!view.setDevice(record));
        record->setBatteryLevel(81);
        QVERIFY(view.setDevice(record));

        // Two batteries: each level counts.
        quenby::DoubleBatteryDeviceView pairView(Rect(0, 0, 60, kThickness));
        QVERIFY(pairView.setDevice(pair(QStringLiteral("AirPods Pro"), kPods, 70, 60)));
        QVERIFY(!pairView.setDevice(pair(QStringLiteral("AirPods Pro"), kPods, 70, 60)));
        QVERIFY(pairView.setDevice(pair(QStringLiteral("AirPods Pro"), kPods, 70, 59)));
        QVERIFY(pairView.setDevice(pair(QStringLiteral("AirPods Pro"), kPods, std::nullopt, 59)));
    }

    void internalBatteryNeedsARedrawWhenItsDrawnFieldsChange()
    {
        Bar bar;
        quenby::InternalBatteryView view(Rect(0, 0, 60, kThickness));
        const auto first = battery(42);
        QVERIFY(view.setBattery(&first));
        const auto again = battery(42);
        QVERIFY(!view.setBattery(&again));
        const auto charging = battery(42, true); // also no time to empty
        QVERIFY(view.setBattery(&charging));
        const auto lower = battery(41, true);
        QVERIFY(view.setBattery(&lower));
        QVERIFY(view.setBattery(nullptr));
        QVERIFY(!view.setBattery(nullptr));
    }

    void internalBatteryKeepsItsOwnCopy()
    {
        Bar bar;
        quenby::InternalBatteryView view(Rect(0, 0, 60, kThickness));
        {
            const auto record = battery(42);
            view.setBattery(&record);
        }
        QCOMPARE(view.battery()->charge(), std::optional<std::int64_t>(42));
        QCOMPARE(quenby::InternalBatteryView::widthForAppMode(0), 60.0);
        QCOMPARE(quenby::InternalBatteryView::widthForAppMode(1), 50.0);
        QCOMPARE(quenby::InternalBatteryView::widthForAppMode(2), 44.0);
        QCOMPARE(quenby::InternalBatteryView::widthForAppMode(3), 36.0);
    }
};

QTEST_MAIN(StatusItemViewsTest)
#include "statusitemviews_test.moc"

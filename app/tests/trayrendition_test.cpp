#include "apptestsupport.h"
#include "quenby/leveldrawing.h"
#include "quenby/menubarview.h"

#include <platform/ui/recordingcontext.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/trayrendition.h>
#include <platform/ui/trayicon.h>
#include <platform/ui/traystatusbarpresenter.h>

#include <QPainter>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <map>

using namespace apptest;
using platform::ui::Appearance;
using quenby::Settings;

namespace {

double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// WCAG 2 contrast ratio.
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark panel (GNOME's top bar, a dark XFCE or LXQt panel) and a light one.
const QColor kDarkPanel(0x1f, 0x1f, 0x1f);
const QColor kLightPanel(0xed, 0xed, 0xed);

QImage onPanel(const QImage &picture, const QColor &panel)
{
    QImage shown(picture.size(), QImage::Format_ARGB32);
    shown.fill(panel);
    QPainter painter(&shown);
    painter.drawImage(0, 0, picture);
    return shown;
}

// How many pixels of the picture, as the panel shows it, stand out at least 3:1 (WCAG) from a
// neighbour: the edges of the strokes of digits and symbols, against the panel or against an outline
// drawn around them. Pixels in the outermost two columns and rows do not count, so a frame or badge
// around nothing would not pass.
constexpr int kLegibleEdges = 30;

int legibleEdges(const QImage &shown)
{
    int edges = 0;
    for (int y = 2; y < shown.height() - 2; ++y) {
        for (int x = 2; x < shown.width() - 2; ++x) {
            const QColor here = shown.pixelColor(x, y);
            for (const QPoint step : { QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1) }) {
                if (contrast(here, shown.pixelColor(x + step.x(), y + step.y())) >= 3) {
                    ++edges;
                    break;
                }
            }
        }
    }
    return edges;
}

// How many pixels two pictures of the same size differ in (by more than a rounding).
int differingPixels(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.alpha() - q.alpha()) > 24 || std::abs(p.lightness() - q.lightness()) > 24)
                ++differing;
        }
    }
    return differing;
}

// The devices of a case: "one battery", "two batteries", "internal battery", "combined item" (the
// keyboard, the earbuds and the computer in one item), "app icon"; each but the last also with ", no
// level" (none of its levels known), and "two batteries, one level" (the second earbud's unknown).
struct Scene {
    QString content;
    int appMode = 0;
    bool dark = false;
    std::optional<Appearance> panel;
};

// Runs `look` on the first status item of the application showing the scene.
void withFirstItem(const Scene &scene, const std::function<void(const olvane::MenuBarItem &)> &look)
{
    const QString content = scene.content.section(QStringLiteral(", "), 0, 0);
    const QString levels = scene.content.section(QStringLiteral(", "), 1);
    const bool combined = content == QStringLiteral("combined item");
    AppRig rig([&] {
        platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kAppModeKey), scene.appMode);
        platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kSingleItemKey), combined);
        quenby::Settings::reload();
    });
    platform::ui::ScopedAppearance appearance(scene.dark ? Appearance::darkAqua() : Appearance::aqua());
    rig.bar.setPanelAppearance(scene.panel);
    const bool none = levels == QStringLiteral("no level");
    if (content == QStringLiteral("internal battery") || combined) {
        rig.internal->battery = battery(9);
        if (none)
            rig.internal->battery->setCurrentCapacity(std::nullopt);
    }
    rig.accessories = [content, levels, none, combined] {
        std::vector<std::shared_ptr<fennic::BatteryDevice>> found;
        if (content == QStringLiteral("one battery") || content == QStringLiteral("app icon") || combined) {
            found.push_back(single(QStringLiteral("Magic Keyboard"), kKeyboard, 80));
            if (none)
                found.back()->setBatteryLevel(std::nullopt);
        }
        if (content == QStringLiteral("two batteries") || combined) {
            const std::optional<std::uint8_t> first = none ? std::nullopt : std::optional<std::uint8_t>(70);
            const std::optional<std::uint8_t> second
                = none || levels == QStringLiteral("one level") ? std::nullopt : std::optional<std::uint8_t>(60);
            found.push_back(pair(QStringLiteral("AirPods Pro"), kPods, first, second));
        }
        return found;
    };
    rig.launch();
    if (const auto item = rig.menuBar().firstItem())
        look(*item);
}

// The first status item's tray picture for the scene, at `scale` (22 points: 22 pixels at 1, 44 at 2).
QImage trayPicture(const Scene &scene, double scale = 1.0, QString *toolTip = nullptr)
{
    QImage picture;
    withFirstItem(scene, [&](const olvane::MenuBarItem &item) {
        if (toolTip)
            *toolTip = item.item()->toolTip();
        picture = item.item()->trayPicture(scale);
    });
    return picture;
}

// What the first item's first view draws as its rendition in a 22-point square.
std::vector<platform::ui::DrawCall> renditionCalls(const Scene &scene)
{
    std::vector<platform::ui::DrawCall> calls;
    withFirstItem(scene, [&](const olvane::MenuBarItem &item) {
        if (const auto *rendition = dynamic_cast<const platform::ui::TrayRendition *>(item.views().value(0))) {
            platform::ui::RecordingContext recorder;
            rendition->drawTrayRendition(recorder, 22);
            calls = recorder.calls();
        }
    });
    return calls;
}

std::vector<platform::ui::DrawCall> callsOf(
    const std::vector<platform::ui::DrawCall> &calls, platform::ui::DrawCall::Kind kind)
{
    std::vector<platform::ui::DrawCall> kept;
    std::copy_if(
        calls.begin(), calls.end(), std::back_inserter(kept), [kind](const auto &c) { return c.kind == kind; });
    return kept;
}

// The rectangles of the bars' tracks (drawn at the track's alpha), or of the symbols.
QList<platform::ui::Rect> rects(const std::vector<platform::ui::DrawCall> &calls, platform::ui::DrawCall::Kind kind)
{
    QList<platform::ui::Rect> found;
    for (const auto &call : callsOf(calls, kind)) {
        if (kind != platform::ui::DrawCall::Kind::fillRoundedRect
            || std::abs(call.color.alphaComponent() - quenby::LevelDrawing::kTrackAlpha) < 0.01)
            found << call.rect;
    }
    return found;
}

const char *modeName(int mode)
{
    switch (mode) {
    case 0:
        return "compact";
    case 1:
        return "icon and text";
    case 2:
        return "app icon";
    default:
        return "vertical bars";
    }
}

} // namespace

class TrayRenditionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void eachRenditionReadsOnDarkAndLightPanels_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("appMode");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("toolTip");
        struct Case {
            const char *content;
            const char *toolTip;
        };
        const Case cases[] = {
            { "one battery", "Magic Keyboard: 80%" },
            { "two batteries", "AirPods Pro: 70% / 60%" },
            { "internal battery", "Battery: 9% (03:05)" },
            { "combined item", "AirPods Pro: 70% / 60%\nMagic Keyboard: 80%\nBattery: 9% (03:05)" },
            { "one battery, no level", "Magic Keyboard: \u2013" },
            { "two batteries, one level", "AirPods Pro: 70% / \u2013" },
            { "two batteries, no level", "AirPods Pro: \u2013 / \u2013" },
            { "internal battery, no level", "Battery: \u2013 (03:05)" },
            { "combined item, no level",
                "AirPods Pro: \u2013 / \u2013\nMagic Keyboard: \u2013\nBattery: \u2013 (03:05)" },
        };
        for (const Case &c : cases) {
            for (int mode : { 0, 1, 3 }) {
                for (bool dark : { false, true }) {
                    QTest::addRow("%s, %s, %s scheme", c.content, modeName(mode), dark ? "dark" : "light")
                        << QString::fromLatin1(c.content) << mode << dark << QString::fromUtf8(c.toolTip);
                }
            }
        }
        for (bool dark : { false, true }) {
            QTest::addRow("app icon, %s scheme", dark ? "dark" : "light")
                << QStringLiteral("app icon") << 2 << dark
                << QCoreApplication::applicationName() + QStringLiteral("\nMagic Keyboard: 80%");
        }
    }

    // Trays tell no panel colour (StatusNotifierItem hosts never, most XEmbed trays neither), and a
    // dark panel under a light scheme is common: every picture must read on both kinds of panel.
    void eachRenditionReadsOnDarkAndLightPanels()
    {
        QFETCH(QString, content);
        QFETCH(int, appMode);
        QFETCH(bool, dark);
        QFETCH(QString, toolTip);
        QString shownToolTip;
        const QImage picture = trayPicture({ content, appMode, dark, std::nullopt }, 1.0, &shownToolTip);
        QCOMPARE(picture.size(), QSize(22, 22));
        QCOMPARE(shownToolTip, toolTip);
        for (const QColor &panel : { kDarkPanel, kLightPanel }) {
            const int edges = legibleEdges(onPanel(picture, panel));
            QVERIFY2(edges >= kLegibleEdges,
                qPrintable(QStringLiteral("%1 legible edge pixels on %2").arg(edges).arg(panel.name())));
        }
        // Trays put icons edge to edge: the outermost columns stay empty, so neighbours read apart.
        for (int y = 0; y < picture.height(); ++y) {
            for (int x : { 0, picture.width() - 1 })
                QVERIFY2(picture.pixelColor(x, y).alpha() == 0, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }

        // What the pictures were before: drawn for the scheme alone, black on a dark panel under a light
        // scheme, white on a light one under a dark scheme. The measure must find those illegible.
        const QImage forScheme
            = trayPicture({ content, appMode, dark, dark ? Appearance::darkAqua() : Appearance::aqua() });
        QVERIFY(legibleEdges(onPanel(forScheme, dark ? kLightPanel : kDarkPanel)) < kLegibleEdges / 3);
        // Drawn for a panel the tray told: nothing within the margin at the left and right.
        const int margin = int(quenby::LevelDrawing::kTrayInset);
        for (int y = 0; y < forScheme.height(); ++y) {
            for (int x : { 0, margin - 1, forScheme.width() - margin, forScheme.width() - 1 }) {
                QVERIFY2(forScheme.pixelColor(x, y).alpha() < 48,
                    qPrintable(QStringLiteral("drawn at the edge: (%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void theNoValueTextStandsWhereTheLevelWould_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("known"); // the same devices with their levels
        QTest::addColumn<int>("appMode");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("shares"); // bars filled to a level
        struct Case {
            const char *content;
            const char *known;
            int appMode;
            QStringList texts;
            int shares = 0;
        };
        const Case cases[] = {
            { "one battery, no level", "one battery", 0, { "-" } },
            { "one battery, no level", "one battery", 1, { "-" } },
            { "one battery, no level", "one battery", 3, { "-" } },
            { "two batteries, one level", "two batteries", 0, { "70", "-" } },
            // One symbol for the pair with its lowest level: the one known.
            { "two batteries, one level", "two batteries", 1, { "70" } },
            { "two batteries, one level", "two batteries", 3, { "-" }, 1 },
            { "two batteries, no level", "two batteries", 0, { "-", "-" } },
            { "two batteries, no level", "two batteries", 1, { "-" } },
            { "two batteries, no level", "two batteries", 3, { "-", "-" } },
            { "internal battery, no level", "internal battery", 0, { "-" } },
            { "internal battery, no level", "internal battery", 1, { "-" } },
            { "internal battery, no level", "internal battery", 3, { "-" } },
        };
        for (const Case &c : cases) {
            QTest::addRow("%s, %s", c.content, modeName(c.appMode))
                << QString::fromLatin1(c.content) << QString::fromLatin1(c.known) << c.appMode << c.texts << c.shares;
        }
    }

    // A level that is not known shows as "-" where its digits stand, or on its bar's empty track; the
    // symbol and the tracks stay where they are with a level.
    void theNoValueTextStandsWhereTheLevelWould()
    {
        QFETCH(QString, content);
        QFETCH(QString, known);
        QFETCH(int, appMode);
        QFETCH(QStringList, texts);
        QFETCH(int, shares);
        using Kind = platform::ui::DrawCall::Kind;
        const auto unknown = renditionCalls({ content, appMode, false, std::nullopt });
        const auto withLevels = renditionCalls({ known, appMode, false, std::nullopt });
        QVERIFY(!unknown.empty());

        const auto drawnTexts = callsOf(unknown, Kind::text);
        QStringList shown;
        for (const auto &call : drawnTexts)
            shown << call.text;
        QCOMPARE(shown, texts);
        QCOMPARE(rects(unknown, Kind::image), rects(withLevels, Kind::image));
        const QList<platform::ui::Rect> tracks = rects(withLevels, Kind::fillRoundedRect);
        QCOMPARE(rects(unknown, Kind::fillRoundedRect), tracks);
        // An unknown level's track stays empty.
        QCOMPARE(callsOf(unknown, Kind::fillRoundedRect).size(), std::size_t(tracks.size() + shares));

        const auto digits = callsOf(withLevels, Kind::text);
        if (appMode != 3) {
            QCOMPARE(drawnTexts.size(), digits.size());
            for (std::size_t i = 0; i < digits.size(); ++i) {
                QCOMPARE(drawnTexts[i].rect.minX(), digits[i].rect.minX());
                QCOMPARE(drawnTexts[i].rect.width(), digits[i].rect.width());
                QVERIFY(digits[i].rect.minY() < drawnTexts[i].rect.midY());
                QVERIFY(drawnTexts[i].rect.midY() < digits[i].rect.maxY());
            }
            return;
        }
        // Vertical bars: each "-" on a track of its own (centred on it, unless the margin is in the way).
        QSet<int> onTracks;
        for (const auto &dash : drawnTexts) {
            for (int t = 0; t < tracks.size(); ++t) {
                if (tracks[t].contains(dash.rect.center()))
                    onTracks.insert(t);
            }
        }
        QCOMPARE(onTracks.size(), drawnTexts.size());
    }

    void theModesGiveDifferentPictures_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("dark");
        for (const char *content : { "one battery", "two batteries", "internal battery", "combined item" }) {
            for (bool dark : { false, true }) {
                QTest::addRow("%s, %s scheme", content, dark ? "dark" : "light")
                    << QString::fromLatin1(content) << dark;
            }
        }
    }

    // Compact shows bare digits, icon and text the device's symbol with them, vertical bars the symbol
    // beside a bar: which accessory a number belongs to shows without hovering.
    void theModesGiveDifferentPictures()
    {
        QFETCH(QString, content);
        QFETCH(bool, dark);
        std::map<int, QImage> pictures;
        for (int mode : { 0, 1, 3 })
            pictures[mode] = trayPicture({ content, mode, dark, std::nullopt });
        for (auto [a, b] : { std::pair(0, 1), std::pair(0, 3), std::pair(1, 3) }) {
            const int differing = differingPixels(pictures[a], pictures[b]);
            QVERIFY2(differing > 40,
                qPrintable(QStringLiteral("%1 and %2: %3 pixels differ").arg(modeName(a), modeName(b)).arg(differing)));
        }
    }

    void theCombinedItemShowsTheDevicesInSmallWhereThereIsRoom_data()
    {
        QTest::addColumn<int>("appMode");
        for (int mode : { 0, 1, 3 })
            QTest::addRow("%s", modeName(mode)) << mode;
    }

    void theCombinedItemShowsTheDevicesInSmallWhereThereIsRoom()
    {
        QFETCH(int, appMode);
        // 22 pixels: room for one device, the one with the lowest level (the computer at 9 %).
        const QImage small = trayPicture({ QStringLiteral("combined item"), appMode, false, std::nullopt });
        const QImage lowest = trayPicture({ QStringLiteral("internal battery"), appMode, false, std::nullopt });
        QCOMPARE(differingPixels(small, lowest), 0);

        // 44 pixels: each device in a cell of 20 within the plate, two above, one centred below.
        const QImage large = trayPicture({ QStringLiteral("combined item"), appMode, false, std::nullopt }, 2.0);
        QCOMPARE(large.size(), QSize(44, 44));
        const QColor plate = QColor::fromRgba(platform::ui::StatusItem::kLightTrayPlate);
        const auto drawnIn = [&](const QRect &area) {
            int drawn = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    drawn += large.pixelColor(x, y).alpha() == 255 && large.pixelColor(x, y) != plate ? 1 : 0;
            return drawn;
        };
        QVERIFY(drawnIn(QRect(2, 2, 20, 20)) > 20);
        QVERIFY(drawnIn(QRect(22, 2, 20, 20)) > 20);
        QVERIFY(drawnIn(QRect(12, 22, 20, 20)) > 20);
        QCOMPARE(drawnIn(QRect(0, 22, 12, 22)), 0);
        QCOMPARE(drawnIn(QRect(32, 22, 12, 22)), 0);
        QCOMPARE(drawnIn(QRect(0, 0, 44, 2)) + drawnIn(QRect(0, 42, 44, 2)), 0);
    }

    void withMoreDevicesThanCellsTheLowestLevelsShow()
    {
        AppRig rig([] {
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kAppModeKey), 0);
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kSingleItemKey), true);
            quenby::Settings::reload();
        });
        rig.internal->battery = battery(9);
        rig.accessories = [] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Keyboard"), kKeyboard, 80),
                single(QStringLiteral("Mouse"), QStringLiteral("AA-00-00-00-00-05"), 34, QStringLiteral("Mouse")),
                pair(QStringLiteral("Pods"), kPods, 70, 60),
                single(QStringLiteral("Trackpad"), QStringLiteral("AA-00-00-00-00-06"), 33, QStringLiteral("Trackpad")),
            };
        };
        rig.launch();
        const auto item = rig.menuBar().firstItem();
        QVERIFY(item);
        const auto *combined = qobject_cast<const quenby::MenuBarView *>(item->views().value(0));
        QVERIFY(combined);
        const auto textsAt = [combined](double scale) {
            platform::ui::RecordingContext recorder(scale);
            combined->drawTrayRendition(recorder, 22);
            QStringList texts;
            for (const platform::ui::DrawCall &call : recorder.calls(platform::ui::DrawCall::Kind::text))
                texts << call.text;
            return texts;
        };
        QCOMPARE(textsAt(1.0), QStringList { "9" });
        QCOMPARE(textsAt(1.5), QStringList { "9" }); // 33 pixels
        // Four cells: the keyboard at 80 % has the highest level and stays out; the others keep their order.
        QCOMPARE(textsAt(2.0), (QStringList { "34", "70", "60", "33", "9" }));
        // Nine cells: all of them.
        QCOMPARE(textsAt(3.0).size(), 6);
    }

    void aTickWithUnchangedDevicesSetsNoTrayIcon()
    {
        AppRig rig;
        rig.addThreeAccessories();
        rig.internal->battery = battery(50);
        platform::ui::TrayStatusBarPresenter tray(rig.bar, platform::ui::TrayStatusBarPresenter::Protocol::inMemory);
        rig.launch();
        QCoreApplication::processEvents();
        const int shown = tray.iconUpdates();
        QVERIFY(shown >= rig.menuBar().count());
        QList<QImage> keys;
        for (const auto &item : rig.menuBar().items())
            keys << tray.trayIcon(item->item().get())->pictures().front();

        for (int tick = 0; tick < 3; ++tick) {
            rig.tick();
            QCoreApplication::processEvents();
        }
        QCOMPARE(tray.iconUpdates(), shown);
        QList<QImage> after;
        for (const auto &item : rig.menuBar().items())
            after << tray.trayIcon(item->item().get())->pictures().front();
        QCOMPARE(after, keys);

        // A level that changes is handed over, once.
        rig.accessories = [] {
            return std::vector<std::shared_ptr<fennic::BatteryDevice>> {
                single(QStringLiteral("Magic Keyboard"), kKeyboard, 79),
                pair(QStringLiteral("AirPods Pro"), kPods, 70, 60),
            };
        };
        rig.tick();
        QCoreApplication::processEvents();
        QCOMPARE(tray.iconUpdates(), shown + 1);
        rig.tick();
        QCoreApplication::processEvents();
        QCOMPARE(tray.iconUpdates(), shown + 1);
    }
};

QTEST_MAIN(TrayRenditionTest)
#include "trayrendition_test.moc"

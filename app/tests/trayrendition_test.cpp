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
#include <QTest>

#include <cmath>

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

const QColor kLightPanel(238, 238, 238);
const QColor kDarkPanel(34, 34, 38);

// The first hosted view of the item that draws a tray rendition.
const platform::ui::TrayRendition *renditionOf(const olvane::MenuBarItem &item)
{
    for (platform::ui::View *view : item.views())
        if (const auto *rendition = dynamic_cast<const platform::ui::TrayRendition *>(view))
            return rendition;
    return nullptr;
}

} // namespace

class TrayRenditionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { platform::Bundle::setPreferredLanguages({ QStringLiteral("en") }); }

    void eachRenditionReadsOnLightAndDarkPanels_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("appMode");
        QTest::addColumn<QString>("toolTip");
        struct Case {
            const char *content;
            int appMode;
            const char *toolTip;
        };
        const Case cases[] = {
            { "one battery", 1, "Magic Keyboard: 80%" },
            { "two batteries", 0, "AirPods Pro: 70% / 60%" },
            { "internal battery", 3, "Battery: 9% (03:05)" },
            { "combined item", 1, "AirPods Pro: 70% / 60%\nMagic Keyboard: 80%\nBattery: 9% (03:05)" },
            { "no level", 1, "Magic Keyboard: \u2013" },
        };
        for (const Case &c : cases) {
            for (bool dark : { false, true }) {
                QTest::addRow("%s, %s panel", c.content, dark ? "dark" : "light")
                    << QString::fromLatin1(c.content) << dark << c.appMode << QString::fromUtf8(c.toolTip);
            }
        }
    }

    void eachRenditionReadsOnLightAndDarkPanels()
    {
        QFETCH(QString, content);
        QFETCH(bool, dark);
        QFETCH(int, appMode);
        QFETCH(QString, toolTip);
        const bool combined = content == QStringLiteral("combined item");
        AppRig rig([&] {
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kAppModeKey), appMode);
            platform::UserDefaults::standard().set(QString::fromLatin1(quenby::kSingleItemKey), combined);
            quenby::Settings::reload();
        });
        platform::ui::ScopedAppearance appearance(dark ? Appearance::darkAqua() : Appearance::aqua());
        if (content == QStringLiteral("internal battery") || combined)
            rig.internal->battery = battery(9);
        rig.accessories = [content, combined] {
            std::vector<std::shared_ptr<fennic::BatteryDevice>> found;
            if (content == QStringLiteral("one battery") || combined)
                found.push_back(single(QStringLiteral("Magic Keyboard"), kKeyboard, 80));
            if (content == QStringLiteral("two batteries") || combined)
                found.push_back(pair(QStringLiteral("AirPods Pro"), kPods, 70, 60));
            if (content == QStringLiteral("no level")) {
                found.push_back(single(QStringLiteral("Magic Keyboard"), kKeyboard, 0));
                found.back()->setBatteryLevel(std::nullopt);
            }
            return found;
        };
        rig.launch();
        const auto item = rig.menuBar().firstItem();
        QVERIFY(item);
        // Wider than the square: the tray shows the rendition, not a shrunken picture.
        QVERIFY(item->item()->width() > rig.bar.thickness() + platform::ui::StatusItem::kTraySlack);
        QCOMPARE(item->item()->toolTip(), toolTip);

        const QImage picture = item->item()->trayPicture(1.0);
        QCOMPARE(picture.size(), QSize(22, 22));
        const QColor panel = dark ? kDarkPanel : kLightPanel;
        QImage onPanel(picture.size(), QImage::Format_ARGB32);
        onPanel.fill(panel);
        QPainter(&onPanel).drawImage(0, 0, picture);
        int covered = 0;
        int readable = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixelColor(x, y).alpha() == 0)
                    continue;
                ++covered;
                if (contrast(onPanel.pixelColor(x, y), panel) >= 4.5)
                    ++readable;
            }
        }
        QVERIFY2(covered > 20, qPrintable(QStringLiteral("only %1 pixels drawn").arg(covered)));
        // Digits (or the symbol) are strokes several pixels long in the foreground colour.
        QVERIFY2(readable >= 15, qPrintable(QStringLiteral("%1 pixels contrast with the panel").arg(readable)));
        // Trays put icons edge to edge: the outer columns stay empty so neighbours read apart.
        const int margin = int(quenby::LevelDrawing::kTrayInset) - 1;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x : { 0, margin, picture.width() - 1 - margin, picture.width() - 1 }) {
                QVERIFY2(picture.pixelColor(x, y).alpha() < 48,
                    qPrintable(QStringLiteral("drawn at the edge: (%1, %2)").arg(x).arg(y)));
            }
        }

        // Every text the rendition draws is in a colour that reads on the panel.
        const platform::ui::TrayRendition *rendition = renditionOf(*item);
        QVERIFY(rendition);
        platform::ui::RecordingContext recorder;
        {
            platform::ui::ScopedDrawingAppearance drawing(item->item()->button()->effectiveAppearance());
            rendition->drawTrayRendition(recorder, 22);
        }
        const auto texts = recorder.calls(platform::ui::DrawCall::Kind::text);
        QCOMPARE(texts.empty(), content == QStringLiteral("no level"));
        for (const platform::ui::DrawCall &text : texts) {
            const QColor colour = text.attributes.effectiveColor().toQColor();
            QVERIFY2(contrast(colour, panel) >= 4.5, qPrintable(text.text));
            QVERIFY(text.baseRect().minX() >= -0.5 && text.baseRect().maxX() <= 22.5);
        }
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

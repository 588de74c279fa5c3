#include "olvane/menubar.h"
#include "olvane/menubaritem.h"
#include "olvane/menubaritemcontroller.h"
#include "olvane/menubartheme.h"

#include <platform/ui/statusbar.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/systemappearance.h>

#include <QTest>

using namespace platform::ui;
using olvane::MenuBar;
using olvane::MenuBarTheme;

Q_DECLARE_METATYPE(std::optional<MenuBarTheme>)

class MenuBarTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        MenuBar::setFirstPadding(2.0);
        MenuBar::setSecondPadding(3.0);
    }

    void metricsFollowTheStatusBar()
    {
        StatusBar bar;
        bar.setThickness(24);
        ScopedStatusBar scoped(bar);
        QCOMPARE(MenuBar::thickness(), 24.0);
        QCOMPARE(MenuBar::barHeight(), 24.0);
        QCOMPARE(MenuBar::halfThickness(), 12.0);
        QCOMPARE(MenuBar::fullThickness(), 24.0);
        QCOMPARE(MenuBar::halfOffset(), std::make_pair(0.0, 12.0));
        QCOMPARE(MenuBar::paddedThickness(), 29.0);
        MenuBar::setFirstPadding(0);
        QCOMPARE(MenuBar::paddedThickness(), 27.0);
        MenuBar::setSecondPadding(10);
        QCOMPARE(MenuBar::paddedThickness(), 34.0);
        bar.setThickness(30);
        QCOMPARE(MenuBar::thickness(), 30.0);
    }

    void darknessComesFromTheMainItem()
    {
        StatusBar bar;
        ScopedAppearance dark(Appearance::darkAqua());
        QVERIFY(!MenuBar::isDark());
        QCOMPARE(MenuBar::textColor(), Color::black());
        {
            olvane::MenuBarItemController controller(bar);
            QVERIFY(MenuBar::isDark());
            QCOMPARE(MenuBar::textColor(), Color::white());
            {
                ScopedAppearance light(Appearance::aqua());
                QVERIFY(!MenuBar::isDark());
                QCOMPARE(MenuBar::textColor(), Color::black());
            }
            QVERIFY(MenuBar::isDark());
        }
        // The controller took its main item with it.
        QVERIFY(!MenuBar::mainStatusItem());
        QVERIFY(!MenuBar::isDark());
    }

    void anyAppearanceNamedDarkCounts_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<bool>("dark");
        QTest::newRow("aqua") << Appearance::aqua() << false;
        QTest::newRow("dark aqua") << Appearance::darkAqua() << true;
        QTest::newRow("vibrant light") << Appearance(Appearance::Kind::vibrantLight) << false;
        QTest::newRow("vibrant dark") << Appearance(Appearance::Kind::vibrantDark) << true;
    }

    void anyAppearanceNamedDarkCounts()
    {
        QFETCH(Appearance, appearance);
        QFETCH(bool, dark);
        StatusBar bar;
        olvane::MenuBarItemController controller(bar);
        controller.firstItem()->item()->button()->setAppearance(appearance);
        QCOMPARE(MenuBar::isDark(), dark);
        QCOMPARE(controller.isDark(), dark);
        QCOMPARE(MenuBar::textColor(), dark ? Color::white() : Color::black());
    }

    void themeRawValues_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<std::optional<MenuBarTheme>>("theme");
        QTest::newRow("light") << "light" << std::optional(MenuBarTheme::light);
        QTest::newRow("dark") << "dark" << std::optional(MenuBarTheme::dark);
        QTest::newRow("capitalised") << "Light" << std::optional<MenuBarTheme>();
        QTest::newRow("upper case") << "DARK" << std::optional<MenuBarTheme>();
        QTest::newRow("empty") << "" << std::optional<MenuBarTheme>();
    }

    void themeRawValues()
    {
        QFETCH(QString, raw);
        QFETCH(std::optional<MenuBarTheme>, theme);
        QCOMPARE(olvane::menuBarTheme(raw), theme);
        if (theme)
            QCOMPARE(olvane::rawValue(*theme), raw);
    }
};

QTEST_MAIN(MenuBarTest)
#include "menubar_test.moc"

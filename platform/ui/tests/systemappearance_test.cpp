#include "../../desktop/tests/dbusmock.h"
#include "platform/ui/systemappearance.h"

#include <QApplication>
#include <QDBusMessage>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

using namespace platform::ui;

namespace {
const QString kTemplate = QStringLiteral(QUENBY_SOURCE_DIR "/platform/ui/tests/data/settings_portal.py");

void setWindowColor(QColor c)
{
    QPalette p = QApplication::palette();
    p.setColor(QPalette::Window, c);
    QApplication::setPalette(p);
}

// A plain call rather than a QDBusInterface: the meta-object Qt builds for an interface is never freed
// once its connection closes, which the leak checker reports at the end of the test.
QDBusMessage setColorScheme(const QDBusConnection &bus, uint scheme)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.DBus.Mock"),
        QStringLiteral("SetColorScheme"));
    call << scheme;
    return bus.call(call);
}
} // namespace

class SystemAppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        setWindowColor(QColor(239, 239, 239));
        SystemAppearance::instance().usePortal(QDBusConnection(QString())); // no portal
    }

    void followsThePortalsColourScheme()
    {
        DBusMock mock;
        QVERIFY2(mock.startBus(), qPrintable(mock.error()));
        QVERIFY2(
            mock.startTemplate(kTemplate, QStringLiteral("org.freedesktop.portal.Desktop")), qPrintable(mock.error()));
        // The template takes its start value from a later call, so set it before following the portal.
        QCOMPARE(setColorScheme(mock.bus(), 1u).type(), QDBusMessage::ReplyMessage);

        SystemAppearance &sa = SystemAppearance::instance();
        QSignalSpy changed(&sa, &SystemAppearance::changed);
        sa.usePortal(mock.bus());
        QTRY_COMPARE_WITH_TIMEOUT(sa.portalColorScheme(), std::optional<uint>(1u), 5000);
        QCOMPARE(sa.detected(), Appearance::darkAqua());
        QCOMPARE(sa.effective(), Appearance::darkAqua());
        QCOMPARE(changed.count(), 1);

        QCOMPARE(setColorScheme(mock.bus(), 2u).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(sa.portalColorScheme(), std::optional<uint>(2u), 5000);
        QCOMPARE(sa.detected(), Appearance::aqua());
        QCOMPARE(changed.count(), 2);

        // No preference: the palette decides.
        setWindowColor(QColor(30, 30, 30));
        QCOMPARE(setColorScheme(mock.bus(), 0u).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(sa.portalColorScheme(), std::optional<uint>(0u), 5000);
        QCOMPARE(sa.detected(), Appearance::darkAqua());
    }

    void withoutAPortalThePaletteDecides()
    {
        SystemAppearance &sa = SystemAppearance::instance();
        QVERIFY(!sa.portalColorScheme());
        QCOMPARE(sa.detected(), Appearance::aqua());
        QSignalSpy changed(&sa, &SystemAppearance::changed);
        setWindowColor(QColor(20, 20, 24));
        QCOMPARE(sa.detected(), Appearance::darkAqua());
        QCOMPARE(changed.count(), 1);
    }

    void theApplicationPaletteFollowsTheAppearance()
    {
        SystemAppearance &sa = SystemAppearance::instance();
        const QColor desktopWindow(239, 239, 239);
        QCOMPARE(QApplication::palette().color(QPalette::Window), desktopWindow);
        sa.setAppliesPalette(true);
        // Agreeing with the desktop: its palette stays.
        QCOMPARE(QApplication::palette().color(QPalette::Window), desktopWindow);
        {
            ScopedAppearance dark(Appearance::darkAqua());
            const QPalette applied = QApplication::palette();
            QVERIFY(applied.color(QPalette::Window).lightnessF() < 0.5);
            QVERIFY(applied.color(QPalette::WindowText).lightnessF() > 0.5);
            QVERIFY(applied.color(QPalette::Text).lightnessF() > 0.5);
            // Our own palette is no news from the desktop: still dark because forced, detected light.
            QCOMPARE(sa.detected(), Appearance::aqua());
            QCOMPARE(sa.desktopPalette().color(QPalette::Window), desktopWindow);
        }
        QCOMPARE(QApplication::palette().color(QPalette::Window), desktopWindow);
        sa.setAppliesPalette(false);
        QCOMPARE(QApplication::palette().color(QPalette::Window), desktopWindow);
    }

    void withoutApplyingThePaletteIsLeftAlone()
    {
        ScopedAppearance dark(Appearance::darkAqua());
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(239, 239, 239));
    }

    void forcingWinsAndIsUndone()
    {
        SystemAppearance &sa = SystemAppearance::instance();
        QSignalSpy changed(&sa, &SystemAppearance::changed);
        {
            ScopedAppearance dark(Appearance::darkAqua());
            QCOMPARE(sa.effective(), Appearance::darkAqua());
            QCOMPARE(Appearance::current(), Appearance::darkAqua());
            {
                ScopedAppearance light(Appearance::aqua());
                QCOMPARE(sa.effective(), Appearance::aqua());
            }
            QCOMPARE(sa.effective(), Appearance::darkAqua());
            setWindowColor(QColor(20, 20, 24)); // a detected change does not show through
            QCOMPARE(sa.effective(), Appearance::darkAqua());
        }
        QCOMPARE(sa.forced(), std::nullopt);
        QCOMPARE(sa.effective(), Appearance::darkAqua()); // now detected from the palette
        QCOMPARE(changed.count(), 3);
    }
};

QTEST_MAIN(SystemAppearanceTest)
#include "systemappearance_test.moc"

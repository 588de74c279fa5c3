#include "dbusmock.h"
#include "platform/desktop/freedesktopusernotificationcenter.h"

#include <QDBusMessage>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

using namespace platform;

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

using Call = DBusMock::Call;

QList<Call> notifyCalls(const DBusMock &mock)
{
    QList<Call> result;
    for (const Call &c : mock.calls(kService, kPath)) {
        if (c.method == QLatin1String("Notify"))
            result << c;
    }
    return result;
}

// Waits (bounded) for a completion that must arrive through the event loop.
template <typename T> std::optional<T> await(const std::function<void(std::function<void(T)>)> &start)
{
    std::optional<T> result;
    bool insideCall = true;
    bool calledInside = false;
    start([&](T value) {
        calledInside = insideCall;
        result = std::move(value);
    });
    insideCall = false;
    if (calledInside)
        return std::nullopt;
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 15000))
        return std::nullopt;
    return result;
}
}

class FreedesktopUserNotificationCenterTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DBusMock> m_mock;

    NotificationSettings settingsOf(UserNotificationCenter &center)
    {
        auto s = await<NotificationSettings>([&](auto done) { center.getNotificationSettings(done); });
        return s.value_or(NotificationSettings { AuthorizationStatus::Ephemeral, AlertStyle::Alert });
    }

private slots:
    void init()
    {
        m_mock = std::make_unique<DBusMock>();
        QVERIFY2(m_mock->startBus(), qPrintable(m_mock->error()));
    }

    void cleanup() { m_mock.reset(); }

    void authorisedWhenAServerAnswers()
    {
        QVERIFY2(m_mock->startTemplate("notification_daemon", kService), qPrintable(m_mock->error()));
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        const NotificationSettings s = settingsOf(center);
        QCOMPARE(s.authorizationStatus, AuthorizationStatus::Authorized);
        QCOMPARE(s.alertStyle, AlertStyle::Banner);
        auto granted = await<bool>([&](auto done) {
            center.requestAuthorization(
                AuthorizationOption::Alert | AuthorizationOption::Badge | AuthorizationOption::Sound,
                [done](bool g, std::optional<UserNotificationError> e) { done(g && !e); });
        });
        QCOMPARE(granted, std::optional<bool>(true));
    }

    void deniedWithoutAServer()
    {
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        const NotificationSettings s = settingsOf(center);
        QCOMPARE(s.authorizationStatus, AuthorizationStatus::Denied);
        QCOMPARE(s.alertStyle, AlertStyle::None);
        auto granted = await<bool>([&](auto done) {
            center.requestAuthorization(
                AuthorizationOption::Alert, [done](bool g, std::optional<UserNotificationError> e) { done(g || e); });
        });
        QCOMPARE(granted, std::optional<bool>(false));
        auto error = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "ID", { "t", "b", true } }, done);
        });
        QVERIFY(error && *error);
        QVERIFY2(!(*error)->name.isEmpty(), qPrintable((*error)->message));
    }

    void withoutBusConnection()
    {
        FreedesktopUserNotificationCenter center(QDBusConnection(QStringLiteral("never-connected")), "Quenby");
        QCOMPARE(settingsOf(center).authorizationStatus, AuthorizationStatus::Denied);
        auto error = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "ID", { "t", "b", false } }, done);
        });
        QVERIFY(error && *error);
    }

    void addSendsNotify()
    {
        QVERIFY2(m_mock->startTemplate("notification_daemon", kService), qPrintable(m_mock->error()));
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        auto first = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "A", { QStringLiteral("Mouse: 10 %"), QStringLiteral("Bitte laden – Grüße"), true } }, done);
        });
        QVERIFY(first && !*first);
        auto second = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "B", { "t2", "b2", false } }, done);
        });
        QVERIFY(second && !*second);
        // The same identifier again replaces the first notification.
        auto again = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "A", { "t3", "b3", false } }, done);
        });
        QVERIFY(again && !*again);

        const QList<Call> notify = notifyCalls(*m_mock);
        QCOMPARE(notify.size(), 3);
        const QVariantList &a = notify[0].args;
        QCOMPARE(a.value(0).toString(), QStringLiteral("Quenby"));
        QCOMPARE(a.value(1).toUInt(), 0u);
        QCOMPARE(a.value(3).toString(), QStringLiteral("Mouse: 10 %"));
        QCOMPARE(a.value(4).toString(), QStringLiteral("Bitte laden – Grüße"));
        QCOMPARE(a.value(7).toInt(), -1);
        const auto hints = qdbus_cast<QVariantMap>(a.value(6));
        QCOMPARE(hints.value("sound-name").toString(), QStringLiteral("message-new-instant"));
        QVERIFY(!qdbus_cast<QVariantMap>(notify[1].args.value(6)).contains("sound-name"));
        QCOMPARE(notify[1].args.value(1).toUInt(), 0u);
        QCOMPARE(notify[2].args.value(1).toUInt(), 1u); // the server's id of "A"
    }

    // A device name holding markup reaches the server as text: a server that reads markup in the body
    // gets it escaped (no link, no picture), one that does not gets it as it is. The summary is plain
    // text to every server.
    void markupInTextsArrivesEscaped_data()
    {
        QTest::addColumn<QString>("capabilities"); // empty: the template's, which include body-markup
        QTest::addColumn<QString>("body");
        const QString name = QStringLiteral("<a href=\"https://example.com\">Mouse</a> <img src=\"/tmp/x.png\"/> & Co");
        QTest::newRow("server reads markup")
            << QString() << QStringLiteral("&lt;a href=\"https://example.com\"&gt;Mouse&lt;/a&gt; &lt;img "
                                           "src=\"/tmp/x.png\"/&gt; &amp; Co is low");
        QTest::newRow("server shows plain text") << QStringLiteral("body actions") << name + QStringLiteral(" is low");
    }
    void markupInTextsArrivesEscaped()
    {
        QFETCH(QString, capabilities);
        QFETCH(QString, body);
        const QString parameters
            = capabilities.isEmpty() ? QString() : QStringLiteral("{\"capabilities\": \"%1\"}").arg(capabilities);
        QVERIFY2(m_mock->startTemplate("notification_daemon", kService, parameters), qPrintable(m_mock->error()));
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        const QString name = QStringLiteral("<a href=\"https://example.com\">Mouse</a> <img src=\"/tmp/x.png\"/> & Co");
        auto added = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "A", { QStringLiteral("Low battery <b>"), name + QStringLiteral(" is low"), false } }, done);
        });
        QVERIFY(added && !*added);
        const QList<Call> notify = notifyCalls(*m_mock);
        QCOMPARE(notify.size(), 1);
        QCOMPARE(notify[0].args.value(3).toString(), QStringLiteral("Low battery <b>"));
        QCOMPARE(notify[0].args.value(4).toString(), body);
    }

    // The server learns which application speaks (its desktop entry) and shows its installed icon.
    void notificationsNameTheDesktopEntryAndIcon()
    {
        QVERIFY2(m_mock->startTemplate("notification_daemon", kService), qPrintable(m_mock->error()));
        QGuiApplication::setDesktopFileName(QStringLiteral("com.velmorn.quenby"));
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        auto added = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "A", { "t", "b", false } }, done);
        });
        QGuiApplication::setDesktopFileName(QString());
        QVERIFY(added && !*added);
        const QList<Call> notify = notifyCalls(*m_mock);
        QCOMPARE(notify.size(), 1);
        QCOMPARE(notify[0].args.value(2).toString(), QStringLiteral("com.velmorn.quenby"));
        const auto hints = qdbus_cast<QVariantMap>(notify[0].args.value(6));
        QCOMPARE(hints.value("desktop-entry").toString(), QStringLiteral("com.velmorn.quenby"));
    }

    // A notification the server has closed is gone: its identifier is forgotten, so the center does
    // not keep one entry per delivery for ever, and the next request with it shows a new notification.
    void closedNotificationsAreForgotten()
    {
        QVERIFY2(m_mock->startTemplate("notification_daemon", kService), qPrintable(m_mock->error()));
        FreedesktopUserNotificationCenter center(m_mock->bus(), "Quenby");
        for (const char *id : { "A", "B", "C" }) {
            auto added = await<std::optional<UserNotificationError>>([&](auto done) {
                center.add({ QString::fromLatin1(id), { "t", "b", false } }, done);
            });
            QVERIFY(added && !*added);
        }
        QCOMPARE(center.openNotificationCount(), 3u);

        QSignalSpy closed(&center, &FreedesktopUserNotificationCenter::notificationClosed);
        auto closeOnServer = [&](int serverId) {
            const QDBusMessage reply = m_mock->bus().call(QDBusMessage::createMethodCall(kService, kPath,
                QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("CloseNotification"))
                << serverId);
            QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        };
        closeOnServer(1); // "A"
        closeOnServer(3); // "C"
        QVERIFY(QTest::qWaitFor([&] { return closed.size() == 2; }, 15000));
        QCOMPARE(closed.at(0).at(0).toString(), QStringLiteral("A"));
        QCOMPARE(closed.at(1).at(0).toString(), QStringLiteral("C"));
        QCOMPARE(center.openNotificationCount(), 1u);

        auto again = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "A", { "t2", "b2", false } }, done);
        });
        QVERIFY(again && !*again);
        auto stillOpen = await<std::optional<UserNotificationError>>([&](auto done) {
            center.add({ "B", { "t3", "b3", false } }, done);
        });
        QVERIFY(stillOpen && !*stillOpen);
        const QList<Call> notify = notifyCalls(*m_mock);
        QCOMPARE(notify.size(), 5);
        QCOMPARE(notify[3].args.value(1).toUInt(), 0u); // "A" was closed: a new notification
        QCOMPARE(notify[4].args.value(1).toUInt(), 2u); // "B" is open: replaced
        QCOMPARE(center.openNotificationCount(), 2u);
    }
};

QTEST_GUILESS_MAIN(FreedesktopUserNotificationCenterTest)
#include "freedesktopusernotificationcenter_test.moc"

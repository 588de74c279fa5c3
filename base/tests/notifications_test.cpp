#include "tavrin/notifications.h"

#include <platform/core/mainqueue.h>
#include <platform/desktop/memoryusernotificationcenter.h>

#include <QRegularExpression>
#include <QTest>

using namespace platform;
using tavrin::Notifications;

namespace {
struct Device {
    QString serial;
};

class Observer : public QObject {
    Q_OBJECT
public:
    QList<Notification> received;
    int modeChanges = 0;
    void itemClicked(const Notification &n) { received << n; }
    void modeChanged() { ++modeChanges; }
};

using DeliverResult = std::optional<std::optional<UserNotificationError>>; // outer: completion called
}

class NotificationsTest : public QObject {
    Q_OBJECT
private:
    MemoryUserNotificationCenter *m_center = nullptr;
    std::unique_ptr<ScopedUserNotificationCenter> m_guard;
    bool m_calledInside = false;

    DeliverResult deliver(const QString &title, const QString &body)
    {
        DeliverResult result;
        Notifications::deliver(title, body, [&](std::optional<UserNotificationError> e) { result = e; });
        m_calledInside = m_calledInside || result.has_value();
        MainQueue::drain();
        return result;
    }

private slots:
    void init()
    {
        m_center = new MemoryUserNotificationCenter(this);
        m_guard = std::make_unique<ScopedUserNotificationCenter>(*m_center);
    }

    void cleanup()
    {
        QVERIFY2(!m_calledInside, "a completion ran inside the call");
        m_guard.reset();
        delete m_center;
    }

    // In-process notifications

    void observersGetNameAndObject()
    {
        Observer o;
        Notifications::addObserver(&o, &Observer::itemClicked, "MenuBarItemClicked");
        Notifications::addObserver(&o, &Observer::modeChanged, "ModeChanged");
        Notifications::postWithObject("MenuBarItemClicked", 2);
        Notifications::post("ModeChanged");
        QCOMPARE(o.received.size(), 1);
        QCOMPARE(o.received[0].object.value()->toInteger(), std::optional<std::int64_t>(2));
        QCOMPARE(o.modeChanges, 1);

        Notifications::removeObserver(&o, "MenuBarItemClicked");
        Notifications::postWithObject("MenuBarItemClicked", 3);
        Notifications::post("ModeChanged");
        QCOMPARE(o.received.size(), 1);
        QCOMPARE(o.modeChanges, 2);
        Notifications::removeObserver(&o, "ModeChanged");
    }

    void absentObjectPostsLikePost()
    {
        Observer o;
        Notifications::addObserver(&o, &Observer::itemClicked, "DevicesChanged");
        Notifications::postWithObject("DevicesChanged", std::optional<Value>());
        Notifications::post("DevicesChanged");
        QCOMPARE(o.received.size(), 2);
        QVERIFY(o.received[0].object.isNone());
        QVERIFY(o.received[1].object.isNone());
        Notifications::removeObserver(&o, "DevicesChanged");
    }

    void objectFilterAndDeviceRecords()
    {
        Observer o;
        const auto mouse = std::make_shared<Device>(Device { "M1" });
        const auto keyboard = std::make_shared<Device>(Device { "K1" });
        Notifications::addObserver(&o, &Observer::itemClicked, "DeviceLow", mouse);
        Notifications::postWithObject("DeviceLow", keyboard);
        Notifications::postWithObject("DeviceLow", mouse);
        QCOMPARE(o.received.size(), 1);
        QCOMPARE(o.received[0].object.shared<Device>()->serial, QStringLiteral("M1"));
        Notifications::removeObserver(&o, "DeviceLow");
    }

    void observerDestroyedWithoutRemoval()
    {
        auto *o = new Observer;
        Notifications::addObserver(o, &Observer::modeChanged, "ModeChanged");
        delete o;
        Notifications::post("ModeChanged"); // must not reach the destroyed observer
        QCOMPARE(NotificationCenter::defaultCenter().observerCount(), size_t(0));
    }

    // User notifications

    void permissionTable_data()
    {
        QTest::addColumn<AuthorizationStatus>("status");
        QTest::addColumn<AlertStyle>("style");
        QTest::addColumn<bool>("alertsEnabled");
        QTest::addColumn<bool>("delivers");

        const struct {
            const char *name;
            AuthorizationStatus status;
            bool permitted;
        } statuses[] = {
            { "not determined", AuthorizationStatus::NotDetermined, false },
            { "denied", AuthorizationStatus::Denied, false },
            { "authorised", AuthorizationStatus::Authorized, true },
            { "provisional", AuthorizationStatus::Provisional, true },
            { "ephemeral", AuthorizationStatus::Ephemeral, false },
        };
        const struct {
            const char *name;
            AlertStyle style;
            bool shows;
        } styles[] = {
            { "none", AlertStyle::None, false },
            { "banner", AlertStyle::Banner, true },
            { "alert", AlertStyle::Alert, true },
        };
        for (const auto &s : statuses) {
            for (const auto &a : styles) {
                QTest::addRow("%s, %s", s.name, a.name)
                    << s.status << a.style << (s.permitted && a.shows) << s.permitted;
            }
        }
    }

    void permissionTable()
    {
        QFETCH(AuthorizationStatus, status);
        QFETCH(AlertStyle, style);
        QFETCH(bool, alertsEnabled);
        QFETCH(bool, delivers);
        m_center->setAuthorizationStatus(status);
        m_center->setAlertStyle(style);

        std::optional<bool> enabled;
        Notifications::checkAlertsEnabled([&](bool e) { enabled = e; });
        QVERIFY(!enabled);
        MainQueue::drain();
        QCOMPARE(enabled, std::optional<bool>(alertsEnabled));

        const DeliverResult delivered = deliver("Low battery", "Mouse: 10 %");
        QCOMPARE(m_center->requests().size(), delivers ? 1 : 0);
        // Without permission the completion is never called.
        QCOMPARE(delivered.has_value(), delivers);
        QCOMPARE(m_center->settings().authorizationStatus, status); // nothing asked the user
    }

    void deliveredRequest()
    {
        m_center->setAuthorizationStatus(AuthorizationStatus::Authorized);
        QCOMPARE(deliver("Low battery", "Mouse: 10 %"), DeliverResult(std::optional<UserNotificationError>()));
        QCOMPARE(deliver("Low battery", "Mouse: 10 %"), DeliverResult(std::optional<UserNotificationError>()));
        QCOMPARE(m_center->requests().size(), 2);
        const NotificationRequest &first = m_center->requests()[0];
        QCOMPARE(first.content, (NotificationContent { "Low battery", "Mouse: 10 %", true }));
        static const QRegularExpression uuid("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
        QVERIFY2(uuid.match(first.identifier).hasMatch(), qPrintable(first.identifier));
        // Same title and body, still two separate notifications.
        QVERIFY(first.identifier != m_center->requests()[1].identifier);
        QCOMPARE(m_center->requestsHadCompletion(), (QList<bool> { true, true }));
    }

    void deliverForwardsTheAddError()
    {
        m_center->setAuthorizationStatus(AuthorizationStatus::Provisional);
        m_center->setAddError(UserNotificationError { "Failed", "server gone" });
        const DeliverResult result = deliver("t", "b");
        QVERIFY(result && *result);
        QCOMPARE((*result)->message, QStringLiteral("server gone"));
    }

    void deliverWithoutCompletionPassesNone()
    {
        m_center->setAuthorizationStatus(AuthorizationStatus::Authorized);
        Notifications::deliver("t", "b");
        MainQueue::drain();
        QCOMPARE(m_center->requestsHadCompletion(), QList<bool> { false });
    }

    void requestAuthorization_data()
    {
        QTest::addColumn<bool>("userGrants");
        QTest::addColumn<bool>("fails");
        QTest::newRow("granted") << true << false;
        QTest::newRow("refused") << false << false;
        QTest::newRow("error") << true << true;
    }

    void requestAuthorization()
    {
        QFETCH(bool, userGrants);
        QFETCH(bool, fails);
        m_center->setUserGrants(userGrants);
        if (fails)
            m_center->setAuthorizationError(UserNotificationError { "NotAllowed", "no" });
        std::optional<Notifications::AuthorizationResult> result;
        Notifications::requestAuthorization([&](Notifications::AuthorizationResult r) { result = r; });
        QVERIFY(!result);
        MainQueue::drain();
        QVERIFY(result);
        QCOMPARE(m_center->authorizationRequests(),
            QList<AuthorizationOptions> {
                AuthorizationOption::Alert | AuthorizationOption::Badge | AuthorizationOption::Sound });
        QCOMPARE(int(m_center->authorizationRequests().first()), 7);
        if (fails) {
            QVERIFY(std::holds_alternative<UserNotificationError>(*result));
            QCOMPARE(std::get<UserNotificationError>(*result).name, QStringLiteral("NotAllowed"));
        } else {
            QCOMPARE(std::get<bool>(*result), userGrants);
        }
    }

    void requestAuthorizationWithoutCompletionStillAsks()
    {
        Notifications::requestAuthorization();
        MainQueue::drain();
        QCOMPARE(m_center->authorizationRequests().size(), 1);
        QCOMPARE(m_center->settings().authorizationStatus, AuthorizationStatus::Authorized);
    }
};

QTEST_GUILESS_MAIN(NotificationsTest)
#include "notifications_test.moc"

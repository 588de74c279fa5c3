#include "olvane/distributednotifications.h"
#include "platform/desktop/memorydistributednotificationcenter.h"

#include <QTest>

using olvane::DistributedNotifications;
using platform::DistributedNotification;
using platform::MemoryDistributedNotificationCenter;

namespace {
// An observer whose action is one of its own member functions, the way the launcher observes.
class Launcher : public QObject {
public:
    void killme(const DistributedNotification &n) { heard.append(n); }
    QList<DistributedNotification> heard;
};
}

class DistributedNotificationsTest : public QObject {
    Q_OBJECT

    // A fresh centre per test, so nothing an earlier test posted is still on its way.
    std::unique_ptr<MemoryDistributedNotificationCenter> m_center;
    std::optional<platform::ScopedDistributedNotificationCenter> m_guard;

    // Posts a fence and drains the event loop until it arrives, so every earlier post was handled.
    void settle()
    {
        QObject fence;
        bool arrived = false;
        DistributedNotifications::addObserver(
            &fence, [&](const DistributedNotification &) { arrived = true; }, QStringLiteral("fence"));
        DistributedNotifications::post(QStringLiteral("fence"));
        QVERIFY(QTest::qWaitFor([&] { return arrived; }, 5000));
    }

private slots:
    void init()
    {
        m_center = std::make_unique<MemoryDistributedNotificationCenter>();
        m_guard.emplace(*m_center);
    }
    void cleanup()
    {
        m_guard.reset();
        m_center.reset();
    }

    void postGoesToTheCurrentCentreAsGiven()
    {
        DistributedNotifications::post(QStringLiteral("TerminateHelper"));
        DistributedNotifications::post(QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"));
        QCOMPARE(m_center->posted(),
            (QList<DistributedNotification> { { QStringLiteral("TerminateHelper"), std::nullopt },
                { QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby") } }));
    }

    void selectorHearsOnlyItsObject()
    {
        Launcher launcher;
        DistributedNotifications::addObserver(
            &launcher, &Launcher::killme, QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"));
        DistributedNotifications::post(QStringLiteral("killme"));
        DistributedNotifications::post(QStringLiteral("killme"), QStringLiteral("com.velmorn.quenbylauncher"));
        DistributedNotifications::post(QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"));
        settle();
        QCOMPARE(launcher.heard,
            (QList<DistributedNotification> { { QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby") } }));
    }

    void removingOneNameKeepsTheOthers()
    {
        QObject observer;
        QStringList heard;
        const auto action = [&](const DistributedNotification &n) { heard.append(n.name); };
        DistributedNotifications::addObserver(&observer, action, QStringLiteral("HelperStarted"));
        DistributedNotifications::addObserver(&observer, action, QStringLiteral("HelperStopped"), QStringLiteral("x"));
        DistributedNotifications::addObserver(&observer, action, QStringLiteral("HelperStopped"));
        DistributedNotifications::removeObserver(&observer, QStringLiteral("HelperStopped"));
        DistributedNotifications::post(QStringLiteral("HelperStopped"), QStringLiteral("x"));
        DistributedNotifications::post(QStringLiteral("HelperStarted"));
        settle();
        QCOMPARE(heard, QStringList { QStringLiteral("HelperStarted") });
    }
};

QTEST_GUILESS_MAIN(DistributedNotificationsTest)
#include "distributednotifications_test.moc"

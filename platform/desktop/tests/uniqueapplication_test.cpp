#include "platform/desktop/uniqueapplication.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using platform::UniqueApplication;

namespace {
const QString kBundle = QStringLiteral("com.velmorn.quenby.uniquetest");

QDBusConnection secondConnection()
{
    // Another client of the same bus, as a second process would be.
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second-start"));
}
} // namespace

class UniqueApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void serviceNames_data()
    {
        QTest::addColumn<QString>("bundle");
        QTest::addColumn<QString>("service");
        QTest::newRow("a bundle identifier is a bus name") << "com.velmorn.quenby"
                                                           << "com.velmorn.quenby";
        QTest::newRow("other characters") << "com.ex ample.ü"
                                          << "com.ex_ample._";
        QTest::newRow("leading digit") << "com.2app"
                                       << "com._2app";
        QTest::newRow("one element") << "quenby"
                                     << "app.quenby";
    }
    void serviceNames()
    {
        QFETCH(QString, bundle);
        QFETCH(QString, service);
        QCOMPARE(UniqueApplication::serviceName(bundle), service);
    }

    void aSecondStartHandsOverToTheFirst()
    {
        // The launcher started the second copy with a token for raising a window; the first copy must
        // present it, since the compositor gave it for the user's click.
        qputenv("XDG_ACTIVATION_TOKEN", "launcher-token-17");
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        UniqueApplication first(kBundle);
        QVERIFY(first.isPrimary());
        QSignalSpy activated(&first, &UniqueApplication::activated);

        QDBusConnection bus = secondConnection();
        {
            UniqueApplication second(kBundle, bus);
            QVERIFY(!second.isPrimary());
            // The second start waits for the first's answer, which the first gives from its event loop.
            bool reached = false;
            std::thread caller([&] { reached = second.activatePrimary(5000); });
            QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
            caller.join();
            QVERIFY(reached);
            QCOMPARE(activated.front().front().toString(), QStringLiteral("launcher-token-17"));
            QCOMPARE(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"), QStringLiteral("launcher-token-17"));
        }
        // Platform data whose token is no text carries none.
        qunsetenv("XDG_ACTIVATION_TOKEN");
        first.Activate({ { QStringLiteral("activation-token"), 17 } });
        QCOMPARE(activated.last().front().toString(), QString());
        QVERIFY(qEnvironmentVariableIsEmpty("XDG_ACTIVATION_TOKEN"));
        QDBusConnection::disconnectFromBus(QStringLiteral("second-start"));
    }

    void aCopyIsReachableAsSoonAsTheNameIsItsOwn()
    {
        // The first copy goes on starting before it takes the bus's answer; a second start that comes
        // meanwhile is served all the same, and the second copy serves no one.
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        UniqueApplication first(kBundle);
        QSignalSpy activated(&first, &UniqueApplication::activated);
        QDBusConnection bus = secondConnection();
        {
            UniqueApplication second(kBundle, bus);
            QVERIFY(!second.isPrimary());
            bool reached = false;
            std::thread caller([&] { reached = second.activatePrimary(5000); });
            QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 5000);
            caller.join();
            QVERIFY(reached);

            QDBusMessage toSecond = QDBusMessage::createMethodCall(bus.baseService(), QStringLiteral("/"),
                QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
            toSecond << QVariantMap();
            QCOMPARE(
                QDBusConnection::sessionBus().call(toSecond, QDBus::Block, 5000).type(), QDBusMessage::ErrorMessage);
        }
        QVERIFY(first.isPrimary());
        QDBusConnection::disconnectFromBus(QStringLiteral("second-start"));
    }

    void theNameIsFreeOnceTheFirstIsGone()
    {
        {
            UniqueApplication first(kBundle);
            QVERIFY(first.isPrimary());
        }
        UniqueApplication next(kBundle);
        QVERIFY(next.isPrimary());
        QVERIFY(!next.activatePrimary(100)); // nobody else to hand over to
    }

    void withoutABusEveryStartIsTheFirst()
    {
        UniqueApplication alone(kBundle, QDBusConnection(QStringLiteral("no such connection")));
        QVERIFY(alone.isPrimary());
    }
};

QTEST_GUILESS_MAIN(UniqueApplicationTest)
#include "uniqueapplication_test.moc"

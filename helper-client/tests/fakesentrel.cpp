// A stand-in for the maker's helper application, installed by the tests as Sentrel.app: it
// announces itself with "HelperStarted", answers "RequestBatteries" by storing every list of the
// shared store and posting "ResponseBatteries", and quits on "TerminateHelper" after "HelperStopped".
// It ends by itself after a minute so that a failed test leaves nothing behind.
#include "dorsk/helperdatamodel.h"
#include "dorsk/helpernotifications.h"
#include "olvane/distributednotifications.h"
#include "samplelists.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>

using dorsk::HelperNotifications;
using olvane::DistributedNotifications;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QObject helper;
    dorsk::HelperDataModel store;

    DistributedNotifications::addObserver(
        &helper,
        [&](const DistributedNotifications::Notification &) {
            dorsktest::writeSamples(store);
            DistributedNotifications::post(HelperNotifications::responseBatteries);
        },
        HelperNotifications::requestBatteries);
    DistributedNotifications::addObserver(
        &helper,
        [&](const DistributedNotifications::Notification &) {
            DistributedNotifications::post(HelperNotifications::helperStopped);
            // Let the last post leave before the process ends.
            if (QDBusConnection::sessionBus().isConnected())
                QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
            app.quit();
        },
        HelperNotifications::terminateHelper);
    DistributedNotifications::post(HelperNotifications::helperStarted);

    QTimer::singleShot(60000, &app, [] { std::exit(3); });
    return app.exec();
}

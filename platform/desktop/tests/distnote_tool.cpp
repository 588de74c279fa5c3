// A second process for the distributed-notification tests.
//   distnote_tool post NAME [OBJECT]       posts once and exits
//   distnote_tool observe TAG=NAME[:OBJECT]...
//                                          prints "ready", then "TAG NAME OBJECT" ("-" for none) per
//                                          delivery, and exits when "distnote.quit" arrives
//   distnote_tool loopback NAME            posts NAME twice, prints "delivered N" and exits
#include "platform/desktop/dbusdistributednotificationcenter.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QTimer>

#include <cstdio>

using platform::DBusDistributedNotificationCenter;
using platform::DistributedNotification;

namespace {
void say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

std::optional<QString> objectArgument(const QStringList &args, int index)
{
    return args.size() > index ? std::optional<QString>(args.at(index)) : std::nullopt;
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("distnote_tool"));
    DBusDistributedNotificationCenter center(bus);
    const QString mode = args.at(1);

    if (mode == QLatin1String("post")) {
        center.post(args.at(2), objectArgument(args, 3));
        // A round trip to the bus makes sure the signal left before the process ends.
        if (bus.isConnected())
            bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
        return 0;
    }

    QObject observer;
    if (mode == QLatin1String("loopback")) {
        int delivered = 0;
        center.addObserver(&observer, args.at(2), std::nullopt, [&](const DistributedNotification &) {
            if (++delivered == 2) {
                say(QStringLiteral("delivered %1").arg(delivered));
                app.quit();
            }
        });
        center.post(args.at(2));
        center.post(args.at(2));
        QTimer::singleShot(5000, &app, [] { std::exit(3); });
        return app.exec();
    }

    if (mode == QLatin1String("observe")) {
        for (int i = 2; i < args.size(); ++i) {
            const QString tag = args.at(i).section(QLatin1Char('='), 0, 0);
            const QString spec = args.at(i).section(QLatin1Char('='), 1);
            const QString name = spec.section(QLatin1Char(':'), 0, 0);
            const std::optional<QString> object = spec.contains(QLatin1Char(':'))
                ? std::optional<QString>(spec.section(QLatin1Char(':'), 1))
                : std::nullopt;
            center.addObserver(&observer, name, object, [tag](const DistributedNotification &n) {
                say(QStringLiteral("%1 %2 %3").arg(tag, n.name, n.object.value_or(QStringLiteral("-"))));
            });
        }
        // Once our own probe comes back through the bus, our match rule is in place there.
        center.addObserver(&observer, QStringLiteral("distnote.probe"), std::nullopt,
            [](const DistributedNotification &) { say(QStringLiteral("ready")); });
        center.addObserver(&observer, QStringLiteral("distnote.quit"), std::nullopt,
            [&app](const DistributedNotification &) { app.quit(); });
        center.post(QStringLiteral("distnote.probe"), QString::number(QCoreApplication::applicationPid()));
        QTimer::singleShot(20000, &app, [] { std::exit(3); });
        return app.exec();
    }
    return 2;
}

#pragma once

// A private D-Bus session bus with a python-dbusmock template on it, for tests of D-Bus backends.
// Each fixture starts its own bus daemon, so tests that run in parallel never meet on one bus.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

#include <atomic>

class DBusMock {
public:
    DBusMock() = default;
    ~DBusMock() { stop(); }
    DBusMock(const DBusMock &) = delete;
    DBusMock &operator=(const DBusMock &) = delete;

    /// Starts a bus of its own; false (with the reason in error()) when it cannot.
    bool startBus()
    {
        m_daemon.setProgram(QStringLiteral("dbus-daemon"));
        m_daemon.setArguments(
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        m_daemon.start();
        if (!m_daemon.waitForStarted(10000))
            return fail(QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString());
        while (!m_daemon.canReadLine()) {
            if (!m_daemon.waitForReadyRead(10000))
                return fail(QStringLiteral("dbus-daemon printed no address"));
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        static std::atomic<int> counter = 0;
        m_connectionName = QStringLiteral("dbusmock-%1").arg(++counter);
        m_bus = QDBusConnection::connectToBus(m_address, m_connectionName);
        if (!m_bus.isConnected())
            return fail(QStringLiteral("cannot connect to ") + m_address);
        return true;
    }

    /// Starts `python3 -m dbusmock --template <name>` on the bus and waits (bounded) until it owns
    /// `busName`. `parameters`: the template's parameters as a JSON object (none: its defaults).
    bool startTemplate(const QString &templateName, const QString &busName, const QString &parameters = {})
    {
        QDBusServiceWatcher watcher(busName, m_bus, QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        // Templates of system services (bluez5, upower) go to the system bus: the private bus is that too.
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
        m_mock.setProcessEnvironment(env);
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Debian's interpreter: another python3 earlier on PATH may lack the module.
        QStringList arguments { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
            templateName };
        if (!parameters.isEmpty())
            arguments << QStringLiteral("--parameters") << parameters;
        m_mock.start(QStringLiteral("/usr/bin/python3"), arguments);
        if (!m_mock.waitForStarted(10000))
            return fail(QStringLiteral("dbusmock did not start: ") + m_mock.errorString());
        if (!m_bus.interface()->isServiceRegistered(busName) && !registered.wait(20000))
            return fail(busName + QStringLiteral(" did not appear on the bus"));
        return true;
    }

    /// Ends the template's process only; the bus stays.
    void stopTemplate()
    {
        if (m_mock.state() != QProcess::NotRunning) {
            m_mock.terminate();
            if (!m_mock.waitForFinished(5000)) {
                m_mock.kill();
                m_mock.waitForFinished(5000);
            }
        }
    }

    void stop()
    {
        for (QProcess *p : { &m_mock, &m_daemon }) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000)) {
                    p->kill();
                    p->waitForFinished(5000);
                }
            }
        }
        if (!m_connectionName.isEmpty()) {
            m_bus = QDBusConnection(QString());
            QDBusConnection::disconnectFromBus(m_connectionName);
            m_connectionName.clear();
        }
    }

    /// A method call a template's object received.
    struct Call {
        QString method;
        QVariantList args;
    };
    /// What the template's object at `path` of `service` was asked, oldest first.
    QList<Call> calls(const QString &service, const QString &path) const
    {
        const QDBusMessage reply = m_bus.call(QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls")));
        QList<Call> result;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return result;
        const auto arg = reply.arguments().value(0).value<QDBusArgument>();
        arg.beginArray();
        while (!arg.atEnd()) {
            qulonglong time = 0;
            Call call;
            arg.beginStructure();
            arg >> time >> call.method >> call.args;
            arg.endStructure();
            result << call;
        }
        arg.endArray();
        return result;
    }

    QDBusConnection bus() const { return m_bus; }
    /// The bus address, for the environment of other processes that are to meet on it.
    QString address() const { return m_address; }
    QString error() const { return m_error; }

private:
    bool fail(const QString &why)
    {
        m_error = why;
        return false;
    }

    QProcess m_daemon;
    QProcess m_mock;
    QString m_address;
    QString m_connectionName;
    QDBusConnection m_bus { QString() };
    QString m_error;
};

#pragma once

// BlueZ on a private bus: python-dbusmock's bluez5 template, with the GATT and battery objects the
// template lacks added through the mock's generic calls. Like BlueZ, the helper announces what it adds
// and removes with InterfacesAdded and InterfacesRemoved.

#include "../../desktop/tests/dbusmock.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

// One method of a mock object: name, in and out signatures, Python code.
struct MockMethod {
    QString name;
    QString in;
    QString out;
    QString code;
};
Q_DECLARE_METATYPE(MockMethod)

inline QDBusArgument &operator<<(QDBusArgument &a, const MockMethod &m)
{
    a.beginStructure();
    a << m.name << m.in << m.out << m.code;
    a.endStructure();
    return a;
}

inline const QDBusArgument &operator>>(const QDBusArgument &a, MockMethod &m)
{
    a.beginStructure();
    a >> m.name >> m.in >> m.out >> m.code;
    a.endStructure();
    return a;
}

class BluezMock {
public:
    static constexpr auto kGattService = "org.bluez.GattService1";
    static constexpr auto kGattCharacteristic = "org.bluez.GattCharacteristic1";

    /// Starts the bus and the template; false with the reason in error() when it cannot.
    bool start()
    {
        qDBusRegisterMetaType<MockMethod>();
        qDBusRegisterMetaType<QList<MockMethod>>();
        if (!m_mock.startBus() || !m_mock.startTemplate(QStringLiteral("bluez5"), QStringLiteral("org.bluez")))
            return false;
        // The template's generic AddObject and AddProperties stay silent; these send what BlueZ would.
        const QString manager = QStringLiteral("'org.freedesktop.DBus.ObjectManager'");
        addMethod(QStringLiteral("Announce"), QStringLiteral("sas"),
            // A loop, not a comprehension: the mock runs the code with the arguments as locals.
            QStringLiteral("props = {}\n"
                           "for name in args[1]:\n"
                           "    props[name] = objects[args[0]].props[name]\n"
                           "self.EmitSignal(%1, 'InterfacesAdded', 'oa{sa{sv}}', [dbus.ObjectPath(args[0]), props])")
                .arg(manager));
        addMethod(QStringLiteral("Withdraw"), QStringLiteral("s"),
            QStringLiteral("self.EmitSignal(%1, 'InterfacesRemoved', 'oas', [dbus.ObjectPath(args[0]), "
                           "list(objects[args[0]].props.keys())])")
                .arg(manager));
        return m_error.isEmpty();
    }

    QDBusConnection bus() const { return m_mock.bus(); }
    /// BlueZ leaves the bus.
    void stop() { m_mock.stopTemplate(); }
    QString error() const { return m_error.isEmpty() ? m_mock.error() : m_error; }

    QString addAdapter(const QString &name)
    {
        return call("/", "org.bluez.Mock", "AddAdapter", { name, QStringLiteral("desk") }).toString();
    }
    /// A device that is not connected yet; its path.
    QString addDevice(const QString &address, const QString &alias)
    {
        return call("/", "org.bluez.Mock", "AddDevice", { QStringLiteral("hci0"), address, alias }).toString();
    }
    void connectDevice(const QString &address)
    {
        call("/", "org.bluez.Mock", "ConnectDevice", { QStringLiteral("hci0"), address });
    }
    void disconnectDevice(const QString &address)
    {
        call("/", "org.bluez.Mock", "DisconnectDevice", { QStringLiteral("hci0"), address });
    }

    /// Changes properties of one interface of an object, announcing them with PropertiesChanged.
    void update(const QString &path, const QString &interface, const QVariantMap &properties)
    {
        call(path, "org.freedesktop.DBus.Mock", "UpdateProperties", { interface, properties });
    }
    /// Gives an object a further interface with these properties.
    void addInterface(const QString &path, const QString &interface, const QVariantMap &properties)
    {
        call(path, "org.freedesktop.DBus.Mock", "AddProperties", { interface, properties });
        call("/", "org.bluez.Mock", "Announce", { path, QStringList { interface } });
    }
    /// The object leaves the bus.
    void removeObject(const QString &path)
    {
        call("/", "org.bluez.Mock", "Withdraw", { path });
        call("/", "org.freedesktop.DBus.Mock", "RemoveObject", { path });
    }
    /// How often `method` was called on the object at `path` since it was made.
    int calls(const QString &path, const QString &method)
    {
        const QDBusMessage reply = callMessage(path, "org.freedesktop.DBus.Mock", "GetMethodCalls", { method });
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return -1;
        const QDBusArgument list = reply.arguments().front().value<QDBusArgument>();
        int count = 0;
        list.beginArray();
        while (!list.atEnd()) {
            // (tav): a time and the arguments.
            QVariant entry;
            list >> entry;
            ++count;
        }
        list.endArray();
        return count;
    }
    QVariant property(const QString &path, const QString &interface, const QString &name)
    {
        return call(path, "org.freedesktop.DBus.Properties", "Get", { interface, name })
            .value<QDBusVariant>()
            .variant();
    }

    QString addService(const QString &device, int index, const QString &uuid)
    {
        const QString path = device + QStringLiteral("/service%1").arg(index, 4, 16, QLatin1Char('0'));
        addObject(path, QLatin1String(kGattService),
            { { QStringLiteral("UUID"), uuid }, { QStringLiteral("Primary"), true },
                { QStringLiteral("Device"), QVariant::fromValue(QDBusObjectPath(device)) } },
            {});
        return path;
    }
    /// A characteristic whose reads give its "Value" property; one that notifies also takes
    /// StartNotify and StopNotify, which set its "Notifying".
    QString addCharacteristic(
        const QString &service, int index, const QString &uuid, const QByteArray &value, bool notifies = false)
    {
        const QString path = service + QStringLiteral("/char%1").arg(index, 4, 16, QLatin1Char('0'));
        QStringList flags { QStringLiteral("read") };
        QList<MockMethod> methods { { QStringLiteral("ReadValue"), QStringLiteral("a{sv}"), QStringLiteral("ay"),
            QStringLiteral("ret = self.props['org.bluez.GattCharacteristic1']['Value']") } };
        if (notifies) {
            flags.append(QStringLiteral("notify"));
            const QString set = QStringLiteral(
                "self.UpdateProperties('org.bluez.GattCharacteristic1', {'Notifying': dbus.Boolean(%1)})");
            methods.append({ QStringLiteral("StartNotify"), QString(), QString(), set.arg(QStringLiteral("True")) });
            methods.append({ QStringLiteral("StopNotify"), QString(), QString(), set.arg(QStringLiteral("False")) });
        }
        addObject(path, QLatin1String(kGattCharacteristic),
            { { QStringLiteral("UUID"), uuid }, { QStringLiteral("Value"), value },
                { QStringLiteral("Service"), QVariant::fromValue(QDBusObjectPath(service)) },
                { QStringLiteral("Flags"), flags }, { QStringLiteral("Notifying"), false } },
            methods);
        return path;
    }

    /// Full 128-bit form of a 16-bit identifier, as BlueZ writes them.
    static QString uuid(const char *shortForm)
    {
        return QStringLiteral("0000%1-0000-1000-8000-00805f9b34fb").arg(QLatin1String(shortForm).toString().toLower());
    }

private:
    void addObject(
        const QString &path, const QString &interface, const QVariantMap &properties, const QList<MockMethod> &methods)
    {
        call("/", "org.freedesktop.DBus.Mock", "AddObject",
            { path, interface, properties, QVariant::fromValue(methods) });
        call("/", "org.bluez.Mock", "Announce", { path, QStringList { interface } });
    }

    void addMethod(const QString &name, const QString &in, const QString &code)
    {
        call("/", "org.freedesktop.DBus.Mock", "AddMethod",
            { QStringLiteral("org.bluez.Mock"), name, in, QString(), code });
    }

    QDBusMessage callMessage(const QString &path, const char *interface, const char *method, const QVariantList &args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("org.bluez"), path, QLatin1String(interface), QLatin1String(method));
        message.setArguments(args);
        return m_mock.bus().call(message);
    }

    QVariant call(const QString &path, const char *interface, const char *method, const QVariantList &args)
    {
        const QDBusMessage reply = callMessage(path, interface, method, args);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            m_error = QStringLiteral("%1 on %2: %3").arg(QLatin1String(method), path, reply.errorMessage());
            qWarning("%s", qPrintable(m_error));
            return {};
        }
        return reply.arguments().value(0);
    }

    DBusMock m_mock;
    QString m_error;
};

#include "platform/bluetooth/bluezcentral.h"
#include "platform/bluetooth/peripheral.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

// BlueZ's object tree and its changes as the BlueZ central takes them once decoded from the bus
// (GetManagedObjects, InterfacesAdded, InterfacesRemoved, PropertiesChanged), with properties of every
// type a D-Bus variant can carry, mixed with what the finders ask of the central: connected
// peripherals, connections, discoveries and reads. No bus is needed: every call BlueZ would answer
// fails at once, as it does when BlueZ is gone.
//
// The input is a list of steps, one byte choosing each; what a step needs follows it:
//   text     length byte, then that many bytes (UTF-8, anything goes)
//   name     byte; below 0xF0 one of the usual names of its kind, else a text
//   value    type byte, then the value (see readValue)
//   map      count byte, then that many (name, value)
//   tree     count byte, then that many (path name, count byte, that many (interface name, map))
// The seeds in fuzz/corpus/bluez are written by fuzz/make-bluez-seeds.py.

namespace {

using platform::BluezCentral;
using platform::BluetoothUuid;
using platform::Central;
using platform::Peripheral;

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool atEnd() const { return m_at >= m_size; }
    std::uint8_t byte() { return atEnd() ? 0 : m_data[m_at++]; }
    QByteArray bytes()
    {
        const std::size_t length = std::min<std::size_t>(byte(), m_size - std::min(m_at, m_size));
        QByteArray out(reinterpret_cast<const char *>(m_data + m_at), static_cast<qsizetype>(length));
        m_at += length;
        return out;
    }
    QString text() { return QString::fromUtf8(bytes()); }
    template <std::size_t N> QString name(const char *const (&usual)[N])
    {
        const std::uint8_t pick = byte();
        return pick < 0xF0 ? QString::fromLatin1(usual[pick % N]) : text();
    }
    template <typename T> T number()
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits = bits << 8 | byte();
        T out;
        std::memcpy(&out, &bits, sizeof(T));
        return out;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

const char *const kPaths[] = { "/org/bluez/hci0", "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF",
    "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF/service0010", "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF/service0010/char0011",
    "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF/service0010/char0014", "/org/bluez/hci1",
    "/org/bluez/hci1/dev_AA_BB_CC_DD_EE_FF", "/org/bluez/hci0/dev_11_22_33_44_55_66", "/", "" };
const char *const kInterfaces[] = { "org.bluez.Adapter1", "org.bluez.Device1", "org.bluez.GattService1",
    "org.bluez.GattCharacteristic1", "org.bluez.Battery1", "org.freedesktop.DBus.Properties" };
const char *const kProperties[] = { "Powered", "Connected", "Address", "UUIDs", "Name", "Alias", "UUID",
    "Device", "Service", "Value", "Flags", "Percentage", "Primary" };
const char *const kTexts[] = { "0000180f-0000-1000-8000-00805f9b34fb", "00002a19-0000-1000-8000-00805f9b34fb",
    "180F", "2A19", "aa:bb:cc:dd:ee:ff", "AA:BB:CC:DD:EE:FF", "notify", "read", "indicate", "Keyboard",
    "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF", "/org/bluez/hci0/dev_AA_BB_CC_DD_EE_FF/service0010", "" };

// A value as Qt hands a received variant over: basic types as themselves, `as` as a string list, `ay`
// as bytes, a variant in a variant as QDBusVariant, and any other container as a QDBusArgument.
QVariant readValue(Input &in, int depth = 0)
{
    switch (in.byte() % 16) {
    case 0: return bool(in.byte() & 1);
    case 1: return QVariant::fromValue(in.number<std::uint8_t>());
    case 2: return QVariant::fromValue(in.number<std::int16_t>());
    case 3: return QVariant::fromValue(in.number<std::uint16_t>());
    case 4: return QVariant::fromValue(in.number<std::int32_t>());
    case 5: return QVariant::fromValue(in.number<std::uint32_t>());
    case 6: return QVariant::fromValue(qlonglong(in.number<std::int64_t>()));
    case 7: return QVariant::fromValue(qulonglong(in.number<std::uint64_t>()));
    case 8: return in.number<double>();
    case 9: return in.name(kTexts);
    case 10: return QVariant::fromValue(QDBusObjectPath(in.name(kPaths)));
    case 11: {
        QStringList list;
        for (int n = in.byte() % 8; n > 0; --n)
            list << in.name(kTexts);
        return list;
    }
    case 12: return in.bytes();
    case 13: return QVariant::fromValue(QDBusVariant(depth < 4 ? readValue(in, depth + 1) : QVariant()));
    case 14: return QVariant::fromValue(QDBusSignature(QStringLiteral("a{sv}")));
    default: return QVariant::fromValue(QDBusArgument());
    }
}

QVariantMap readMap(Input &in)
{
    QVariantMap map;
    for (int n = in.byte() % 16; n > 0; --n) {
        const QString key = in.name(kProperties);
        map.insert(key, readValue(in));
    }
    return map;
}

BluezCentral::Interfaces readInterfaces(Input &in)
{
    BluezCentral::Interfaces interfaces;
    for (int n = in.byte() % 6; n > 0; --n) {
        const QString name = in.name(kInterfaces);
        interfaces.insert(name, readMap(in));
    }
    return interfaces;
}

QStringList readNames(Input &in)
{
    QStringList names;
    for (int n = in.byte() % 6; n > 0; --n)
        names << in.name(kInterfaces);
    return names;
}

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "bluez_fuzzer: %s\n", what);
        std::abort();
    }
}

const QList<BluetoothUuid> &wanted(std::uint8_t pick)
{
    static const QList<BluetoothUuid> none;
    static const QList<BluetoothUuid> battery { BluetoothUuid::fromShort(0x180F) };
    static const QList<BluetoothUuid> level { BluetoothUuid::fromShort(0x2A19) };
    static const QList<BluetoothUuid> both { BluetoothUuid::fromShort(0x180F), BluetoothUuid::fromShort(0x2A19) };
    switch (pick % 4) {
    case 0: return none;
    case 1: return battery;
    case 2: return level;
    default: return both;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    // A named connection that was never opened: no bus, every call fails at once.
    BluezCentral central(QDBusConnection(QStringLiteral("quenby-fuzz-no-bus")));
    // The machine's own devices take no part in what the input does.
    central.setBatteryReportedElsewhere({});
    std::vector<std::shared_ptr<Peripheral>> peripherals;
    std::vector<std::shared_ptr<platform::GattCharacteristic>> characteristics;

    QObject::connect(&central, &Central::stateUpdated, &central, [&](Central::State state) {
        check(state == central.state(), "a state told is not the central's state");
    });

    for (int steps = 0; !in.atEnd() && steps < 64; ++steps) {
        switch (in.byte() % 10) {
        case 0: {
            BluezCentral::Objects objects;
            for (int n = in.byte() % 12; n > 0; --n) {
                const QString path = in.name(kPaths);
                objects[path] = readInterfaces(in);
            }
            central.treeReceived(std::move(objects));
            break;
        }
        case 1: {
            const QString path = in.name(kPaths);
            central.applyInterfacesAdded(path, readInterfaces(in));
            break;
        }
        case 2: {
            const QString path = in.name(kPaths);
            central.applyInterfacesRemoved(path, readNames(in));
            break;
        }
        case 3: {
            const QString path = in.name(kPaths);
            const QString name = in.name(kInterfaces);
            const QVariantMap changed = readMap(in);
            central.applyPropertiesChanged(path, name, changed, readNames(in));
            break;
        }
        case 4: {
            peripherals = central.retrieveConnectedPeripherals(wanted(in.byte() | 1));
            std::set<QUuid> seen;
            for (const auto &p : peripherals) {
                check(p != nullptr, "a connected peripheral is null");
                check(seen.insert(p->identifier()).second, "one peripheral is listed twice");
                central.connectPeripheral(p);
            }
            break;
        }
        case 5:
            for (const auto &p : peripherals)
                p->discoverServices(wanted(in.byte()));
            break;
        case 6:
            for (const auto &p : peripherals) {
                const auto services = p->services();
                if (!services)
                    continue;
                for (const auto &service : *services)
                    p->discoverCharacteristics(wanted(in.byte()), service);
            }
            break;
        case 7:
            characteristics.clear();
            for (const auto &p : peripherals) {
                for (const auto &service : p->services().value_or(Peripheral::Services {})) {
                    for (const auto &c : service->characteristics().value_or(
                             std::vector<std::shared_ptr<platform::GattCharacteristic>> {})) {
                        characteristics.push_back(c);
                        p->readValue(c);
                    }
                }
            }
            break;
        case 8:
            if (!peripherals.empty())
                central.cancelPeripheralConnection(peripherals[in.byte() % peripherals.size()]);
            break;
        default:
            QCoreApplication::processEvents();
            break;
        }
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

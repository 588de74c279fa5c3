#include "platform/registry/sysfsregistry.h"

#include "hiddevice_p.h"
#include "powersupply_p.h"
#include "sysfsattributes_p.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace platform {

namespace {
    enum class Kind { BatteryManager, SmartBattery, HidEventService, HidInterface, HidDevice };

    const QStringList &chainOf(Kind kind)
    {
        static const QStringList manager { QStringLiteral("AppleSmartBatteryManager"), QStringLiteral("IOService") };
        static const QStringList battery { QStringLiteral("AppleSmartBattery"), QStringLiteral("IOPMPowerSource"),
            QStringLiteral("IOService") };
        static const QStringList eventService { QStringLiteral("AppleDeviceManagementHIDEventService"),
            QStringLiteral("IOHIDEventService"), QStringLiteral("IOService") };
        static const QStringList interface {
            QStringLiteral("IOHIDInterface"), QStringLiteral("IOService")
        };
        static const QStringList device { QStringLiteral("IOHIDUserDevice"), QStringLiteral("IOHIDDevice"),
            QStringLiteral("IOService") };
        switch (kind) {
        case Kind::BatteryManager:
            return manager;
        case Kind::SmartBattery:
            return battery;
        case Kind::HidEventService:
            return eventService;
        case Kind::HidInterface:
            return interface;
        case Kind::HidDevice:
            break;
        }
        return device;
    }

    constexpr Kind kKinds[] { Kind::BatteryManager, Kind::SmartBattery, Kind::HidEventService, Kind::HidInterface,
        Kind::HidDevice };

    // One entry: what it is and the sysfs directory it reads (the supply for the battery, its manager
    // and an event service; the HID device's canonical directory for the interface and the device).
    struct Node {
        Kind kind;
        QString path;
    };
}

struct SysfsRegistry::State {
    explicit State(QString r)
        : root(std::move(r))
        , supplies(root)
    {
    }

    QString root;
    powersupply::SupplyDirectory supplies;
    HidDevice::BluetoothIcon bluetoothIcon;
    QHash<QString, std::uint64_t> ids;
    std::uint64_t nextId = 1;
    powersupply::SupplyDirectory::Listing lastListing;
    std::optional<quint64> listedInPass;

    // What is known of an accessory's battery while its directory stays the same one: its HID device
    // and every key but the level and the transport (which follows whether it charges).
    struct Accessory {
        powersupply::FileId id;
        std::optional<HidDevice> hid;
        Value::Dictionary fixed;
        // Its properties as read in the pass `readInPass` (the finders ask for them key by key).
        std::optional<quint64> readInPass;
        Value::Dictionary now;
    };
    QHash<QString, Accessory> accessories; // by the supply's path

    // What is known of a HID device while its directory and its input devices stay the same.
    struct Device {
        powersupply::FileId id;
        QStringList inputs;
        std::optional<HidDevice> hid;
        Value::Dictionary properties;
        // The pass it was last checked in, and how often its input devices were listed.
        std::optional<quint64> checkedInPass;
        int inputListings = 0;
    };
    // Input devices come with their HID device, at most a moment later: they are listed on the device's
    // first checks only, not on every tick for as long as it stays.
    static constexpr int kInputListings = 5;
    QHash<QString, Device> devices; // by canonical path

    // Ids stay the same for one entry as long as the registry lives.
    std::uint64_t idFor(const Node &node)
    {
        const QString key = QString::number(int(node.kind)) + QLatin1Char(':') + node.path;
        auto it = ids.constFind(key);
        if (it != ids.constEnd())
            return *it;
        const std::uint64_t id = nextId++;
        ids.insert(key, id);
        return id;
    }

    // The identity of a supply's directory: the one this pass's listing took, else looked up now.
    std::optional<powersupply::FileId> supplyId(const QString &path)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (SysfsAttributes::currentPass() && slash > 0 && QStringView(path).left(slash) == supplies.folder()) {
            listing();
            return supplies.idOf(powersupply::Supply { path.mid(slash + 1), path }); // none: gone
        }
        return powersupply::fileIdOf(path);
    }

    Accessory *accessory(const QString &path)
    {
        const auto id = supplyId(path);
        if (!id) {
            accessories.remove(path);
            return nullptr;
        }
        if (const auto it = accessories.find(path); it != accessories.end() && it->id == *id)
            return &*it;
        const powersupply::Supply supply { QFileInfo(path).fileName(), path };
        const SysfsAttributes attributes(path);
        Accessory known { *id, powersupply::hidDeviceOf(supply), {}, std::nullopt, {} };
        known.fixed = powersupply::hidEventServiceProperties(supply, attributes, known.hid);
        known.fixed.erase(QString::fromLatin1(powersupply::kBatteryPercent));
        known.fixed.erase(QString::fromLatin1(powersupply::kTransport));
        return &*accessories.insert(path, std::move(known));
    }

    // The properties of an accessory's event service as they are now: worked out once per pass.
    const Value::Dictionary *accessoryProperties(const QString &path)
    {
        auto *known = accessory(path);
        if (!known)
            return nullptr;
        const auto pass = SysfsAttributes::currentPass();
        if (pass && known->readInPass == pass)
            return &known->now;
        Value::Dictionary p = known->fixed;
        const SysfsAttributes attributes(path);
        if (auto percent = powersupply::batteryPercent(attributes))
            p[QString::fromLatin1(powersupply::kBatteryPercent)] = std::move(*percent);
        if (auto how = powersupply::transport(attributes, known->hid))
            p[QString::fromLatin1(powersupply::kTransport)] = std::move(*how);
        known->now = std::move(p);
        known->readInPass = pass;
        return &known->now;
    }

    // The supplies as they are now, listed once per reading pass (every read of a tick sees one list).
    const powersupply::SupplyDirectory::Listing &listing()
    {
        const auto pass = SysfsAttributes::currentPass();
        if (!pass || pass != listedInPass)
            lastListing = supplies.current();
        listedInPass = pass;
        return lastListing;
    }

    // `read` of the machine's batteries as one; none without a battery.
    template <typename Read>
    auto readBatteries(Read read) -> std::optional<decltype(read(std::declval<const SysfsAttributes &>()))>
    {
        const std::vector<powersupply::Supply> batteries = listing().systemBatteries;
        if (batteries.empty())
            return std::nullopt;
        std::vector<SysfsAttributes> members;
        for (const auto &battery : batteries)
            members.push_back(supplies.attributes(battery));
        // One battery is read in place, so that what it read is remembered.
        auto result = members.size() == 1 ? read(members.front()) : read(powersupply::combinedBatteries(members));
        for (size_t i = 0; i < batteries.size(); ++i)
            supplies.remember(batteries[i], members[i]);
        return result;
    }

    const Device *device(const QString &path)
    {
        // Checked once per pass, however many entries ask.
        const auto pass = SysfsAttributes::currentPass();
        const auto it = devices.find(path);
        if (pass && it != devices.end() && it->checkedInPass == pass)
            return &*it;
        const auto id = powersupply::fileIdOf(path);
        if (!id) {
            devices.remove(path);
            return nullptr;
        }
        if (it != devices.end() && it->id == *id) {
            it->checkedInPass = pass;
            if (it->inputListings >= kInputListings)
                return &*it;
            // Input devices can come a moment after the HID device; their arrival may tell its kind.
            ++it->inputListings;
            if (inputsOf(path) == it->inputs)
                return &*it;
        }
        Device known { *id, inputsOf(path), HidDevice::at(path), {}, pass, 1 };
        if (known.hid)
            known.properties = known.hid->properties(bluetoothIcon);
        return &*devices.insert(path, std::move(known));
    }

    static QStringList inputsOf(const QString &path)
    {
        return QDir(path + QStringLiteral("/input")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    // Forgets the devices of accessories that went away.
    void keepOnly(const std::vector<powersupply::Supply> &batteries)
    {
        QHash<QString, Accessory> kept;
        QHash<QString, Device> keptDevices;
        for (const auto &battery : batteries) {
            const auto it = accessories.find(battery.path);
            if (it == accessories.end())
                continue;
            if (it->hid) {
                if (const auto d = devices.find(it->hid->path()); d != devices.end())
                    keptDevices.insert(d.key(), std::move(*d));
            }
            kept.insert(it.key(), std::move(*it));
        }
        accessories = std::move(kept);
        devices = std::move(keptDevices);
    }
};

namespace {
    using State = SysfsRegistry::State;

    class SysfsEntryReference final : public RegistryEntryBackend {
    public:
        SysfsEntryReference(std::shared_ptr<State> state, Node node)
            : m_state(std::move(state))
            , m_node(std::move(node))
            , m_id(m_state->idFor(m_node))
        {
        }

        std::uint64_t entryId() const override { return m_id; }

        QString name() const override
        {
            switch (m_node.kind) {
            case Kind::SmartBattery:
                // The batteries are named after the first.
                if (const auto &batteries = m_state->listing().systemBatteries; !batteries.empty())
                    return batteries.front().name;
                break;
            case Kind::HidEventService:
                return QFileInfo(m_node.path).fileName();
            case Kind::HidDevice:
                if (const auto *device = m_state->device(m_node.path); device && device->hid
                    && !device->hid->name().isEmpty())
                    return device->hid->name();
                break;
            case Kind::BatteryManager:
            case Kind::HidInterface:
                break;
            }
            return chainOf(m_node.kind).front();
        }

        QStringList classChain() const override { return chainOf(m_node.kind); }

        std::optional<Value::Dictionary> properties() const override
        {
            switch (m_node.kind) {
            case Kind::BatteryManager:
                return m_state->readBatteries([](const SysfsAttributes &batteries) {
                    return Value::Dictionary { { QStringLiteral("IOProviderClass"),
                        Value(powersupply::controllerClass(batteries)) } };
                });
            case Kind::SmartBattery:
                return m_state->readBatteries(
                    [](const SysfsAttributes &batteries) { return powersupply::smartBatteryProperties(batteries); });
            case Kind::HidEventService:
                // Only the level and whether it charges change while the accessory stays.
                if (const auto *now = m_state->accessoryProperties(m_node.path))
                    return *now;
                return std::nullopt;
            case Kind::HidInterface:
                if (!m_state->device(m_node.path))
                    return std::nullopt;
                return Value::Dictionary {};
            case Kind::HidDevice:
                break;
            }
            const auto *device = m_state->device(m_node.path);
            if (!device || !device->hid)
                return std::nullopt;
            return device->properties;
        }

        std::optional<Value> property(const QString &key) const override
        {
            // The battery is read key by key (the records ask for one value at a time, and some
            // battery attributes are slow to read); the other entries are small.
            if (m_node.kind == Kind::SmartBattery) {
                auto value = m_state->readBatteries([&](const SysfsAttributes &batteries) {
                    return powersupply::smartBatteryProperty(batteries, key);
                });
                return value ? *value : std::nullopt;
            }
            if (m_node.kind == Kind::HidEventService) {
                const auto *now = m_state->accessoryProperties(m_node.path);
                if (!now)
                    return std::nullopt;
                const auto it = now->find(key);
                return it == now->end() ? std::nullopt : std::optional<Value>(it->second);
            }
            const auto all = properties();
            if (!all)
                return std::nullopt;
            const auto it = all->find(key);
            if (it == all->end())
                return std::nullopt;
            return it->second;
        }

        std::shared_ptr<RegistryEntryBackend> parent(const QString &plane) const override
        {
            if (plane != QLatin1String(kServicePlane))
                return nullptr;
            switch (m_node.kind) {
            case Kind::SmartBattery:
                if (m_state->listing().systemBatteries.empty())
                    return nullptr;
                return std::make_shared<SysfsEntryReference>(m_state, Node { Kind::BatteryManager, m_node.path });
            case Kind::HidEventService:
                if (const auto *accessory = m_state->accessory(m_node.path); accessory && accessory->hid)
                    return std::make_shared<SysfsEntryReference>(
                        m_state, Node { Kind::HidInterface, accessory->hid->path() });
                return nullptr;
            case Kind::HidInterface:
                if (!m_state->device(m_node.path))
                    return nullptr;
                return std::make_shared<SysfsEntryReference>(m_state, Node { Kind::HidDevice, m_node.path });
            case Kind::BatteryManager:
            case Kind::HidDevice:
                break;
            }
            return nullptr;
        }

    private:
        std::shared_ptr<State> m_state;
        Node m_node;
        std::uint64_t m_id;
    };

    // BlueZ names a device's object after its adapter and address; the adapters are those the kernel
    // lists in its bluetooth class (connections there carry a colon).
    std::optional<QString> bluezIcon(const QString &root, const QString &address)
    {
        const QStringList adapters = QDir(root + QStringLiteral("/class/bluetooth"))
                                         .entryList({ QStringLiteral("hci*") },
                                             QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
                                         .filter(QRegularExpression(QStringLiteral("^hci[0-9]+$")));
        if (adapters.isEmpty())
            return std::nullopt;
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            return std::nullopt;
        const QString device = QStringLiteral("/dev_") + QString(address).toUpper().replace(QLatin1Char(':'), QLatin1Char('_'));
        for (const QString &adapter : adapters) {
            auto call = QDBusMessage::createMethodCall(QStringLiteral("org.bluez"),
                QStringLiteral("/org/bluez/") + adapter + device, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("Get"));
            call << QStringLiteral("org.bluez.Device1") << QStringLiteral("Icon");
            // Asked once when a device appears; a BlueZ that does not answer soon is passed over.
            const QDBusMessage reply = bus.call(call, QDBus::Block, 500);
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
                continue;
            const QVariant icon = reply.arguments().constFirst().value<QDBusVariant>().variant();
            if (icon.typeId() == QMetaType::QString)
                return icon.toString();
        }
        return std::nullopt;
    }

    std::vector<QString> hidDevicePaths(const QString &root)
    {
        const QDir dir(root + QStringLiteral("/bus/hid/devices"));
        std::vector<QString> out;
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString canonical = QFileInfo(dir.filePath(name)).canonicalFilePath();
            if (!canonical.isEmpty())
                out.push_back(canonical);
        }
        return out;
    }
}

SysfsRegistry::SysfsRegistry(QString root)
    : m_state(std::make_shared<State>(std::move(root)))
{
    m_state->bluetoothIcon = [root = m_state->root](const QString &address) { return bluezIcon(root, address); };
}

void SysfsRegistry::setBluetoothIcons(std::function<std::optional<QString>(const QString &address)> icon)
{
    m_state->bluetoothIcon = std::move(icon);
    m_state->devices.clear();
}

SysfsRegistry::~SysfsRegistry() = default;

QString SysfsRegistry::defaultRoot()
{
    const QString configured = qEnvironmentVariable("QUENBY_SYSFS_ROOT");
    return configured.isEmpty() ? QStringLiteral("/sys") : configured;
}

const QString &SysfsRegistry::root() const { return m_state->root; }

std::optional<std::vector<RegistryEntry>> SysfsRegistry::matchingServices(const QString &className)
{
    auto wanted = [&](Kind kind) { return chainOf(kind).contains(className); };
    std::vector<RegistryEntry> out;
    auto add = [&](Kind kind, const QString &path) {
        if (wanted(kind))
            out.emplace_back(std::make_shared<SysfsEntryReference>(m_state, Node { kind, path }));
    };

    // Most classes the finders ask for have no Linux counterpart: answer them without touching sysfs.
    if (std::none_of(std::begin(kKinds), std::end(kKinds), wanted))
        return out;

    const auto supplies = wanted(Kind::BatteryManager) || wanted(Kind::SmartBattery) || wanted(Kind::HidEventService)
        ? m_state->listing()
        : powersupply::SupplyDirectory::Listing {};
    if (wanted(Kind::BatteryManager) || wanted(Kind::SmartBattery)) {
        // One entry stands for all the machine's batteries, whichever of them are there when it is read.
        if (!supplies.systemBatteries.empty()) {
            const QString batteries = m_state->root + QStringLiteral("/class/power_supply");
            add(Kind::BatteryManager, batteries);
            add(Kind::SmartBattery, batteries);
        }
    }
    if (wanted(Kind::HidEventService)) {
        m_state->keepOnly(supplies.deviceBatteries);
        for (const auto &supply : supplies.deviceBatteries)
            add(Kind::HidEventService, supply.path);
    }
    if (wanted(Kind::HidDevice) || wanted(Kind::HidInterface)) {
        for (const QString &path : hidDevicePaths(m_state->root)) {
            add(Kind::HidDevice, path);
            add(Kind::HidInterface, path);
        }
    }
    return out;
}

bool SysfsRegistry::reportsBatteryOf(const QString &address)
{
    // As the accessory finder lists it: a battery with a level, of a HID device it can name.
    static const QStringList required { QStringLiteral("DeviceAddress"),
        QString::fromLatin1(powersupply::kBatteryPercent), QString::fromLatin1(powersupply::kTransport),
        QStringLiteral("VendorID"), QStringLiteral("ProductID") };
    for (const auto &supply : m_state->listing().deviceBatteries) {
        const auto *known = m_state->accessory(supply.path);
        if (!known || !known->hid)
            continue;
        const auto device = known->fixed.find(QStringLiteral("DeviceAddress"));
        const bool same = known->hid->uniq().compare(address, Qt::CaseInsensitive) == 0
            || (device != known->fixed.end()
                && device->second.toString().value_or(QString()).compare(address, Qt::CaseInsensitive) == 0);
        if (!same)
            continue;
        const auto *properties = m_state->accessoryProperties(supply.path);
        if (properties && std::all_of(required.begin(), required.end(), [&](const QString &key) {
                return properties->count(key) > 0;
            }))
            return true;
    }
    return false;
}

} // namespace platform

#include "platform/registry/sysfsregistry.h"

#include "hiddevice_p.h"
#include "powersupply_p.h"
#include "sysfsattributes_p.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <dirent.h>
#include <sys/stat.h>
#include <unordered_map>

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

    // The two files of an accessory's battery read on every tick: its level and whether it charges.
    const QString kCapacityFile = QStringLiteral("capacity");
    const QString kStatusFile = QStringLiteral("status");

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
        , directory(powersupply::SupplyDirectory::shared(root))
        , supplies(*directory)
    {
    }

    QString root;
    // Shared with the power sources on the same root: a tick lists the supplies once.
    std::shared_ptr<powersupply::SupplyDirectory> directory;
    powersupply::SupplyDirectory &supplies;
    HidDevice::BluetoothIcon bluetoothIcon;
    QHash<QString, std::uint64_t> ids[std::size(kKinds)]; // by kind, then path
    std::uint64_t nextId = 1;
    std::optional<quint64> keptAfterChange;

    struct Device;

    // What is known of an accessory's battery while it is the same supply: its HID device and every key
    // but the level and the transport (which follows whether it charges), with the two files read on
    // every tick kept open. Entries hold on to the records they read (a tick asks each several times);
    // `current` tells them whether the registry still does.
    struct Accessory {
        quint64 id = 0; // the supply's, as the listing knows it
        QString name;
        std::optional<HidDevice> hid;
        // The ids of its entry and of the entries above it (its HID device's interface and the device),
        // and the record of that device as last looked at.
        std::uint64_t serviceId = 0;
        std::uint64_t interfaceId = 0;
        std::uint64_t deviceId = 0;
        std::shared_ptr<Device> device;
        SysfsFile capacity;
        SysfsFile status;
        // The pass it was last found to be the same supply in, and the one its properties were read in
        // (the finders ask for them key by key); the properties as read then, of which only the level
        // and the transport change while it stays.
        std::optional<quint64> checkedInPass;
        std::optional<quint64> readInPass;
        Value::Dictionary now;
        bool current = true;
    };
    std::unordered_map<QString, std::shared_ptr<Accessory>> accessories; // by the supply's path
    // The records of `accessories` in the order of the listing's accessory batteries (none where no
    // record is kept), as of the listing counted `listedAs` in the supplies' changes: a tick at rest
    // finds each accessory's record without looking its path up. Emptied whenever `accessories` changes
    // (so that it keeps no record alive).
    std::vector<std::shared_ptr<Accessory>> listed;
    std::optional<quint64> listedAs;
    void accessoriesChanged()
    {
        listed.clear();
        listedAs.reset();
    }

    // What is known of a HID device while its directory and its input devices stay the same.
    struct Device {
        powersupply::FileId id;
        QStringList inputs;
        std::optional<HidDevice> hid;
        Value::Dictionary properties;
        // The pass it was last checked in, and how often its input devices were listed.
        std::optional<quint64> checkedInPass;
        int inputListings = 0;
        bool current = true;
    };
    // Input devices come with their HID device, at most a moment later: they are listed on the device's
    // first checks only, not on every tick for as long as it stays.
    static constexpr int kInputListings = 5;
    QHash<QString, std::shared_ptr<Device>> devices; // by canonical path

    // Ids stay the same for one entry as long as the registry lives.
    std::uint64_t idFor(const Node &node)
    {
        auto &byPath = ids[int(node.kind)];
        const auto it = byPath.constFind(node.path);
        if (it != byPath.constEnd())
            return *it;
        const std::uint64_t id = nextId++;
        byPath.insert(node.path, id);
        return id;
    }

    template <typename Record> static bool checkedIn(const std::shared_ptr<Record> &record, std::optional<quint64> pass)
    {
        return record && record->current && pass && record->checkedInPass == pass;
    }

    void dropAccessory(std::unordered_map<QString, std::shared_ptr<Accessory>>::iterator it)
    {
        it->second->current = false;
        accessories.erase(it);
        accessoriesChanged();
    }

    void dropDevice(const QString &path)
    {
        if (const auto it = devices.find(path); it != devices.end()) {
            (*it)->current = false;
            devices.erase(it);
        }
    }

    // The accessory whose battery is the supply at `path`, as it is in this pass; `held` is the record
    // the asking entry read last, looked at first.
    std::shared_ptr<Accessory> accessory(const QString &path, const std::shared_ptr<Accessory> &held = {})
    {
        const auto pass = SysfsAttributes::currentPass();
        if (checkedIn(held, pass))
            return held;
        if (held && held->current) {
            // The record the entry holds is the registry's: only whether it is the same supply is asked.
            listing();
            if (held->current && supplies.idOf(held->name) == held->id)
                return sameAccessory(held, pass);
        }
        auto it = accessories.find(path);
        if (pass && it != accessories.end() && it->second->checkedInPass == pass)
            return it->second;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0 || QStringView(path).left(slash) != supplies.folder())
            return nullptr;
        const QString name = it != accessories.end() ? it->second->name : path.mid(slash + 1);
        listing();
        const auto id = supplies.idOf(name);
        it = accessories.find(path);
        if (!id) {
            if (it != accessories.end())
                dropAccessory(it);
            return nullptr;
        }
        if (it != accessories.end() && it->second->id == *id)
            return sameAccessory(it->second, pass);
        if (it != accessories.end())
            dropAccessory(it);
        const powersupply::Supply supply { name, path };
        auto known = std::make_shared<Accessory>();
        known->id = *id;
        known->name = name;
        known->hid = powersupply::hidDeviceOf(supply);
        known->serviceId = idFor({ Kind::HidEventService, path });
        if (known->hid) {
            known->interfaceId = idFor({ Kind::HidInterface, known->hid->path() });
            known->deviceId = idFor({ Kind::HidDevice, known->hid->path() });
            // A new supply may belong to a new device under a path seen before.
            dropDevice(known->hid->path());
        }
        known->capacity = SysfsFile(path + QStringLiteral("/capacity"));
        known->status = SysfsFile(path + QStringLiteral("/status"));
        SysfsAttributes attributes(path);
        known->capacity.read();
        known->status.read();
        attributes.presetContent(kCapacityFile, known->capacity.content());
        attributes.presetContent(kStatusFile, known->status.content());
        known->now = powersupply::hidEventServiceProperties(supply, attributes, known->hid);
        known->readInPass = pass;
        known->checkedInPass = pass;
        accessories.emplace(path, known);
        accessoriesChanged();
        return known;
    }

    // An accessory found to be the same supply in this pass.
    std::shared_ptr<Accessory> sameAccessory(const std::shared_ptr<Accessory> &same, std::optional<quint64> pass)
    {
        same->checkedInPass = pass;
        // The HID device holds the supply: while the supply is the same one, so is the device.
        if (pass && same->hid) {
            if (!same->device || !same->device->current)
                same->device = devices.value(same->hid->path());
            if (same->device && same->device->inputListings >= kInputListings)
                same->device->checkedInPass = pass;
        }
        return same;
    }

    // The properties of an accessory's event service as they are now: worked out once per pass.
    const Value::Dictionary *accessoryProperties(const std::shared_ptr<Accessory> &known)
    {
        if (!known)
            return nullptr;
        const auto pass = SysfsAttributes::currentPass();
        if (pass && known->readInPass == pass)
            return &known->now;
        known->readInPass = pass;
        // Both read, whatever the first tells.
        const bool levelChanged = known->capacity.read();
        const bool statusChanged = known->status.read();
        if (!levelChanged && !statusChanged)
            return &known->now;
        SysfsAttributes attributes(QString {});
        attributes.presetContent(kCapacityFile, known->capacity.content());
        attributes.presetContent(kStatusFile, known->status.content());
        const auto put = [&](const char *key, std::optional<Value> value) {
            if (value)
                known->now[QString::fromLatin1(key)] = std::move(*value);
            else
                known->now.erase(QString::fromLatin1(key));
        };
        put(powersupply::kBatteryPercent, powersupply::batteryPercent(attributes));
        put(powersupply::kTransport, powersupply::transport(attributes, known->hid));
        return &known->now;
    }

    // The records of the accessories of `batteries` (the listing's), in its order.
    const std::vector<std::shared_ptr<Accessory>> &recordsOf(const std::vector<powersupply::Supply> &batteries)
    {
        if (listedAs == supplies.changes() && listed.size() == batteries.size())
            return listed;
        listed.clear();
        for (const auto &battery : batteries) {
            const auto it = accessories.find(battery.path);
            listed.push_back(it == accessories.end() ? nullptr : it->second);
        }
        listedAs = supplies.changes();
        return listed;
    }

    // The machine batteries' attributes of the pass `batteriesPass`, for the batteries `batteriesRead`.
    std::vector<SysfsAttributes> batteryAttributes;
    std::vector<powersupply::Supply> batteriesRead;
    std::optional<quint64> batteriesPass;

    // The supplies as they are now, listed once per reading pass (every read of a tick sees one list).
    const powersupply::SupplyDirectory::Listing &listing() { return supplies.current(); }

    // `read` of the machine's batteries as one; none without a battery.
    template <typename Read>
    auto readBatteries(Read read) -> std::optional<decltype(read(std::declval<const SysfsAttributes &>()))>
    {
        const std::vector<powersupply::Supply> &batteries = listing().systemBatteries;
        if (batteries.empty())
            return std::nullopt;
        // The records ask for one value at a time: their readings of one pass share the batteries'
        // attributes (what each file held in this pass), made once.
        const auto pass = SysfsAttributes::currentPass();
        if (!pass || batteriesPass != pass || batteriesRead != batteries) {
            batteryAttributes.clear();
            for (const auto &battery : batteries)
                batteryAttributes.push_back(supplies.attributes(battery));
            batteriesRead = batteries;
            batteriesPass = pass;
        }
        const std::vector<SysfsAttributes> &members = batteryAttributes;
        // One battery is read in place, so that what it read is remembered.
        auto result = members.size() == 1 ? read(members.front()) : read(powersupply::combinedBatteries(members));
        for (size_t i = 0; i < batteries.size(); ++i)
            supplies.remember(batteries[i], members[i]);
        if (!pass) {
            // Outside a pass nothing read is kept.
            batteryAttributes.clear();
            batteriesRead.clear();
        }
        return result;
    }

    // The HID device at `path` as it is in this pass (checked once per pass, however many entries ask);
    // `held` is the record the asking entry read last, looked at first.
    std::shared_ptr<Device> device(const QString &path, const std::shared_ptr<Device> &held = {})
    {
        const auto pass = SysfsAttributes::currentPass();
        if (checkedIn(held, pass))
            return held;
        const auto it = devices.find(path);
        if (pass && it != devices.end() && (*it)->checkedInPass == pass)
            return *it;
        const auto id = powersupply::fileIdOf(path);
        if (!id) {
            dropDevice(path);
            return nullptr;
        }
        if (it != devices.end() && (*it)->id == *id) {
            Device &same = **it;
            same.checkedInPass = pass;
            if (same.inputListings >= kInputListings)
                return *it;
            // Input devices can come a moment after the HID device; their arrival may tell its kind.
            ++same.inputListings;
            if (inputsOf(path) == same.inputs)
                return *it;
        }
        dropDevice(path);
        auto known = std::make_shared<Device>(Device { *id, inputsOf(path), HidDevice::at(path), {}, pass, 1 });
        if (known->hid)
            known->properties = known->hid->properties(bluetoothIcon);
        devices.insert(path, known);
        return known;
    }

    // The names of the device's input devices, sorted (only ever compared with an earlier listing): one
    // directory read without a stat per entry, since devices that connect together are listed together.
    static QStringList inputsOf(const QString &path)
    {
        QStringList names;
        const QByteArray folder = QFile::encodeName(path + QStringLiteral("/input"));
        DIR *dir = ::opendir(folder.constData());
        if (!dir)
            return names;
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            bool directory = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
                struct stat st { };
                directory = ::stat((folder + '/' + entry->d_name).constData(), &st) == 0 && S_ISDIR(st.st_mode);
            }
            if (directory)
                names << QFile::decodeName(entry->d_name);
        }
        ::closedir(dir);
        names.sort();
        return names;
    }

    // Forgets the accessories that went away (closing their files), and their devices.
    void keepOnly(const std::vector<powersupply::Supply> &batteries)
    {
        if (keptAfterChange == supplies.changes())
            return;
        keptAfterChange = supplies.changes();
        std::unordered_map<QString, std::shared_ptr<Accessory>> kept;
        QHash<QString, std::shared_ptr<Device>> keptDevices;
        for (const auto &battery : batteries) {
            const auto it = accessories.find(battery.path);
            if (it == accessories.end())
                continue;
            if (it->second->hid) {
                if (const auto d = devices.find(it->second->hid->path()); d != devices.end())
                    keptDevices.insert(d.key(), *d);
            }
            kept.insert(accessories.extract(it));
        }
        for (auto &[path, gone] : accessories)
            gone->current = false;
        for (const auto &gone : std::as_const(devices)) {
            if (!keptDevices.contains(devices.key(gone)))
                gone->current = false;
        }
        accessories = std::move(kept);
        accessoriesChanged();
        devices = std::move(keptDevices);
    }
};

namespace {
    using State = SysfsRegistry::State;

    class SysfsEntryReference final : public RegistryEntryBackend {
    public:
        SysfsEntryReference(std::shared_ptr<State> state, Node node, std::uint64_t id = 0)
            : m_state(std::move(state))
            , m_node(std::move(node))
            , m_id(id ? id : m_state->idFor(m_node))
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
                if (const auto device = heldDevice(); device && device->hid && !device->hid->name().isEmpty())
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
                if (const auto *now = m_state->accessoryProperties(heldAccessory()))
                    return *now;
                return std::nullopt;
            case Kind::HidInterface:
                if (!heldDevice())
                    return std::nullopt;
                return Value::Dictionary {};
            case Kind::HidDevice:
                break;
            }
            const auto device = heldDevice();
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
                const auto *now = m_state->accessoryProperties(heldAccessory());
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
                if (const auto accessory = heldAccessory(); accessory && accessory->hid) {
                    auto interface = std::make_shared<SysfsEntryReference>(
                        m_state, Node { Kind::HidInterface, accessory->hid->path() }, accessory->interfaceId);
                    interface->m_parentId = accessory->deviceId;
                    // Its device's record as the accessory found it (looked at first, as any held one).
                    interface->m_device = accessory->device;
                    return interface;
                }
                return nullptr;
            case Kind::HidInterface:
                if (const auto device = heldDevice()) {
                    auto hid = std::make_shared<SysfsEntryReference>(
                        m_state, Node { Kind::HidDevice, m_node.path }, m_parentId);
                    hid->m_device = device;
                    return hid;
                }
                return nullptr;
            case Kind::BatteryManager:
            case Kind::HidDevice:
                break;
            }
            return nullptr;
        }

        void hold(std::shared_ptr<State::Accessory> accessory) { m_accessory = std::move(accessory); }

    private:
        std::shared_ptr<State::Accessory> heldAccessory() const
        {
            m_accessory = m_state->accessory(m_node.path, m_accessory);
            return m_accessory;
        }

        std::shared_ptr<State::Device> heldDevice() const
        {
            m_device = m_state->device(m_node.path, m_device);
            return m_device;
        }

        std::shared_ptr<State> m_state;
        Node m_node;
        std::uint64_t m_id;
        std::uint64_t m_parentId = 0; // known already, or 0
        mutable std::shared_ptr<State::Accessory> m_accessory;
        mutable std::shared_ptr<State::Device> m_device;
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
        const QString device
            = QStringLiteral("/dev_") + QString(address).toUpper().replace(QLatin1Char(':'), QLatin1Char('_'));
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
    for (const auto &device : std::as_const(m_state->devices))
        device->current = false;
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

    static const powersupply::SupplyDirectory::Listing none;
    const auto &supplies = wanted(Kind::BatteryManager) || wanted(Kind::SmartBattery) || wanted(Kind::HidEventService)
        ? m_state->listing()
        : none;
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
        const auto pass = SysfsAttributes::currentPass();
        const auto &records = m_state->recordsOf(supplies.deviceBatteries);
        for (size_t i = 0; i < records.size(); ++i) {
            const auto &supply = supplies.deviceBatteries[i];
            // An accessory met before hands its record to the entry: the tick asks it several times.
            const auto &known = records[i];
            if (!known) {
                add(Kind::HidEventService, supply.path);
                continue;
            }
            // The listing the entries come from tells already whether it is the same supply.
            if (pass && known->id == supply.id)
                m_state->sameAccessory(known, pass);
            auto entry = std::make_shared<SysfsEntryReference>(
                m_state, Node { Kind::HidEventService, supply.path }, known->serviceId);
            entry->hold(known);
            out.emplace_back(std::move(entry));
        }
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
    // A copy: without a pass, each accessory looked at lists the supplies anew.
    const auto batteries = m_state->listing().deviceBatteries;
    for (const auto &supply : batteries) {
        const auto known = m_state->accessory(supply.path);
        if (!known || !known->hid)
            continue;
        const auto device = known->now.find(QStringLiteral("DeviceAddress"));
        const bool same = known->hid->uniq().compare(address, Qt::CaseInsensitive) == 0
            || (device != known->now.end()
                && device->second.toString().value_or(QString()).compare(address, Qt::CaseInsensitive) == 0);
        if (!same)
            continue;
        const auto *properties = m_state->accessoryProperties(known);
        if (properties && std::all_of(required.begin(), required.end(), [&](const QString &key) {
                return properties->count(key) > 0;
            }))
            return true;
    }
    return false;
}

} // namespace platform

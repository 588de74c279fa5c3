#include "platform/registry/sysfsregistry.h"

#include "hiddevice_p.h"
#include "powersupply_p.h"
#include "sysfsattributes_p.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

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
    QString root;
    QHash<QString, std::uint64_t> ids;
    std::uint64_t nextId = 1;

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
            case Kind::HidEventService:
                return QFileInfo(m_node.path).fileName();
            case Kind::HidDevice:
                if (const auto hid = HidDevice::at(m_node.path); hid && !hid->name().isEmpty())
                    return hid->name();
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
            if (!QFileInfo::exists(m_node.path))
                return std::nullopt;
            switch (m_node.kind) {
            case Kind::BatteryManager:
                return Value::Dictionary { { QStringLiteral("IOProviderClass"),
                    Value(powersupply::controllerClass(SysfsAttributes(m_node.path))) } };
            case Kind::SmartBattery:
                return powersupply::smartBatteryProperties(SysfsAttributes(m_node.path));
            case Kind::HidEventService: {
                const powersupply::Supply supply { QFileInfo(m_node.path).fileName(), m_node.path };
                return powersupply::hidEventServiceProperties(
                    supply, SysfsAttributes(m_node.path), powersupply::hidDeviceOf(supply));
            }
            case Kind::HidInterface:
                return Value::Dictionary {};
            case Kind::HidDevice:
                break;
            }
            const auto hid = HidDevice::at(m_node.path);
            if (!hid)
                return std::nullopt;
            return hid->properties();
        }

        std::optional<Value> property(const QString &key) const override
        {
            // The battery is read key by key (the records ask for one value at a time, and some
            // battery attributes are slow to read); the other entries are small.
            if (m_node.kind == Kind::SmartBattery) {
                if (!QFileInfo::exists(m_node.path))
                    return std::nullopt;
                return powersupply::smartBatteryProperty(SysfsAttributes(m_node.path), key);
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
            if (plane != QLatin1String(kServicePlane) || !QFileInfo::exists(m_node.path))
                return nullptr;
            switch (m_node.kind) {
            case Kind::SmartBattery:
                return std::make_shared<SysfsEntryReference>(m_state, Node { Kind::BatteryManager, m_node.path });
            case Kind::HidEventService:
                if (const auto hid = HidDevice::at(m_node.path + QStringLiteral("/device")))
                    return std::make_shared<SysfsEntryReference>(m_state, Node { Kind::HidInterface, hid->path() });
                return nullptr;
            case Kind::HidInterface:
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
    : m_state(std::make_shared<State>())
{
    m_state->root = std::move(root);
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

    if (wanted(Kind::BatteryManager) || wanted(Kind::SmartBattery)) {
        if (const auto battery = powersupply::systemBattery(m_state->root)) {
            add(Kind::BatteryManager, battery->path);
            add(Kind::SmartBattery, battery->path);
        }
    }
    if (wanted(Kind::HidEventService)) {
        for (const auto &supply : powersupply::deviceBatteries(m_state->root))
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

} // namespace platform

#include "quenby/simulatedmachine.h"

#include <ammerl/internalfinder.h>
#include <dorsk/memoryhelperdatamodel.h>
#include <platform/bluetooth/memorycentral.h>
#include <platform/core/coding.h>
#include <platform/core/json.h>
#include <platform/core/regularfile.h>
#include <platform/registry/memorypowersources.h>
#include <platform/registry/memoryregistry.h>

#include <QFileInfo>
#include <QUuid>

namespace quenby {

namespace {
    // The machine's internal finder, made anew after each reload: a finder holds the battery's registry
    // entry for its life, and a reload replaces the entries.
    class MachineInternalFinder final : public ammerl::IInternalFinder {
    public:
        explicit MachineInternalFinder(SimulatedMachine &machine)
            : m_machine(machine)
        {
        }
        bool batteryPresent() override { return finder().batteryPresent(); }
        std::unique_ptr<ammerl::InternalBattery> find() override { return finder().find(); }

    private:
        ammerl::InternalFinder &finder()
        {
            if (!m_finder || m_generation != m_machine.generation()) {
                m_finder = std::make_unique<ammerl::InternalFinder>(m_machine.registry(), m_machine.powerSources());
                m_generation = m_machine.generation();
            }
            return *m_finder;
        }

        SimulatedMachine &m_machine;
        std::unique_ptr<ammerl::InternalFinder> m_finder;
        int m_generation = -1;
    };

    // The controller owns its helper store; the machine keeps the one it reloads.
    class MachineHelperStore final : public dorsk::IHelperDataModel {
    public:
        explicit MachineHelperStore(dorsk::MemoryHelperDataModel &store)
            : m_store(store)
        {
        }
        void clear() override { m_store.clear(); }
        void setSensors(const QList<dorsk::Sensor> &sensors) override { m_store.setSensors(sensors); }
        void setFans(const QList<dorsk::Fan> &fans) override { m_store.setFans(fans); }
        void setTraffic(const QList<dorsk::ProcessTrafficInfo> &traffic) override { m_store.setTraffic(traffic); }
        void setSingleBatteryDevices(const dorsk::SingleBatteryDevices &devices) override
        {
            m_store.setSingleBatteryDevices(devices);
        }
        void setDoubleBatteryDevices(const dorsk::DoubleBatteryDevices &devices) override
        {
            m_store.setDoubleBatteryDevices(devices);
        }
        std::optional<QList<dorsk::Sensor>> sensors() const override { return m_store.sensors(); }
        std::optional<QList<dorsk::Fan>> fans() const override { return m_store.fans(); }
        std::optional<QList<dorsk::ProcessTrafficInfo>> traffic() const override { return m_store.traffic(); }
        std::optional<dorsk::SingleBatteryDevices> singleBatteryDevices() const override
        {
            return m_store.singleBatteryDevices();
        }
        std::optional<dorsk::DoubleBatteryDevices> doubleBatteryDevices() const override
        {
            return m_store.doubleBatteryDevices();
        }

    private:
        dorsk::MemoryHelperDataModel &m_store;
    };

    QByteArray readFile(const QString &path)
    {
        // Only a regular file: a FIFO given as the machine would hold up the start for good.
        platform::RegularFileRead read = platform::readRegularFile(path);
        switch (read.status) {
        case platform::RegularFileRead::Status::Read:
            return std::move(read.bytes);
        case platform::RegularFileRead::Status::Absent:
            throw platform::DecodingError(QStringLiteral("cannot read the file: No such file or directory"));
        case platform::RegularFileRead::Status::Failed:
            break;
        }
        throw platform::DecodingError(QStringLiteral("cannot read the file: %1").arg(read.error));
    }

    // The identifiers the "peripherals" section lists (the central checked the section's form).
    QSet<QString> listedPeripherals(const platform::Value &document)
    {
        QSet<QString> identifiers;
        const auto *section = document.find(QStringLiteral("peripherals"));
        if (!section || !section->toArray())
            return identifiers;
        for (const auto &peripheral : *section->toArray()) {
            if (const auto *identifier = peripheral.find(QStringLiteral("identifier")))
                identifiers.insert(QUuid::fromString(identifier->toString().value_or(QString())).toString());
        }
        return identifiers;
    }
}

SimulatedMachine::SimulatedMachine(QString path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
    , m_registry(std::make_unique<platform::MemoryRegistry>())
    , m_powerSources(std::make_unique<platform::MemoryPowerSources>())
    , m_central(std::make_unique<platform::MemoryCentral>())
    , m_helper(std::make_unique<dorsk::MemoryHelperDataModel>())
{
    try {
        m_seen = readFile(m_path);
        apply(m_seen);
    } catch (const platform::DecodingError &error) {
        throw platform::DecodingError(QStringLiteral("%1: %2").arg(m_path, QString::fromUtf8(error.what())));
    }
    m_useRegistry = std::make_unique<platform::ScopedRegistry>(*m_registry);
    m_usePowerSources = std::make_unique<platform::ScopedPowerSources>(*m_powerSources);
    m_useCentral = std::make_unique<platform::ScopedCentral>(*m_central);
}

SimulatedMachine::~SimulatedMachine() = default;

std::optional<QString> SimulatedMachine::reload()
{
    try {
        const QByteArray bytes = readFile(m_path);
        // Folder events come often and for other files: the same bytes are neither applied nor
        // reported twice, be they good or bad.
        if (bytes == m_seen)
            return std::nullopt;
        m_seen = bytes;
        apply(bytes);
    } catch (const platform::DecodingError &error) {
        const QString message = QStringLiteral("%1: %2").arg(m_path, QString::fromUtf8(error.what()));
        emit reloadFailed(message);
        return message;
    }
    emit reloaded();
    return std::nullopt;
}

void SimulatedMachine::apply(const QByteArray &bytes)
{
    const platform::Value document = platform::json::parse(bytes);
    if (!document.isDictionary())
        throw platform::DecodingError(QStringLiteral("the machine is not a JSON object"));

    // Every section is checked before any is applied, so a bad edit changes nothing.
    platform::MemoryRegistry registry;
    registry.loadFixture(document);
    platform::MemoryPowerSources powerSources;
    powerSources.loadFixture(document);
    platform::MemoryCentral central;
    central.loadFixture(document);
    dorsk::MemoryHelperDataModel helper;
    helper.loadFixture(document);

    m_registry->clear();
    m_registry->loadFixture(document);
    m_powerSources->setDescriptions({});
    m_powerSources->loadFixture(document);
    const QSet<QString> listed = listedPeripherals(document);
    for (const auto &identifier : std::as_const(m_peripherals)) {
        if (!listed.contains(identifier))
            m_central->removePeripheral(QUuid::fromString(identifier));
    }
    m_central->loadFixture(document);
    m_helper->clear();
    m_helper->loadFixture(document);

    m_peripherals = listed;
    m_helperRunning = document.find(QString::fromLatin1(dorsk::MemoryHelperDataModel::kFixtureSection)) != nullptr;
    ++m_generation;
}

void SimulatedMachine::watch()
{
    if (m_watcher)
        return;
    m_watcher = std::make_unique<QFileSystemWatcher>();
    // Editors often save by writing a new file and renaming it over the old one, which ends a watch on
    // the file itself; the folder's changes bring it back.
    m_watcher->addPath(m_path);
    m_watcher->addPath(QFileInfo(m_path).absolutePath());
    connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this, [this] { fileEvent(); });
    connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_watcher->files().contains(m_path))
            fileEvent();
    });
}

void SimulatedMachine::fileEvent()
{
    if (!QFileInfo::exists(m_path))
        return;
    if (!m_watcher->files().contains(m_path))
        m_watcher->addPath(m_path);
    reload();
}

Controller::Collaborators SimulatedMachine::collaborators()
{
    Controller::Collaborators parts;
    parts.internalFinder = std::make_unique<MachineInternalFinder>(*this);
    parts.helper = std::make_unique<MachineHelperStore>(*m_helper);
    parts.helperRunning = [this] { return m_helperRunning; };
    return parts;
}

} // namespace quenby

#include "olvane/macsystem.h"

#include "olvane/olvane.h"
#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/systemversion.h"
#include "platform/registry/registry.h"

#include <tavrin/constants.h>
#include <tavrin/dateutilities.h>
#include <tavrin/diskutilities.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>
#include <QSysInfo>
#include <QThread>

#include <ctime>
#include <functional>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <time.h>

namespace olvane {

namespace {

    /// A fact worked out on first use and kept, unless a caller sets it.
    template <typename T> class StoredFact {
    public:
        explicit StoredFact(std::function<T()> compute)
            : m_compute(std::move(compute))
        {
        }
        const T &get()
        {
            if (!m_value)
                m_value = m_compute();
            return *m_value;
        }
        void set(const T &value) { m_value = value; }

    private:
        std::function<T()> m_compute;
        std::optional<T> m_value;
    };

    QString localized(const char *key) { return platform::localized(kBundleName, QString::fromLatin1(key)); }

    QString readTrimmed(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        // Device-tree texts end with a zero byte.
        QByteArray bytes = file.readAll();
        const qsizetype zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
        return QString::fromUtf8(bytes).trimmed();
    }

    QString orNoValue(const QString &text) { return text.isEmpty() ? tavrin::kNoValue : text; }

    std::optional<platform::ui::Image> picture(const char *path)
    {
        const platform::ui::Image image = platform::ui::Image::fromFile(QString::fromLatin1(path));
        if (!image.hasContent())
            return std::nullopt;
        return image;
    }

    // "model name" and the distinct physical cores of /proc/cpuinfo.
    struct CpuInfo {
        QString brand;
        int physicalCores = 0;
    };

    CpuInfo readCpuInfo()
    {
        CpuInfo info;
        QFile file(QStringLiteral("/proc/cpuinfo"));
        if (!file.open(QIODevice::ReadOnly))
            return info;
        QSet<QString> cores;
        QString package;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed();
            const QString value = line.section(QLatin1Char(':'), 1).trimmed();
            if (key == QLatin1String("model name") && info.brand.isEmpty())
                info.brand = value;
            else if (key == QLatin1String("physical id"))
                package = value;
            else if (key == QLatin1String("core id"))
                cores.insert(package + QLatin1Char('/') + value);
        }
        info.physicalCores = int(cores.size());
        return info;
    }

    QString unameMachine()
    {
        struct utsname name { };
        uname(&name);
        const QString machine = QString::fromLatin1(name.machine);
        // Linux calls the 64-bit ARM architecture by another name.
        return machine == QLatin1String("aarch64") ? QStringLiteral("arm64") : machine;
    }

    QString computeComputerName()
    {
        QFile file(QStringLiteral("/etc/machine-info"));
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                if (line.startsWith(QLatin1String("PRETTY_HOSTNAME="))) {
                    QString value = line.mid(16).trimmed();
                    if (value.size() >= 2
                        && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))))
                        value = value.mid(1, value.size() - 2);
                    if (!value.isEmpty())
                        return value;
                }
            }
        }
        const QString host = QSysInfo::machineHostName();
        return host.isEmpty() ? localized("UNKNOWN_COMPUTER_NAME") : host;
    }

    QString computeSerialNumber()
    {
        const platform::RegistryEntry expert
            = platform::Registry::current().firstMatchingService(QStringLiteral("IOPlatformExpertDevice"));
        if (expert.isValid()) {
            const std::optional<platform::Value> serial = expert.property(QStringLiteral("IOPlatformSerialNumber"));
            if (serial && serial->isString())
                return serial->toString()->trimmed();
            return tavrin::kNoValue;
        }
        return orNoValue(readTrimmed(QStringLiteral("/sys/class/dmi/id/product_serial")));
    }

    std::optional<AppleHardwareDetails> computeHardwareDetails()
    {
        const QString language = QLocale().name().section(QLatin1Char('_'), 0, 0);
        if (language.isEmpty() || language == QLatin1String("C"))
            return std::nullopt;
        QFile file(QStringLiteral("/System/Library/PrivateFrameworks/ServerInformation.framework/Versions/A/Resources/")
            + language + QStringLiteral(".lproj/SIMachineAttributes.plist"));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        try {
            const platform::Value root = platform::plist::parse(file.readAll());
            const platform::Value::Dictionary *machines = root.toDictionary();
            if (!machines)
                return std::nullopt;
            const auto entry = machines->find(MacSystem::model());
            if (entry == machines->end() || !entry->second.isDictionary())
                return std::nullopt;
            const auto localizable = entry->second.toDictionary()->find(QStringLiteral("_LOCALIZABLE_"));
            if (localizable == entry->second.toDictionary()->end() || !localizable->second.isDictionary())
                return std::nullopt;
            const platform::Value::Dictionary &texts = *localizable->second.toDictionary();
            for (const auto &[key, value] : texts) {
                if (!value.isString())
                    return std::nullopt;
            }
            const auto text = [&texts](const char *key) {
                const auto found = texts.find(QString::fromLatin1(key));
                return found == texts.end() ? tavrin::kNoValue : *found->second.toString();
            };
            return AppleHardwareDetails { text("processor"), text("description"), text("marketingModel"),
                text("model") };
        } catch (const platform::DecodingError &) {
            return std::nullopt;
        }
    }

    QString computeMarketingName()
    {
        if (MacSystem::machine() == QLatin1String("arm64")) {
            // The firmware's own model text stands for the product description there.
            return orNoValue(readTrimmed(QStringLiteral("/proc/device-tree/model")));
        }
        const std::optional<AppleHardwareDetails> details = MacSystem::hardwareDetails();
        return details ? details->marketingModel : tavrin::kNoValue;
    }

    QString computeModel()
    {
        QString model = readTrimmed(QStringLiteral("/sys/class/dmi/id/product_name"));
        if (model.isEmpty())
            model = readTrimmed(QStringLiteral("/proc/device-tree/model"));
        return orNoValue(model);
    }

    StoredFact<QString> s_serialNumber(computeSerialNumber);
    StoredFact<QString> s_marketingName(computeMarketingName);
    StoredFact<QString> s_computerName(computeComputerName);
    StoredFact<QString> s_model(computeModel);
    StoredFact<QString> s_cpuBrand([] { return orNoValue(readCpuInfo().brand); });
    StoredFact<QString> s_hostName([] { return orNoValue(QSysInfo::machineHostName()); });
    StoredFact<quint8> s_threadCount([] { return quint8(QThread::idealThreadCount()); });
    StoredFact<quint8> s_physicalCores([] { return quint8(readCpuInfo().physicalCores); });
    StoredFact<quint8> s_logicalCores([] { return quint8(QThread::idealThreadCount()); });
    StoredFact<QString> s_machine(unameMachine);
    StoredFact<QString> s_architecture([] {
        return unameMachine().startsWith(QLatin1String("arm")) ? QStringLiteral("Apple Silicon")
                                                               : QStringLiteral("Intel");
    });
    StoredFact<std::optional<AppleHardwareDetails>> s_hardwareDetails(computeHardwareDetails);

    std::optional<int> coreCount(const QString &type)
    {
        if (MacSystem::machine() != QLatin1String("arm64"))
            return std::nullopt;
        int count = 0;
        const QDir cpus(QStringLiteral("/proc/device-tree/cpus"));
        for (const QString &cpu : cpus.entryList({ QStringLiteral("cpu@*") }, QDir::Dirs)) {
            if (readTrimmed(cpus.filePath(cpu + QStringLiteral("/compatible"))).toLower().contains(type))
                ++count;
        }
        return count;
    }

} // namespace

std::optional<platform::ui::Image> MacSystem::bigSurPicture()
{
    static const auto image = picture("/System/Library/Desktop Pictures/Big Sur Graphic.heic");
    return image;
}

std::optional<platform::ui::Image> MacSystem::montereyPicture()
{
    static const auto image = picture("/System/Library/Desktop Pictures/Monterey Graphic.heic");
    return image;
}

std::optional<platform::ui::Image> MacSystem::venturaPicture()
{
    static const auto image = picture("/System/Library/Desktop Pictures/Ventura Graphic.heic");
    return image;
}

QString MacSystem::serialNumber() { return s_serialNumber.get(); }
void MacSystem::setSerialNumber(const QString &value) { s_serialNumber.set(value); }
QString MacSystem::marketingName() { return s_marketingName.get(); }
void MacSystem::setMarketingName(const QString &value) { s_marketingName.set(value); }
QString MacSystem::computerName() { return s_computerName.get(); }
void MacSystem::setComputerName(const QString &value) { s_computerName.set(value); }
QString MacSystem::model() { return s_model.get(); }
void MacSystem::setModel(const QString &value) { s_model.set(value); }
QString MacSystem::cpuBrand() { return s_cpuBrand.get(); }
void MacSystem::setCpuBrand(const QString &value) { s_cpuBrand.set(value); }
QString MacSystem::hostName() { return s_hostName.get(); }
void MacSystem::setHostName(const QString &value) { s_hostName.set(value); }
quint8 MacSystem::threadCount() { return s_threadCount.get(); }
void MacSystem::setThreadCount(quint8 value) { s_threadCount.set(value); }
quint8 MacSystem::physicalCores() { return s_physicalCores.get(); }
void MacSystem::setPhysicalCores(quint8 value) { s_physicalCores.set(value); }
quint8 MacSystem::logicalCores() { return s_logicalCores.get(); }
void MacSystem::setLogicalCores(quint8 value) { s_logicalCores.set(value); }
QString MacSystem::machine() { return s_machine.get(); }
void MacSystem::setMachine(const QString &value) { s_machine.set(value); }
QString MacSystem::architecture() { return s_architecture.get(); }
void MacSystem::setArchitecture(const QString &value) { s_architecture.set(value); }
std::optional<AppleHardwareDetails> MacSystem::hardwareDetails() { return s_hardwareDetails.get(); }
void MacSystem::setHardwareDetails(const std::optional<AppleHardwareDetails> &value) { s_hardwareDetails.set(value); }

QString MacSystem::symbolName()
{
    const QString m = model();
    if (m == QLatin1String("Mac13,1"))
        return QStringLiteral("macstudio");
    if (m.startsWith(QLatin1String("MacBookAir")) || m.startsWith(QLatin1String("MacBookPro")))
        return QStringLiteral("laptopcomputer");
    if (m.startsWith(QLatin1String("iMac")))
        return QStringLiteral("desktopcomputer");
    if (m.startsWith(QLatin1String("Macmini")))
        return QStringLiteral("macmini");
    if (m == QLatin1String("MacPro4,1") || m == QLatin1String("MacPro5,1"))
        return QStringLiteral("macpro.gen1");
    if (m == QLatin1String("MacPro6,1"))
        return QStringLiteral("macpro.gen2");
    if (m.startsWith(QLatin1String("MacPro")))
        return QStringLiteral("macpro.gen3");
    return QStringLiteral("desktopcomputer");
}

QString MacSystem::macOSName(int kernelMajorVersion)
{
    static const char *const kNames[] = { "macOS Tiger", "macOS Leopard", "macOS Snow Leopard", "macOS Lion",
        "macOS Mountain Lion", "macOS Mavericks", "macOS Yosemite", "macOS El Capitan", "macOS Sierra",
        "macOS High Sierra", "macOS Mojave", "macOS Catalina", "macOS Big Sur", "macOS Monterey", "macOS Ventura",
        "macOS Sonoma", "macOS Sequoia" };
    const int index = kernelMajorVersion - 8;
    if (index < 0 || index >= int(std::size(kNames)))
        return localized("UNKNOWN_MACOS_VERSION");
    return QString::fromLatin1(kNames[index]);
}

QString MacSystem::currentMacOSName()
{
    const std::optional<int> major = majorVersion();
    if (major && *major >= 11 && *major <= 14)
        return macOSName(*major + 9);
    return localized("UNKNOWN_MACOS_VERSION");
}

std::optional<int> MacSystem::majorVersion()
{
    const QStringList pieces = versionText().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int major = pieces.first().section(QLatin1Char('.'), 0, 0).toInt(&ok, 10);
    return ok ? std::optional<int>(major) : std::nullopt;
}

QString MacSystem::versionString()
{
    const platform::SystemVersion version = platform::SystemVersion::current();
    return QStringLiteral("Version %1.%2.%3").arg(version.major).arg(version.minor).arg(version.patch);
}

QString MacSystem::versionText() { return versionString().replace(QStringLiteral("Version"), QString()).trimmed(); }

QString MacSystem::macOSVersionText()
{
    return versionString().replace(QStringLiteral("Version"), QStringLiteral("macOS")).trimmed();
}

QString MacSystem::versionDescription() { return currentMacOSName() + QLatin1Char(' ') + versionText(); }

QString MacSystem::productVersion()
{
    const platform::SystemVersion version = platform::SystemVersion::current();
    return QStringLiteral("%1.%2").arg(version.major).arg(version.minor)
        + (version.patch ? QStringLiteral(".%1").arg(version.patch) : QString());
}

int MacSystem::activeProcessorCount() { return QThread::idealThreadCount(); }

int MacSystem::thermalState()
{
    // Linux gives no overall thermal pressure; the system counts as nominal.
    return 0;
}

quint64 MacSystem::physicalMemory()
{
    struct sysinfo info { };
    if (sysinfo(&info) != 0)
        return 0;
    return quint64(info.totalram) * quint64(info.mem_unit);
}

QString MacSystem::physicalMemoryText() { return tavrin::DiskUtilities::byteCountString(physicalMemory()); }

QString MacSystem::uptimeText()
{
    struct timespec now { };
    if (clock_gettime(CLOCK_MONOTONIC_RAW, &now) != 0 || now.tv_sec == 0)
        return tavrin::kNoValue;
    return tavrin::DateUtilities::durationString(std::int64_t(now.tv_sec));
}

QString MacSystem::timeSinceBootText()
{
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return tavrin::kNoValue;
    qint64 bootTime = 0;
    for (const QByteArray &line : stat.readAll().split('\n')) {
        if (line.startsWith("btime "))
            bootTime = line.mid(6).trimmed().toLongLong();
    }
    if (bootTime == 0)
        return tavrin::kNoValue;
    return tavrin::DateUtilities::durationString(std::int64_t(std::time(nullptr) - bootTime));
}

bool MacSystem::isAppleSilicon() { return machine() == QLatin1String("arm64"); }

std::optional<int> MacSystem::efficiencyCoreCount() { return coreCount(QStringLiteral("icestorm")); }

std::optional<int> MacSystem::performanceCoreCount() { return coreCount(QStringLiteral("firestorm")); }

} // namespace olvane

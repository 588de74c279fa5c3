#include "olvane/macsystem.h"

#include "olvane/olvane.h"
#include "olvane/systemroot.h"
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
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <ctime>
#include <functional>
#include <sys/utsname.h>
#include <time.h>

namespace olvane {

namespace {

    /// A fact worked out on first use and kept, unless a caller sets it. A change of the system root
    /// forgets the kept value, set or worked out.
    template <typename T> class StoredFact {
    public:
        explicit StoredFact(std::function<T()> compute)
            : m_compute(std::move(compute))
        {
        }
        const T &get()
        {
            if (!m_value || m_generation != SystemRoot::generation()) {
                m_generation = SystemRoot::generation();
                m_value = m_compute();
            }
            return *m_value;
        }
        void set(const T &value)
        {
            m_generation = SystemRoot::generation();
            m_value = value;
        }

    private:
        std::function<T()> m_compute;
        std::optional<T> m_value;
        quint64 m_generation = 0;
    };

    QString localized(const char *key) { return platform::localized(kBundleName, QString::fromLatin1(key)); }

    QByteArray readAll(const char *path)
    {
        QFile file(SystemRoot::file(QString::fromLatin1(path)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    QString readTrimmed(const QString &path)
    {
        QFile file(SystemRoot::file(path));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        // Device-tree texts end with a zero byte.
        QByteArray bytes = file.readAll();
        const qsizetype zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
        return QString::fromUtf8(bytes).trimmed();
    }

    QString readTrimmed(const char *path) { return readTrimmed(QString::fromLatin1(path)); }

    QString orNoValue(const QString &text) { return text.isEmpty() ? tavrin::kNoValue : text; }

    std::optional<platform::ui::Image> picture(const char *path)
    {
        const platform::ui::Image image = platform::ui::Image::fromFile(QString::fromLatin1(path));
        if (!image.hasContent())
            return std::nullopt;
        return image;
    }

    // "model name", the processors and the distinct physical cores of /proc/cpuinfo.
    struct CpuInfo {
        QString brand;
        int processors = 0;
        int physicalCores = 0;
    };

    CpuInfo readCpuInfo()
    {
        CpuInfo info;
        QSet<QString> cores;
        QString package;
        for (const QString &line : QString::fromUtf8(readAll("/proc/cpuinfo")).split(QLatin1Char('\n'))) {
            const QString key = line.section(QLatin1Char(':'), 0, 0).trimmed();
            const QString value = line.section(QLatin1Char(':'), 1).trimmed();
            if (key == QLatin1String("processor"))
                ++info.processors;
            else if (key == QLatin1String("model name") && info.brand.isEmpty())
                info.brand = value;
            else if (key == QLatin1String("physical id"))
                package = value;
            else if (key == QLatin1String("core id"))
                cores.insert(package + QLatin1Char('/') + value);
        }
        // Machines whose processors name no cores (most ARM boards) have one core per processor.
        info.physicalCores = cores.isEmpty() ? info.processors : int(cores.size());
        return info;
    }

    quint8 asByte(int count) { return quint8(count & 0xff); }

    QString unameMachine()
    {
        struct utsname name { };
        uname(&name);
        const QString machine = QString::fromLatin1(name.machine);
        // Linux calls the 64-bit ARM architecture by another name.
        return machine == QLatin1String("aarch64") ? QStringLiteral("arm64") : machine;
    }

    // A shell-style KEY=value file (os-release, machine-info); quotes around a value are dropped.
    QHash<QString, QString> keyValues(const QByteArray &contents)
    {
        QHash<QString, QString> values;
        for (const QString &raw : QString::fromUtf8(contents).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (line.startsWith(QLatin1Char('#')) || equals <= 0)
                continue;
            QString value = line.mid(equals + 1).trimmed();
            if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
                && value.endsWith(value.front()))
                value = value.mid(1, value.size() - 2);
            values.insert(line.left(equals).trimmed(), value);
        }
        return values;
    }

    // The operating system's release file; /usr/lib/os-release when /etc has none.
    QHash<QString, QString> osRelease()
    {
        QByteArray contents = readAll("/etc/os-release");
        if (contents.isEmpty())
            contents = readAll("/usr/lib/os-release");
        return keyValues(contents);
    }

    QString kernelHostName() { return readTrimmed("/proc/sys/kernel/hostname"); }

    QString computeComputerName()
    {
        const QString pretty = keyValues(readAll("/etc/machine-info")).value(QStringLiteral("PRETTY_HOSTNAME"));
        if (!pretty.isEmpty())
            return pretty;
        const QString host = kernelHostName();
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
        return orNoValue(readTrimmed("/sys/class/dmi/id/product_serial"));
    }

    std::optional<AppleHardwareDetails> computeHardwareDetails()
    {
        const QString language = QLocale().name().section(QLatin1Char('_'), 0, 0);
        if (language.isEmpty() || language == QLatin1String("C"))
            return std::nullopt;
        QFile file(SystemRoot::file(
            QStringLiteral("/System/Library/PrivateFrameworks/ServerInformation.framework/Versions/A/Resources/")
            + language + QStringLiteral(".lproj/SIMachineAttributes.plist")));
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

    // Firmware fields that makers leave unfilled, and version numbers, name no product.
    bool namesAProduct(const QString &text)
    {
        static const QRegularExpression kVersionOnly(QStringLiteral("^[vV]?[0-9.]*$"));
        static const QRegularExpression kTypeCode(QStringLiteral("^[A-Z0-9_-]+$"));
        static const char *const kPlaceholders[] = { "to be filled", "system product name", "system version",
            "default string", "not specified", "not applicable", "none", "o.e.m.", "oem", "n/a", "invalid" };
        if (text.isEmpty() || kVersionOnly.match(text).hasMatch())
            return false;
        const QString lower = text.toLower();
        for (const char *placeholder : kPlaceholders) {
            if (lower == QLatin1String(placeholder)
                || (qstrlen(placeholder) > 4 && lower.contains(QLatin1String(placeholder))))
                return false;
        }
        // A single word of capitals and digits ("20XW00GLGE") is a type code, not a name.
        return !kTypeCode.match(text).hasMatch();
    }

    // The firmware's product name, or the version field where the maker keeps the name there.
    QString dmiMarketingName()
    {
        for (const char *field : { "/sys/class/dmi/id/product_name", "/sys/class/dmi/id/product_version" }) {
            const QString text = readTrimmed(field);
            if (namesAProduct(text))
                return text;
        }
        return {};
    }

    QString computeMarketingName()
    {
        if (MacSystem::machine() == QLatin1String("arm64")) {
            // The firmware's own model text stands for the product description there.
            return orNoValue(readTrimmed("/proc/device-tree/model"));
        }
        if (const std::optional<AppleHardwareDetails> details = MacSystem::hardwareDetails())
            return details->marketingModel;
        return orNoValue(dmiMarketingName());
    }

    QString computeModel()
    {
        QString model = readTrimmed("/sys/class/dmi/id/product_name");
        if (model.isEmpty())
            model = readTrimmed("/proc/device-tree/model");
        return orNoValue(model);
    }

    // SMBIOS enclosure types of portable machines: portable, laptop, notebook, sub notebook,
    // convertible, detachable.
    bool isPortableChassis()
    {
        bool ok = false;
        const int type = readTrimmed("/sys/class/dmi/id/chassis_type").toInt(&ok);
        return ok && (type == 8 || type == 9 || type == 10 || type == 14 || type == 31 || type == 32);
    }

    StoredFact<QString> s_serialNumber(computeSerialNumber);
    StoredFact<QString> s_marketingName(computeMarketingName);
    StoredFact<QString> s_computerName(computeComputerName);
    StoredFact<QString> s_model(computeModel);
    StoredFact<QString> s_cpuBrand([] { return orNoValue(readCpuInfo().brand); });
    StoredFact<QString> s_hostName([] { return orNoValue(kernelHostName()); });
    StoredFact<quint8> s_threadCount([] { return asByte(readCpuInfo().processors); });
    StoredFact<quint8> s_physicalCores([] { return asByte(readCpuInfo().physicalCores); });
    StoredFact<quint8> s_logicalCores([] { return asByte(readCpuInfo().processors); });
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
        const QDir cpus(SystemRoot::file(QStringLiteral("/proc/device-tree/cpus")));
        for (const QString &cpu : cpus.entryList({ QStringLiteral("cpu@*") }, QDir::Dirs)) {
            QFile file(cpus.filePath(cpu + QStringLiteral("/compatible")));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            // A list of zero-terminated names.
            if (QString::fromUtf8(file.readAll()).toLower().contains(type))
                ++count;
        }
        return count;
    }

    // The thermal state of one zone: how far its temperature has climbed through its trip points.
    // Fans start at "active" points (fair), the processor is slowed at "passive" ones (serious), and
    // "hot" and "critical" points come before a shutdown (critical).
    int zoneState(const QDir &zone)
    {
        const auto read = [&zone](const QString &name) {
            QFile file(zone.filePath(name));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
        };
        if (read(QStringLiteral("mode")) == QLatin1String("disabled"))
            return 0;
        bool ok = false;
        const qint64 temperature = read(QStringLiteral("temp")).toLongLong(&ok);
        if (!ok)
            return 0;
        int state = 0;
        static const QRegularExpression kTripTemp(QStringLiteral("^trip_point_(\\d+)_temp$"));
        for (const QString &name : zone.entryList(QDir::Files)) {
            const QRegularExpressionMatch match = kTripTemp.match(name);
            if (!match.hasMatch())
                continue;
            bool tripOk = false;
            const qint64 trip = read(name).toLongLong(&tripOk);
            // Zones mark unused trip points with zero or negative temperatures.
            if (!tripOk || trip <= 0 || temperature < trip)
                continue;
            const QString type = read(QStringLiteral("trip_point_%1_type").arg(match.captured(1)));
            if (type == QLatin1String("critical") || type == QLatin1String("hot"))
                state = std::max(state, 3);
            else if (type == QLatin1String("passive"))
                state = std::max(state, 2);
            else if (type == QLatin1String("active"))
                state = std::max(state, 1);
        }
        return state;
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
    // Other computers tell their kind by their enclosure.
    return isPortableChassis() ? QStringLiteral("laptopcomputer") : QStringLiteral("desktopcomputer");
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
    // The release file's own default when it names no system.
    const QString name = osRelease().value(QStringLiteral("NAME"));
    return name.isEmpty() ? QStringLiteral("Linux") : name;
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
    const QHash<QString, QString> release = osRelease();
    QString version = release.value(QStringLiteral("VERSION_ID"));
    const QString build = release.value(QStringLiteral("BUILD_ID"));
    // Rolling releases have a build but no version.
    if (version.isEmpty())
        return build.isEmpty() ? QStringLiteral("Version -") : QStringLiteral("Version ") + build;
    if (!build.isEmpty())
        version += QStringLiteral(" (Build %1)").arg(build);
    return QStringLiteral("Version ") + version;
}

QString MacSystem::versionText() { return versionString().replace(QStringLiteral("Version"), QString()).trimmed(); }

QString MacSystem::macOSVersionText()
{
    return versionString().replace(QStringLiteral("Version"), currentMacOSName()).trimmed();
}

QString MacSystem::versionDescription() { return currentMacOSName() + QLatin1Char(' ') + versionText(); }

QString MacSystem::productVersion() { return orNoValue(osRelease().value(QStringLiteral("VERSION_ID"))); }

int MacSystem::activeProcessorCount() { return QThread::idealThreadCount(); }

int MacSystem::thermalState()
{
    int state = 0;
    const QDir thermal(SystemRoot::file(QStringLiteral("/sys/class/thermal")));
    for (const QString &zone : thermal.entryList({ QStringLiteral("thermal_zone*") }, QDir::Dirs | QDir::System))
        state = std::max(state, zoneState(QDir(thermal.filePath(zone))));
    return state;
}

quint64 MacSystem::physicalMemory()
{
    for (const QByteArray &line : readAll("/proc/meminfo").split('\n')) {
        if (!line.startsWith("MemTotal:"))
            continue;
        // "MemTotal:       16318480 kB"
        const QList<QByteArray> fields = line.mid(9).simplified().split(' ');
        bool ok = false;
        const quint64 kibibytes = fields.value(0).toULongLong(&ok);
        return ok ? kibibytes * 1024 : 0;
    }
    return 0;
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
    qint64 bootTime = 0;
    for (const QByteArray &line : readAll("/proc/stat").split('\n')) {
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

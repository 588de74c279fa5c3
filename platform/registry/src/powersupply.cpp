#include "platform/registry/powersources.h"
#include "powersupply_p.h"

#include <QFile>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace platform::powersupply {

namespace {
    const QString kType = QStringLiteral("type");
    const QString kScope = QStringLiteral("scope");
    const QString kStatus = QStringLiteral("status");

    std::optional<Value> value(std::optional<qint64> n) { return n ? std::optional<Value>(Value(*n)) : std::nullopt; }

    std::optional<Value> value(std::optional<QString> text)
    {
        return text ? std::optional<Value>(Value(*text)) : std::nullopt;
    }

    std::optional<qint64> nonNegative(std::optional<qint64> n) { return n && *n >= 0 ? n : std::nullopt; }

    // A kernel attribute is outside input: a value worked out from it that does not fit is no value,
    // never a wrapped-around one.
    constexpr double kTwoToThe63 = 9223372036854775808.0;

    std::optional<qint64> rounded(double v)
    {
        if (!std::isfinite(v) || v >= kTwoToThe63 || v < -kTwoToThe63)
            return std::nullopt;
        return std::llround(v);
    }

    std::optional<qint64> truncated(double v)
    {
        if (!std::isfinite(v) || v >= kTwoToThe63 || v <= -kTwoToThe63 - 1.0)
            return std::nullopt;
        return static_cast<qint64>(v);
    }

    std::optional<qint64> times(std::optional<qint64> n, qint64 factor)
    {
        qint64 product = 0;
        if (!n || __builtin_mul_overflow(*n, factor, &product))
            return std::nullopt;
        return product;
    }

    QString status(const SysfsAttributes &a) { return a.text(kStatus).value_or(QString()); }

    const QString kCharging = QStringLiteral("Charging");
    const QString kDischarging = QStringLiteral("Discharging");
    const QString kFull = QStringLiteral("Full");
    const QString kNotCharging = QStringLiteral("Not charging");
    const QString kUnknown = QStringLiteral("Unknown");

    // Energy is converted to charge with the design voltage, so that design, full and present charge
    // share one scale and their ratios stay those of the energies; the present voltage, which moves
    // with the charge, is the fallback for batteries that do not report a design voltage.
    std::optional<qint64> conversionVoltage(const SysfsAttributes &a)
    {
        for (const char *name : { "voltage_min_design", "voltage_now" }) {
            if (const auto microvolts = a.integer(QLatin1String(name)); microvolts && *microvolts > 0)
                return microvolts;
        }
        return std::nullopt;
    }

    // A capacity in mAh: the charge attribute (µAh) when the battery counts charge, else the energy
    // attribute (µWh) divided by the voltage (µV): µWh / µV = Ah, times 1000 gives mAh.
    std::optional<qint64> milliampHours(const SysfsAttributes &a, const char *charge, const char *energy)
    {
        if (const auto microampHours = nonNegative(a.integer(QLatin1String(charge))))
            return rounded(double(*microampHours) / 1000.0);
        const auto microwattHours = nonNegative(a.integer(QLatin1String(energy)));
        const auto microvolts = conversionVoltage(a);
        if (!microwattHours || !microvolts)
            return std::nullopt;
        return rounded(double(*microwattHours) / double(*microvolts) * 1000.0);
    }

    // Charge or energy of one kind ("now", "full", "full_design") in whatever unit the battery counts,
    // for ratios between two kinds of the same battery.
    std::optional<qint64> amount(const SysfsAttributes &a, const QString &kind)
    {
        if (auto charge = nonNegative(a.integer(QStringLiteral("charge_") + kind)))
            return charge;
        return nonNegative(a.integer(QStringLiteral("energy_") + kind));
    }

    std::optional<qint64> percentOf(std::optional<qint64> part, std::optional<qint64> whole)
    {
        if (!part || !whole || *whole <= 0)
            return std::nullopt;
        return rounded(double(*part) / double(*whole) * 100.0);
    }

    bool isDischarging(const SysfsAttributes &a, std::optional<qint64> rawCurrent)
    {
        // Some drivers sign the current (negative while discharging) and report an unknown status. A
        // battery the kernel calls charging, full or held (not charging) is not going down whatever
        // trickle its current shows.
        const QString s = status(a);
        return s == kDischarging
            || (rawCurrent && *rawCurrent < 0 && s != kCharging && s != kFull && s != kNotCharging);
    }

    // Signed milliamperes, negative while discharging: current_now (µA), or power_now (µW) over
    // voltage_now (µV) for batteries that count energy and report no current.
    std::optional<Value> amperage(const SysfsAttributes &a)
    {
        const auto microamps = a.integer(QStringLiteral("current_now"));
        std::optional<double> milliamps;
        if (microamps) {
            milliamps = std::abs(double(*microamps)) / 1000.0;
        } else {
            const auto microwatts = a.integer(QStringLiteral("power_now"));
            const auto microvolts = a.integer(QStringLiteral("voltage_now"));
            if (microwatts && microvolts && *microvolts > 0)
                milliamps = std::abs(double(*microwatts)) / double(*microvolts) * 1000.0;
        }
        const auto magnitude = milliamps ? rounded(*milliamps) : std::nullopt;
        if (!magnitude)
            return std::nullopt;
        return Value(isDischarging(a, microamps) ? -*magnitude : *magnitude);
    }

    // The date packed the way the smart battery reports it: day in bits 0-4, month in bits 5-8,
    // years since 1980 in bits 9-15.
    std::optional<Value> manufactureDate(const SysfsAttributes &a)
    {
        const auto year = a.integer(QStringLiteral("manufacture_year"));
        const auto month = a.integer(QStringLiteral("manufacture_month"));
        const auto day = a.integer(QStringLiteral("manufacture_day"));
        if (!year || !month || !day || *year < 1980 || *year > 1980 + 0x7F || *month < 1 || *month > 12 || *day < 1
            || *day > 31)
            return std::nullopt;
        return Value(*day | (*month << 5) | ((*year - 1980) << 9));
    }

    using Reader = std::optional<Value> (*)(const SysfsAttributes &);
    struct KeyReader {
        const char *key;
        Reader read;
    };

    // Units of the smart-battery entry: capacities in mAh, voltage in mV, amperage in signed mA,
    // temperature in hundredths of a degree, times in minutes. sysfs counts µAh, µWh, µV, µA, tenths
    // of a degree and seconds.
    const std::array<KeyReader, 11> kSmartBatteryReaders { {
        { "DesignCapacity",
            [](const SysfsAttributes &a) {
                return value(milliampHours(a, "charge_full_design", "energy_full_design"));
            } },
        { "MaxCapacity",
            [](const SysfsAttributes &a) { return value(milliampHours(a, "charge_full", "energy_full")); } },
        { "CurrentCapacity",
            [](const SysfsAttributes &a) { return value(milliampHours(a, "charge_now", "energy_now")); } },
        { "Voltage",
            [](const SysfsAttributes &a) {
                const auto microvolts = nonNegative(a.integer(QStringLiteral("voltage_now")));
                return value(microvolts ? rounded(double(*microvolts) / 1000.0) : std::nullopt);
            } },
        { "Amperage", amperage },
        { "Temperature", [](const SysfsAttributes &a) { return value(times(a.integer(QStringLiteral("temp")), 10)); } },
        { "CycleCount",
            [](const SysfsAttributes &a) { return value(nonNegative(a.integer(QStringLiteral("cycle_count")))); } },
        { "Serial", [](const SysfsAttributes &a) { return value(a.text(QStringLiteral("serial_number"))); } },
        { "Manufacturer", [](const SysfsAttributes &a) { return value(a.text(QStringLiteral("manufacturer"))); } },
        { "ManufactureDate", manufactureDate },
        { "AvgTimeToEmpty",
            [](const SysfsAttributes &a) {
                const auto seconds = nonNegative(a.integer(QStringLiteral("time_to_empty_avg")));
                return value(seconds ? std::optional<qint64>(*seconds / 60) : std::nullopt);
            } },
    } };

    // Hours until `remaining` is used up at `rate`; the two come in one family (µWh and µW, or µAh
    // and µA).
    std::optional<double> hoursAt(std::optional<qint64> remaining, std::optional<qint64> rate)
    {
        if (!remaining || *remaining < 0 || !rate || *rate == 0)
            return std::nullopt;
        return double(*remaining) / std::abs(double(*rate));
    }

    std::optional<qint64> difference(std::optional<qint64> a, std::optional<qint64> b)
    {
        qint64 d = 0;
        if (!a || !b || __builtin_sub_overflow(*a, *b, &d))
            return std::nullopt;
        return std::max<qint64>(0, d);
    }

    // Minutes, as the power source states them: 0 when the battery is not going that way, -1 while no
    // estimate can be made (no rate, or a rate of 0); none when the estimate is beyond any count of
    // minutes.
    std::optional<qint64> minutesAt(std::optional<double> hours)
    {
        return hours ? truncated(*hours * 60.0) : std::optional<qint64>(-1);
    }

    std::optional<qint64> timeToEmpty(const SysfsAttributes &a, bool external)
    {
        // Firmware that does not know what its battery does says so while the machine is on its adapter.
        if (!isDischarging(a, a.integer(QStringLiteral("current_now"))) || (external && status(a) == kUnknown))
            return 0;
        if (const auto seconds = a.integer(QStringLiteral("time_to_empty_now")); seconds && *seconds > 0)
            return *seconds / 60;
        auto hours = hoursAt(a.integer(QStringLiteral("energy_now")), a.integer(QStringLiteral("power_now")));
        if (!hours)
            hours = hoursAt(a.integer(QStringLiteral("charge_now")), a.integer(QStringLiteral("current_now")));
        return minutesAt(hours);
    }

    std::optional<qint64> timeToFull(const SysfsAttributes &a)
    {
        if (status(a) != kCharging)
            return 0;
        if (const auto seconds = a.integer(QStringLiteral("time_to_full_now")); seconds && *seconds > 0)
            return *seconds / 60;
        auto hours
            = hoursAt(difference(a.integer(QStringLiteral("energy_full")), a.integer(QStringLiteral("energy_now"))),
                a.integer(QStringLiteral("power_now")));
        if (!hours) {
            hours
                = hoursAt(difference(a.integer(QStringLiteral("charge_full")), a.integer(QStringLiteral("charge_now"))),
                    a.integer(QStringLiteral("current_now")));
        }
        return minutesAt(hours);
    }

    // The kernel's health texts that mean lasting damage; passing states (cold, hot, a timer) say
    // nothing about the battery's wear and leave the condition unknown.
    std::optional<QString> batteryHealth(const SysfsAttributes &a)
    {
        const QString health = a.text(QStringLiteral("health")).value_or(QString());
        if (health == QLatin1String("Good"))
            return QStringLiteral("Good");
        static const QStringList damaged { QStringLiteral("Dead"), QStringLiteral("Over voltage"),
            QStringLiteral("Unspecified failure"), QStringLiteral("Over current") };
        if (damaged.contains(health))
            return QStringLiteral("Poor");
        return std::nullopt;
    }

    // Watts an online adapter can give, from its voltage and current limits (µV × µA = 10⁻¹² W).
    std::optional<qint64> adapterWatts(const std::vector<SysfsAttributes> &adapters)
    {
        std::optional<qint64> best;
        for (const SysfsAttributes &adapter : adapters) {
            if (adapter.integer(QStringLiteral("online")).value_or(0) <= 0)
                continue;
            const auto microvolts = nonNegative(adapter.integer(QStringLiteral("voltage_max")));
            const auto microamps = nonNegative(adapter.integer(QStringLiteral("current_max")));
            if (!microvolts || !microamps)
                continue;
            const auto watts = rounded(double(*microvolts) * double(*microamps) / 1e12);
            if (watts && (!best || *watts > *best))
                best = watts;
        }
        return best;
    }
}

std::optional<FileId> fileIdOf(const QString &path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileId { static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino) };
}

SupplyDirectory::SupplyDirectory(QString root)
    : m_root(std::move(root))
    , m_folder(m_root + QStringLiteral("/class/power_supply"))
    , m_folderName(QFile::encodeName(m_folder))
{
    struct statfs fs { };
    m_sysfs = ::statfs(QFile::encodeName(m_root).constData(), &fs) == 0 && fs.f_type == SYSFS_MAGIC;
    if (!m_sysfs)
        m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

SupplyDirectory::~SupplyDirectory()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
}

const QStringList &SupplyDirectory::fixedAttributes()
{
    static const QStringList names { QStringLiteral("charge_full_design"), QStringLiteral("energy_full_design"),
        QStringLiteral("voltage_min_design"), QStringLiteral("serial_number"), QStringLiteral("manufacturer"),
        QStringLiteral("model_name"), QStringLiteral("manufacture_year"), QStringLiteral("manufacture_month"),
        QStringLiteral("manufacture_day") };
    return names;
}

void SupplyDirectory::forget(const QString &name)
{
    const auto it = m_known.find(name);
    if (it == m_known.end())
        return;
    if (it->watch >= 0) {
        ::inotify_rm_watch(m_inotify, it->watch);
        m_watched.remove(it->watch);
    }
    m_known.erase(it);
    m_forgot = true;
}

void SupplyDirectory::takeNotifications()
{
    if (m_inotify < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_inotify, buffer, sizeof buffer);
        if (n <= 0)
            return; // EAGAIN: nothing more
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Events were lost: every supply is met anew.
                const QStringList names = m_watched.values();
                for (const QString &name : names)
                    forget(name);
                continue;
            }
            const auto watched = m_watched.constFind(event->wd);
            if (watched != m_watched.constEnd())
                forget(QString(*watched));
        }
    }
}

std::shared_ptr<SupplyDirectory> SupplyDirectory::shared(const QString &root)
{
    static QHash<QString, std::weak_ptr<SupplyDirectory>> directories;
    directories.removeIf([](const auto &entry) { return entry.value().expired(); });
    if (auto held = directories.value(root).lock())
        return held;
    auto made = std::make_shared<SupplyDirectory>(root);
    directories.insert(root, made);
    return made;
}

const SupplyDirectory::Listing &SupplyDirectory::current()
{
    // Every reader of a tick sees one listing.
    const auto pass = SysfsAttributes::currentPass();
    if (m_listed && pass && pass == m_listedInPass)
        return m_listing;
    m_listed = true;
    m_listedInPass = pass;
    const quint64 listing = ++m_listings;
    m_forgot = false;
    takeNotifications();
    // The entries as the directory gives them (inode number and name, in its order), kept from one
    // listing to the next: at rest they are the same bytes, and then nothing else is looked at.
    m_entries.clear();
    if (DIR *dir = ::opendir(m_folderName.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            const quint64 inode = entry->d_ino;
            m_entries.append(reinterpret_cast<const char *>(&inode), sizeof inode);
            m_entries.append(entry->d_name, qsizetype(std::strlen(entry->d_name)) + 1);
        }
        ::closedir(dir);
    }
    if (m_entriesValid && !m_forgot && !m_identityChecks && m_entries == m_previousEntries) {
        // Only whether a battery bay holds its battery can differ.
        m_listing.systemBatteries.clear();
        for (const QString &name : std::as_const(m_batteryNames)) {
            const auto it = m_known.find(name);
            if (it != m_known.end() && isPresent(*it))
                m_listing.systemBatteries.push_back(it->supply);
        }
        return m_listing;
    }
    m_previousEntries.swap(m_entries);
    bool complete = true;
    bool changed = false;
    qsizetype listed = 0;
    for (const char *at = m_previousEntries.constData(), *end = at + m_previousEntries.size(); at < end;) {
        quint64 inode = 0;
        std::memcpy(&inode, at, sizeof inode);
        const char *rawName = at + sizeof inode;
        at = rawName + std::strlen(rawName) + 1;
        const QString name = QFile::decodeName(rawName);
        auto it = m_known.find(name);
        if (it != m_known.end() && it->entryInode == inode && it->directory) {
            // No watch on this one: its directory's identity tells whether it was replaced.
            if (fileIdOf(it->supply.path) != it->directory)
                forget(name);
            it = m_known.find(name);
        }
        if (it == m_known.end() || it->entryInode != inode) {
            forget(name);
            Known known;
            known.supply = { name, m_folder + QLatin1Char('/') + name };
            const auto id = fileIdOf(known.supply.path);
            if (!id) {
                // A dangling link, or gone since the listing: looked at again on the next listing.
                complete = false;
                continue;
            }
            if (m_inotify >= 0) {
                known.watch = ::inotify_add_watch(m_inotify, QFile::encodeName(known.supply.path).constData(),
                    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
            }
            if (known.watch >= 0)
                m_watched.insert(known.watch, name);
            else if (!m_sysfs)
                known.directory = id;
            known.id = m_nextId++;
            known.supply.id = known.id;
            known.entryInode = inode;
            const SysfsAttributes a(known.supply.path);
            known.type = a.text(kType).value_or(QString());
            known.scope = a.text(kScope).value_or(QString());
            it = m_known.insert(name, std::move(known));
            changed = true;
        }
        it->listedIn = listing;
        ++listed;
    }
    m_entriesValid = complete;
    if (changed || m_forgot || listed != m_known.size()) {
        changed = true;
        QStringList gone;
        for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
            if (it->listedIn != listing)
                gone << it.key();
        }
        for (const QString &name : std::as_const(gone))
            forget(name);
        m_order = m_known.keys();
        m_order.sort();
    }
    if (changed)
        ++m_changes;

    Listing out;
    m_batteryNames.clear();
    m_identityChecks = 0;
    for (const QString &name : std::as_const(m_order)) {
        Known &known = *m_known.find(name);
        if (known.directory)
            ++m_identityChecks;
        const bool deviceScoped = known.scope == QLatin1String("Device");
        if (deviceScoped) {
            out.deviceBatteries.push_back(known.supply);
        } else if (known.type == QLatin1String("Battery")) {
            m_batteryNames << name;
            if (isPresent(known))
                out.systemBatteries.push_back(known.supply);
        } else if (known.type == QLatin1String("Mains") || known.type.startsWith(QLatin1String("USB"))) {
            // Older kernels name each USB charger kind as its own type (USB_C, USB_PD, USB_DCP, ...).
            out.adapters.push_back(known.supply);
        }
    }
    m_listing = std::move(out);
    return m_listing;
}

bool SupplyDirectory::isPresent(Known &battery)
{
    // A battery bay that is empty keeps its supply with present 0.
    const SysfsAttributes a = attributes(battery.supply);
    const bool present = a.integer(QStringLiteral("present")).value_or(1) != 0;
    battery.absent.unite(a.missing());
    return present;
}

std::optional<QByteArray> SupplyDirectory::readKept(
    KeptFiles &kept, const QString &directory, const QString &attribute, bool &missing)
{
    const QString path = directory + QLatin1Char('/') + attribute;
    // What is read once per supply is not worth a descriptor.
    if (fixedAttributes().contains(attribute))
        return SysfsAttributes::readFile(path, missing);
    KeptFile &file = kept[attribute];
    if (file.file.path().isEmpty())
        file.file = SysfsFile(path);
    const auto pass = SysfsAttributes::currentPass();
    if (!pass || file.readInPass != pass) {
        file.file.read();
        file.readInPass = pass;
    }
    missing = file.file.missing();
    return file.file.content();
}

SysfsAttributes SupplyDirectory::attributes(const Supply &supply)
{
    SysfsAttributes a(supply.path);
    if (const auto it = m_known.constFind(supply.name); it != m_known.constEnd() && it->supply.path == supply.path) {
        // Once the supply is forgotten (replaced or gone) its files are closed: read by path then.
        a.readThrough([kept = std::weak_ptr<KeptFiles>(it->kept), directory = supply.path](
                          const QString &attribute, bool &missing) {
            if (const auto files = kept.lock())
                return readKept(*files, directory, attribute, missing);
            return SysfsAttributes::readFile(directory + QLatin1Char('/') + attribute, missing);
        });
        a.preset(kType, it->type.isEmpty() ? std::nullopt : std::optional<QString>(it->type));
        a.preset(kScope, it->scope.isEmpty() ? std::nullopt : std::optional<QString>(it->scope));
        for (auto f = it->fixed.constBegin(); f != it->fixed.constEnd(); ++f)
            a.preset(f.key(), f.value());
        for (const QString &name : it->absent)
            a.preset(name, std::nullopt);
    }
    return a;
}

void SupplyDirectory::remember(const Supply &supply, const SysfsAttributes &attributes)
{
    const auto it = m_known.find(supply.name);
    if (it == m_known.end())
        return;
    // Asked after every reading of a pass: what is remembered already is left alone.
    for (const QString &name : fixedAttributes()) {
        if (it->fixed.contains(name))
            continue;
        if (const auto text = attributes.known(name))
            it->fixed.insert(name, *text);
    }
    for (const QString &name : attributes.missing())
        it->absent.insert(name);
}

std::optional<quint64> SupplyDirectory::idOf(const QString &name) const
{
    const auto it = m_known.constFind(name);
    return it == m_known.constEnd() ? std::nullopt : std::optional<quint64>(it->id);
}

namespace {
    // One battery's share of the whole: its amounts and rate in the unit the whole counts in.
    struct Share {
        std::optional<double> now;
        std::optional<double> full;
        std::optional<double> design;
        std::optional<double> rate;
    };

    // Charge (µAh, µA) when `inCharge`, else energy (µWh, µW); a battery that counts the other way is
    // converted with its voltage: µAh × µV / 10⁶ = µWh.
    Share shareOf(const SysfsAttributes &a, bool inCharge)
    {
        const auto read = [&](const QString &name) -> std::optional<double> {
            const auto n = nonNegative(a.integer(name));
            return n ? std::optional<double>(double(*n)) : std::nullopt;
        };
        const auto magnitude = [&](const QString &name) -> std::optional<double> {
            const auto n = a.integer(name);
            return n ? std::optional<double>(std::abs(double(*n))) : std::nullopt;
        };
        const auto volts = conversionVoltage(a);
        const auto nowVolts = nonNegative(a.integer(QStringLiteral("voltage_now")));
        const auto rateVolts = nowVolts && *nowVolts > 0 ? nowVolts : volts;
        Share share;
        for (const auto &[kind, field] :
            { std::pair { QStringLiteral("now"), &Share::now }, std::pair { QStringLiteral("full"), &Share::full },
                std::pair { QStringLiteral("full_design"), &Share::design } }) {
            if (inCharge) {
                share.*field = read(QStringLiteral("charge_") + kind);
            } else if (auto energy = read(QStringLiteral("energy_") + kind)) {
                share.*field = energy;
            } else if (auto charge = read(QStringLiteral("charge_") + kind); charge && volts) {
                share.*field = *charge * double(*volts) / 1e6;
            }
        }
        const auto current = magnitude(QStringLiteral("current_now"));
        const auto power = magnitude(QStringLiteral("power_now"));
        if (inCharge)
            share.rate = current     ? current
                : power && rateVolts ? std::optional<double>(*power / double(*rateVolts) * 1e6)
                                     : std::nullopt;
        else
            share.rate = power         ? power
                : current && rateVolts ? std::optional<double>(*current * double(*rateVolts) / 1e6)
                                       : std::nullopt;
        return share;
    }

    // Charging when any charges, else discharging when any discharges, else full when all are, else
    // held when all are full or held; anything else is unknown.
    QString combinedStatus(const std::vector<SysfsAttributes> &batteries)
    {
        const auto any = [&](auto test) { return std::any_of(batteries.begin(), batteries.end(), test); };
        const auto all = [&](auto test) { return std::all_of(batteries.begin(), batteries.end(), test); };
        if (any([](const SysfsAttributes &a) { return status(a) == kCharging; }))
            return kCharging;
        if (any([](const SysfsAttributes &a) { return isDischarging(a, a.integer(QStringLiteral("current_now"))); }))
            return kDischarging;
        if (all([](const SysfsAttributes &a) { return status(a) == kFull; }))
            return kFull;
        if (all([](const SysfsAttributes &a) { return status(a) == kFull || status(a) == kNotCharging; }))
            return kNotCharging;
        return kUnknown;
    }

    bool goesLike(const SysfsAttributes &a, const QString &whole)
    {
        if (whole == kCharging)
            return status(a) == kCharging;
        if (whole == kDischarging)
            return isDischarging(a, a.integer(QStringLiteral("current_now")));
        return true;
    }

    std::optional<double> sum(const std::vector<Share> &shares, std::optional<double> Share::*field)
    {
        double total = 0;
        for (const Share &share : shares) {
            if (!(share.*field))
                return std::nullopt;
            total += *(share.*field);
        }
        return total;
    }
}

SysfsAttributes combinedBatteries(const std::vector<SysfsAttributes> &batteries)
{
    if (batteries.size() == 1)
        return batteries.front();
    QHash<QString, QByteArray> files;
    if (batteries.empty())
        return SysfsAttributes::fromTexts(files);
    const SysfsAttributes &first = batteries.front();
    const auto put = [&](const QString &name, std::optional<QString> text) {
        if (text)
            files.insert(name, text->toUtf8());
    };
    const auto putNumber = [&](const QString &name, std::optional<double> n) {
        if (const auto whole = n ? rounded(*n) : std::nullopt)
            files.insert(name, QByteArray::number(*whole));
    };

    // What has no sum is the first battery's; a damaged battery speaks for the whole.
    for (const char *name : { "type", "serial_number", "manufacturer", "model_name", "manufacture_year",
             "manufacture_month", "manufacture_day", "cycle_count", "temp", "voltage_min_design" })
        put(QLatin1String(name), first.text(QLatin1String(name)));
    const SysfsAttributes *health = &first;
    for (const SysfsAttributes &a : batteries) {
        if (batteryHealth(a) == QStringLiteral("Poor")) {
            health = &a;
            break;
        }
    }
    put(QStringLiteral("health"), health->text(QStringLiteral("health")));
    files.insert(QStringLiteral("present"), "1");

    const QString whole = combinedStatus(batteries);
    files.insert(kStatus, whole.toUtf8());

    const bool inCharge = std::all_of(batteries.begin(), batteries.end(), [](const SysfsAttributes &a) {
        return nonNegative(a.integer(QStringLiteral("charge_full")))
            && nonNegative(a.integer(QStringLiteral("charge_now")));
    });
    std::vector<Share> shares;
    std::vector<Share> moving;
    const SysfsAttributes *carrying = nullptr;
    for (const SysfsAttributes &a : batteries) {
        shares.push_back(shareOf(a, inCharge));
        if (goesLike(a, whole)) {
            moving.push_back(shares.back());
            if (!carrying)
                carrying = &a;
        }
    }
    const QString unit = inCharge ? QStringLiteral("charge_") : QStringLiteral("energy_");
    putNumber(unit + QStringLiteral("now"), sum(shares, &Share::now));
    putNumber(unit + QStringLiteral("full"), sum(shares, &Share::full));
    putNumber(unit + QStringLiteral("full_design"), sum(shares, &Share::design));
    putNumber(inCharge ? QStringLiteral("current_now") : QStringLiteral("power_now"), sum(moving, &Share::rate));
    // The voltage of the battery that carries the load, so that the rate in power converts to its current.
    put(QStringLiteral("voltage_now"), (carrying ? carrying : &first)->text(QStringLiteral("voltage_now")));

    // Without amounts to sum, the percentages are all there is.
    if (!sum(shares, &Share::now) || !sum(shares, &Share::full)) {
        double total = 0;
        bool all = true;
        for (const SysfsAttributes &a : batteries) {
            const auto percent = capacity(a);
            all = all && percent;
            total += percent.value_or(0);
        }
        if (all)
            putNumber(QStringLiteral("capacity"), total / double(batteries.size()));
    }
    return SysfsAttributes::fromTexts(files);
}

const QStringList &smartBatteryKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (const KeyReader &r : kSmartBatteryReaders)
            k << QLatin1String(r.key);
        return k;
    }();
    return keys;
}

std::optional<Value> smartBatteryProperty(const SysfsAttributes &battery, const QString &key)
{
    for (const KeyReader &r : kSmartBatteryReaders) {
        if (key == QLatin1String(r.key))
            return r.read(battery);
    }
    return std::nullopt;
}

Value::Dictionary smartBatteryProperties(const SysfsAttributes &battery)
{
    Value::Dictionary p;
    for (const KeyReader &r : kSmartBatteryReaders) {
        if (auto v = r.read(battery))
            p[QLatin1String(r.key)] = std::move(*v);
    }
    return p;
}

QString controllerClass(const SysfsAttributes &battery)
{
    const bool capacitiesInCharge = milliampHours(battery, "charge_full_design", "energy_full_design")
        && milliampHours(battery, "charge_full", "energy_full");
    return capacitiesInCharge ? QStringLiteral("IOSMBusController") : QStringLiteral("AppleSMC");
}

Value::Dictionary powerSourceDescription(
    const Supply &battery, const SysfsAttributes &a, const std::vector<SysfsAttributes> &adapters)
{
    namespace ps = platform::powersource;
    Value::Dictionary d;
    d[QLatin1String(ps::kName)] = Value(battery.name);

    // Without any adapter supply (some machines have none) the battery's own status tells whether
    // it is fed from outside.
    const QString s = status(a);
    bool external = false;
    if (!adapters.empty()) {
        for (const SysfsAttributes &adapter : adapters)
            external = external || adapter.integer(QStringLiteral("online")).value_or(0) > 0;
    } else {
        external = s == kCharging || s == kFull || s == kNotCharging;
    }
    d[QLatin1String(ps::kPowerSourceState)] = Value(QLatin1String(external ? ps::kACPower : ps::kBatteryPower));

    // A battery that holds more than its last full estimate is full, not above it.
    auto percent = capacity(a);
    if (!percent) {
        percent = percentOf(amount(a, QStringLiteral("now")), amount(a, QStringLiteral("full")));
        if (percent)
            percent = std::min<qint64>(*percent, 100);
    }
    if (percent)
        d[QLatin1String(ps::kCurrentCapacity)] = Value(*percent);
    // The full charge as a share of the design charge: what the battery still holds of what it was
    // made for.
    if (auto health = percentOf(amount(a, QStringLiteral("full")), amount(a, QStringLiteral("full_design"))))
        d[QLatin1String(ps::kMaxCapacity)] = Value(*health);

    // As the desktop's battery service reads them: a battery held at (or within a point of) full is
    // charged, whether the kernel calls it full, not charging (a charge limit at 100 %) or, on the
    // adapter, unknown; one held below full is on the adapter and neither charging nor charged.
    const bool atFull = percent && *percent >= 99;
    const bool charged = s == kFull || (atFull && (s == kNotCharging || (s == kUnknown && external)));
    d[QLatin1String(ps::kIsCharging)] = Value(s == kCharging);
    d[QLatin1String(ps::kIsCharged)] = Value(charged);
    if (const auto minutes = timeToEmpty(a, external))
        d[QLatin1String(ps::kTimeToEmpty)] = Value(*minutes);
    if (const auto minutes = timeToFull(a))
        d[QLatin1String(ps::kTimeToFullCharge)] = Value(*minutes);
    if (auto watts = adapterWatts(adapters))
        d[QLatin1String(ps::kWatts)] = Value(*watts);
    if (auto health = batteryHealth(a))
        d[QLatin1String(ps::kBatteryHealth)] = Value(*health);
    return d;
}

std::optional<qint64> capacity(const SysfsAttributes &a)
{
    const auto percent = a.integer(QStringLiteral("capacity"));
    if (!percent || *percent < 0 || *percent > 100)
        return std::nullopt;
    return percent;
}

std::optional<Value> batteryPercent(const SysfsAttributes &a) { return value(capacity(a)); }

std::optional<Value> transport(const SysfsAttributes &a, const std::optional<HidDevice> &hid)
{
    if (!hid)
        return std::nullopt;
    // What the accessory records make of "USB" is that the device charges: the kernel's status says
    // whether it does. A device on the USB bus that does not charge is one behind its own receiver.
    const QString s = status(a);
    if (s == kCharging || s == kFull)
        return Value(QStringLiteral("USB"));
    const QString bus = hid->transport();
    return Value(bus == QLatin1String("USB") ? QStringLiteral("Wireless") : bus);
}

std::optional<HidDevice> hidDeviceOf(const Supply &supply)
{
    return HidDevice::at(supply.path + QStringLiteral("/device"));
}

Value::Dictionary hidEventServiceProperties(
    const Supply &supply, const SysfsAttributes &a, const std::optional<HidDevice> &hid)
{
    Value::Dictionary p;

    // The kernel names a HID battery after the device's uniq (its Bluetooth address, or a serial
    // number) and falls back to the device's own name when the uniq is empty.
    const QLatin1String prefix("hid-");
    const QLatin1String suffix("-battery");
    QString address;
    if (supply.name.size() > prefix.size() + suffix.size() && supply.name.startsWith(prefix)
        && supply.name.endsWith(suffix))
        address = supply.name.mid(prefix.size(), supply.name.size() - prefix.size() - suffix.size());
    else if (hid && !hid->uniq().isEmpty())
        address = hid->uniq();
    else
        address = a.text(QStringLiteral("serial_number")).value_or(supply.name);
    p[QStringLiteral("DeviceAddress")] = Value(address);

    if (auto percent = batteryPercent(a))
        p[QString::fromLatin1(kBatteryPercent)] = std::move(*percent);
    if (auto product = a.text(QStringLiteral("model_name")))
        p[QStringLiteral("Product")] = Value(*product);
    else if (hid && !hid->name().isEmpty())
        p[QStringLiteral("Product")] = Value(hid->name());
    if (auto how = transport(a, hid))
        p[QString::fromLatin1(kTransport)] = std::move(*how);
    if (hid) {
        p[QStringLiteral("VendorID")] = Value(static_cast<qint64>(hid->vendorId()));
        p[QStringLiteral("ProductID")] = Value(static_cast<qint64>(hid->productId()));
    }
    return p;
}

} // namespace platform::powersupply

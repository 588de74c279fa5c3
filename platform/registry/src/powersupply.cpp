#include "platform/registry/powersources.h"
#include "powersupply_p.h"

#include <QFile>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <cstdlib>

#include <dirent.h>
#include <sys/stat.h>

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
        // Some drivers sign the current (negative while discharging) and report an unknown status.
        const QString s = status(a);
        return s == QLatin1String("Discharging")
            || (rawCurrent && *rawCurrent < 0 && s != QLatin1String("Charging") && s != QLatin1String("Full"));
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
        { "Temperature",
            [](const SysfsAttributes &a) {
                return value(times(a.integer(QStringLiteral("temp")), 10));
            } },
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

    std::optional<qint64> timeToEmpty(const SysfsAttributes &a)
    {
        if (!isDischarging(a, a.integer(QStringLiteral("current_now"))))
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
        if (status(a) != QLatin1String("Charging"))
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
{
}

const QStringList &SupplyDirectory::fixedAttributes()
{
    static const QStringList names { QStringLiteral("charge_full_design"), QStringLiteral("energy_full_design"),
        QStringLiteral("voltage_min_design"), QStringLiteral("serial_number"), QStringLiteral("manufacturer"),
        QStringLiteral("model_name"), QStringLiteral("manufacture_year"), QStringLiteral("manufacture_month"),
        QStringLiteral("manufacture_day") };
    return names;
}

SupplyDirectory::Listing SupplyDirectory::current()
{
    const QString folder = m_root + QStringLiteral("/class/power_supply");
    QStringList names;
    if (DIR *dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                names << QFile::decodeName(entry->d_name);
        }
        ::closedir(dir);
    }
    names.sort();

    Listing out;
    QHash<QString, Known> stillThere;
    for (const QString &name : std::as_const(names)) {
        Supply supply { name, folder + QLatin1Char('/') + name };
        const auto id = fileIdOf(supply.path);
        if (!id)
            continue; // a dangling link, or gone since the listing
        Known known;
        if (const auto it = m_known.find(name); it != m_known.end() && it->id == *id) {
            known = std::move(*it);
        } else {
            const SysfsAttributes a(supply.path);
            known = { *id, a.text(kType).value_or(QString()), a.text(kScope).value_or(QString()), {} };
        }
        const bool deviceScoped = known.scope == QLatin1String("Device");
        if (deviceScoped) {
            out.deviceBatteries.push_back(supply);
        } else if (known.type == QLatin1String("Battery")) {
            // A battery bay that is empty keeps its supply with present 0.
            if (!out.systemBattery && SysfsAttributes(supply.path).integer(QStringLiteral("present")).value_or(1) != 0)
                out.systemBattery = supply;
        } else if (known.type == QLatin1String("Mains") || known.type.startsWith(QLatin1String("USB"))) {
            // Older kernels name each USB charger kind as its own type (USB_C, USB_PD, USB_DCP, ...).
            out.adapters.push_back(supply);
        }
        stillThere.insert(name, std::move(known));
    }
    m_known = std::move(stillThere);
    return out;
}

SysfsAttributes SupplyDirectory::attributes(const Supply &supply) const
{
    SysfsAttributes a(supply.path);
    if (const auto it = m_known.constFind(supply.name); it != m_known.constEnd()) {
        a.preset(kType, it->type.isEmpty() ? std::nullopt : std::optional<QString>(it->type));
        a.preset(kScope, it->scope.isEmpty() ? std::nullopt : std::optional<QString>(it->scope));
        for (auto f = it->fixed.constBegin(); f != it->fixed.constEnd(); ++f)
            a.preset(f.key(), f.value());
    }
    return a;
}

void SupplyDirectory::remember(const Supply &supply, const SysfsAttributes &attributes)
{
    const auto it = m_known.find(supply.name);
    if (it == m_known.end())
        return;
    for (const QString &name : fixedAttributes()) {
        if (const auto text = attributes.known(name))
            it->fixed.insert(name, *text);
    }
}

std::optional<FileId> SupplyDirectory::idOf(const Supply &supply) const
{
    const auto it = m_known.constFind(supply.name);
    return it == m_known.constEnd() ? std::nullopt : std::optional<FileId>(it->id);
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
    bool external = false;
    if (!adapters.empty()) {
        for (const SysfsAttributes &adapter : adapters)
            external = external || adapter.integer(QStringLiteral("online")).value_or(0) > 0;
    } else {
        const QString s = status(a);
        external = s == QLatin1String("Charging") || s == QLatin1String("Full") || s == QLatin1String("Not charging");
    }
    d[QLatin1String(ps::kPowerSourceState)] = Value(QLatin1String(external ? ps::kACPower : ps::kBatteryPower));

    auto percent = a.integer(QStringLiteral("capacity"));
    if (!percent)
        percent = percentOf(amount(a, QStringLiteral("now")), amount(a, QStringLiteral("full")));
    if (percent)
        d[QLatin1String(ps::kCurrentCapacity)] = Value(*percent);
    // The full charge as a share of the design charge: what the battery still holds of what it was
    // made for.
    if (auto health = percentOf(amount(a, QStringLiteral("full")), amount(a, QStringLiteral("full_design"))))
        d[QLatin1String(ps::kMaxCapacity)] = Value(*health);

    d[QLatin1String(ps::kIsCharging)] = Value(status(a) == QLatin1String("Charging"));
    d[QLatin1String(ps::kIsCharged)] = Value(status(a) == QLatin1String("Full"));
    if (const auto minutes = timeToEmpty(a))
        d[QLatin1String(ps::kTimeToEmpty)] = Value(*minutes);
    if (const auto minutes = timeToFull(a))
        d[QLatin1String(ps::kTimeToFullCharge)] = Value(*minutes);
    if (auto watts = adapterWatts(adapters))
        d[QLatin1String(ps::kWatts)] = Value(*watts);
    if (auto health = batteryHealth(a))
        d[QLatin1String(ps::kBatteryHealth)] = Value(*health);
    return d;
}

std::optional<Value> batteryPercent(const SysfsAttributes &a) { return value(a.integer(QStringLiteral("capacity"))); }

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
    static const QRegularExpression hidBattery(QStringLiteral("^hid-(.+)-battery$"));
    QString address;
    if (const auto match = hidBattery.match(supply.name); match.hasMatch())
        address = match.captured(1);
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
    if (hid) {
        p[QStringLiteral("Transport")] = Value(hid->transport());
        p[QStringLiteral("VendorID")] = Value(static_cast<qint64>(hid->vendorId()));
        p[QStringLiteral("ProductID")] = Value(static_cast<qint64>(hid->productId()));
    }
    return p;
}

} // namespace platform::powersupply

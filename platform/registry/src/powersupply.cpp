#include "platform/registry/powersources.h"
#include "powersupply_p.h"

#include <QDir>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <cstdlib>

namespace platform::powersupply {

namespace {
    const QString kType = QStringLiteral("type");
    const QString kScope = QStringLiteral("scope");
    const QString kStatus = QStringLiteral("status");

    bool isDeviceScoped(const SysfsAttributes &a) { return a.text(kScope) == QLatin1String("Device"); }

    bool isSystemBattery(const SysfsAttributes &a)
    {
        // A battery bay that is empty keeps its supply with present 0.
        return a.text(kType) == QLatin1String("Battery") && !isDeviceScoped(a)
            && a.integer(QStringLiteral("present")).value_or(1) != 0;
    }

    bool isAdapter(const SysfsAttributes &a)
    {
        // Older kernels name each USB charger kind as its own type (USB_C, USB_PD, USB_DCP, ...).
        const QString type = a.text(kType).value_or(QString());
        return (type == QLatin1String("Mains") || type.startsWith(QLatin1String("USB"))) && !isDeviceScoped(a);
    }

    std::vector<Supply> supplies(const QString &root, bool (*accept)(const SysfsAttributes &))
    {
        std::vector<Supply> out;
        for (Supply &s : powersupply::supplies(root)) {
            if (accept(SysfsAttributes(s.path)))
                out.push_back(std::move(s));
        }
        return out;
    }

    std::optional<Value> value(std::optional<qint64> n) { return n ? std::optional<Value>(Value(*n)) : std::nullopt; }

    std::optional<Value> value(std::optional<QString> text)
    {
        return text ? std::optional<Value>(Value(*text)) : std::nullopt;
    }

    std::optional<qint64> nonNegative(std::optional<qint64> n) { return n && *n >= 0 ? n : std::nullopt; }

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
            return std::llround(double(*microampHours) / 1000.0);
        const auto microwattHours = nonNegative(a.integer(QLatin1String(energy)));
        const auto microvolts = conversionVoltage(a);
        if (!microwattHours || !microvolts)
            return std::nullopt;
        return std::llround(double(*microwattHours) / double(*microvolts) * 1000.0);
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
        return std::llround(double(*part) / double(*whole) * 100.0);
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
        if (!milliamps)
            return std::nullopt;
        const qint64 magnitude = std::llround(*milliamps);
        return Value(isDischarging(a, microamps) ? -magnitude : magnitude);
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
                return value(
                    microvolts ? std::optional<qint64>(std::llround(double(*microvolts) / 1000.0)) : std::nullopt);
            } },
        { "Amperage", amperage },
        { "Temperature",
            [](const SysfsAttributes &a) {
                const auto tenths = a.integer(QStringLiteral("temp"));
                return value(tenths ? std::optional<qint64>(*tenths * 10) : std::nullopt);
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
        if (!a || !b)
            return std::nullopt;
        return std::max<qint64>(0, *a - *b);
    }

    // Minutes, as the power source states them: 0 when the battery is not going that way, -1 while no
    // estimate can be made (no rate, or a rate of 0).
    qint64 timeToEmpty(const SysfsAttributes &a)
    {
        if (!isDischarging(a, a.integer(QStringLiteral("current_now"))))
            return 0;
        if (const auto seconds = a.integer(QStringLiteral("time_to_empty_now")); seconds && *seconds > 0)
            return *seconds / 60;
        auto hours = hoursAt(a.integer(QStringLiteral("energy_now")), a.integer(QStringLiteral("power_now")));
        if (!hours)
            hours = hoursAt(a.integer(QStringLiteral("charge_now")), a.integer(QStringLiteral("current_now")));
        return hours ? static_cast<qint64>(*hours * 60.0) : -1;
    }

    qint64 timeToFull(const SysfsAttributes &a)
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
        return hours ? static_cast<qint64>(*hours * 60.0) : -1;
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
            const qint64 watts = std::llround(double(*microvolts) * double(*microamps) / 1e12);
            if (!best || watts > *best)
                best = watts;
        }
        return best;
    }
}

std::vector<Supply> supplies(const QString &root)
{
    const QDir dir(root + QStringLiteral("/class/power_supply"));
    std::vector<Supply> out;
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    out.reserve(names.size());
    for (const QString &name : names)
        out.push_back({ name, dir.filePath(name) });
    return out;
}

std::optional<Supply> systemBattery(const QString &root)
{
    for (Supply &s : supplies(root)) {
        if (isSystemBattery(SysfsAttributes(s.path)))
            return std::move(s);
    }
    return std::nullopt;
}

std::vector<Supply> deviceBatteries(const QString &root) { return supplies(root, isDeviceScoped); }

std::vector<Supply> adapters(const QString &root) { return supplies(root, isAdapter); }

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
    d[QLatin1String(ps::kTimeToEmpty)] = Value(timeToEmpty(a));
    d[QLatin1String(ps::kTimeToFullCharge)] = Value(timeToFull(a));
    if (auto watts = adapterWatts(adapters))
        d[QLatin1String(ps::kWatts)] = Value(*watts);
    if (auto health = batteryHealth(a))
        d[QLatin1String(ps::kBatteryHealth)] = Value(*health);
    return d;
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
    static const QRegularExpression hidBattery(QStringLiteral("^hid-(.+)-battery$"));
    QString address;
    if (const auto match = hidBattery.match(supply.name); match.hasMatch())
        address = match.captured(1);
    else if (hid && !hid->uniq().isEmpty())
        address = hid->uniq();
    else
        address = a.text(QStringLiteral("serial_number")).value_or(supply.name);
    p[QStringLiteral("DeviceAddress")] = Value(address);

    if (const auto percent = a.integer(QStringLiteral("capacity")))
        p[QStringLiteral("BatteryPercent")] = Value(*percent);
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

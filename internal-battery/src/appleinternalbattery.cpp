#include "ammerl/appleinternalbattery.h"

#include "batterykeys_p.h"
#include "dictionaryreads_p.h"

#include "platform/core/coding.h"

#include <algorithm>

namespace ammerl {

using platform::Value;
namespace ps = platform::powersource;

AppleInternalBattery::AppleInternalBattery(const platform::RegistryEntry &entry, platform::PowerSources &sources)
{
    update(entry, sources);
}

void AppleInternalBattery::update(const platform::RegistryEntry &entry, platform::PowerSources &sources)
{
    if (!entry.isValid())
        return;

    forEachPowerSource(sources, [this](const Value::Dictionary &description) {
        readPowerSource(description);
        setCurrentCapacity(detail::integer(description, QString::fromLatin1(ps::kCurrentCapacity)));
        setMaxCapacity(detail::integer(description, QString::fromLatin1(ps::kMaxCapacity)));
    });

    setSerial(IOKitHelper::stringProperty(entry, key::kSerial));
    setDesignCapacity(IOKitHelper::intProperty(entry, key::kAppleRawMaxCapacity));
    setCycleCount(IOKitHelper::intProperty(entry, key::kCycleCount));
    setDesignCycleCount(IOKitHelper::intProperty(entry, key::kDesignCycleCount));
    setAmperage(IOKitHelper::intProperty(entry, key::kAmperage));
    if (auto millivolts = IOKitHelper::doubleProperty(entry, key::kVoltage))
        setVoltage(*millivolts / 1000.0);
    else
        setVoltage(std::nullopt);
    setTemperature(IOKitHelper::temperature(entry));
    if (!designCapacity())
        setDesignCapacity(IOKitHelper::intProperty(entry, key::kDesignCapacity));
    setAverageTimeToEmpty(IOKitHelper::intProperty(entry, key::kAvgTimeToEmpty));

    if (auto charger = IOKitHelper::dictionaryProperty(entry, key::kChargerData))
        setChargerData(ChargerData(*charger));
    if (auto adapters = IOKitHelper::arrayProperty(entry, key::kAppleRawAdapterDetails);
        adapters && !adapters->empty()) {
        if (const auto *first = adapters->front().toDictionary())
            setAdapter(AdapterDetails(*first));
    }
    if (auto batteryData = IOKitHelper::dictionaryProperty(entry, key::kBatteryData)) {
        if (const auto *lifetime = detail::member(*batteryData, key::kLifetimeData)) {
            if (const auto *dictionary = lifetime->toDictionary())
                setLifetimeData(LifetimeData(*dictionary));
        }
        if (const auto *cells = detail::member(*batteryData, key::kCellVoltage); cells && cells->isArray()) {
            const auto &array = *cells->toArray();
            const bool allNumbers
                = std::all_of(array.begin(), array.end(), [](const Value &v) { return v.isNumber(); });
            if (allNumbers) {
                std::vector<float> volts;
                volts.reserve(array.size());
                for (const Value &millivolts : array)
                    volts.push_back(static_cast<float>(*millivolts.toDouble()) / 1000.0f);
                setCellVoltages(std::move(volts));
            }
        }
    }
    setManufactureDate(IOKitHelper::manufactureDate(entry));
    if (auto maker = IOKitHelper::stringProperty(entry, key::kManufacturer))
        setManufacturer(maker);

    computeWatts();
}

QString AppleInternalBattery::maxCapacityText() const
{
    return capacityText(maxCapacity(), "%lld %%");
}

QString AppleInternalBattery::currentCapacityText() const
{
    return capacityText(currentCapacity(), "%lld %%");
}

std::optional<double> AppleInternalBattery::health() const
{
    if (!maxCapacity())
        return std::nullopt;
    return static_cast<double>(*maxCapacity());
}

std::optional<std::int64_t> AppleInternalBattery::charge() const
{
    return currentCapacity();
}

platform::Value AppleInternalBattery::encode() const
{
    platform::KeyedEncoder e;
    encodeFields(e);
    return e.value();
}

AppleInternalBattery AppleInternalBattery::decode(const platform::Value &value)
{
    const platform::KeyedDecoder d(value);
    AppleInternalBattery battery;
    battery.decodeFields(d);
    return battery;
}

AppleInternalBattery AppleInternalBattery::sample(bool charging, bool charged, std::int64_t currentCapacity)
{
    AppleInternalBattery b;
    b.setDesignCapacity(100);
    b.setMaxCapacity(100);
    b.setCurrentCapacity(currentCapacity);
    b.setTemperature(45.0);
    b.setAmperage(2000);
    b.setVoltage(24.0);
    b.setWatts(48.0);
    b.setCondition(BatteryCondition::fair);
    b.setTimeToFull(100);
    b.setTimeToEmpty(100);
    b.setConnectedPowerSupply(charging ? std::optional<std::int64_t>(100) : std::nullopt);
    b.setAcPowered(charging);
    b.setCharging(charging);
    b.setCharged(charged);
    b.setManufacturer(QStringLiteral("SMP"));
    b.setManufactureDate(QDateTime::fromSecsSinceEpoch(1533124800, Qt::UTC));
    b.setDesignCycleCount(1000);
    b.setCycleCount(965);
    return b;
}

AppleInternalBattery AppleInternalBattery::makeSample(bool charging, bool charged)
{
    return sample(charging, charged, 100);
}

AppleInternalBattery AppleInternalBattery::sampleCharging()
{
    return makeSample(true, false);
}

AppleInternalBattery AppleInternalBattery::sampleCharged()
{
    return makeSample(false, true);
}

} // namespace ammerl

#include "ammerl/legacyinternalbattery.h"

#include "batterykeys_p.h"
#include "dictionaryreads_p.h"

#include "platform/core/coding.h"

#include <cmath>

namespace ammerl {

using platform::Value;
namespace ps = platform::powersource;

namespace {
    // A percentage that is a number and fits the integer it is given as; anything else is no value.
    std::optional<std::int64_t> roundedPercent(double percent)
    {
        const double rounded = std::round(percent);
        if (!std::isfinite(rounded) || rounded < -9.2e18 || rounded > 9.2e18)
            return std::nullopt;
        return static_cast<std::int64_t>(rounded);
    }
}

LegacyInternalBattery::LegacyInternalBattery(const platform::RegistryEntry &entry, platform::PowerSources &sources)
{
    update(entry, sources);
}

void LegacyInternalBattery::update(const platform::RegistryEntry &entry, platform::PowerSources &sources)
{
    if (!entry.isValid())
        return;

    forEachPowerSource(sources, [this](const Value::Dictionary &description) {
        readPowerSource(description);
        m_internalCharge = detail::integer(description, QString::fromLatin1(ps::kCurrentCapacity));
    });

    setDesignCapacity(IOKitHelper::intProperty(entry, key::kDesignCapacity));
    auto current = IOKitHelper::intProperty(entry, key::kCurrentCapacity);
    setCurrentCapacity(current ? current : IOKitHelper::intProperty(entry, key::kAppleRawCurrentCapacity));
    auto max = IOKitHelper::intProperty(entry, key::kMaxCapacity);
    setMaxCapacity(max ? max : IOKitHelper::intProperty(entry, key::kAppleRawMaxCapacity));
    setCycleCount(IOKitHelper::intProperty(entry, key::kCycleCount));
    setDesignCycleCount(IOKitHelper::intProperty(entry, key::kDesignCycleCount));
    setAmperage(IOKitHelper::intProperty(entry, key::kAmperage));
    if (auto millivolts = IOKitHelper::doubleProperty(entry, key::kVoltage))
        setVoltage(*millivolts / 1000.0);
    else
        setVoltage(std::nullopt);
    setTemperature(IOKitHelper::temperature(entry));
    setManufacturer(IOKitHelper::stringProperty(entry, key::kManufacturer));
    setManufactureDate(IOKitHelper::manufactureDate(entry));

    computeWatts();
}

QString LegacyInternalBattery::maxCapacityText() const
{
    return capacityText(maxCapacity(), "%lld mAh");
}

QString LegacyInternalBattery::currentCapacityText() const
{
    return capacityText(currentCapacity(), "%lld mAh");
}

std::optional<double> LegacyInternalBattery::health() const
{
    // A design capacity of 0 would make the quotient infinite or NaN, which no page can show.
    if (!maxCapacity() || !designCapacity() || *designCapacity() == 0)
        return std::nullopt;
    return static_cast<double>(*maxCapacity()) / static_cast<double>(*designCapacity()) * 100.0;
}

std::optional<std::int64_t> LegacyInternalBattery::charge() const
{
    if (isCharged().value_or(false))
        return 100;
    if (m_internalCharge)
        return m_internalCharge;
    if (!currentCapacity() || !maxCapacity() || *maxCapacity() == 0)
        return std::nullopt;
    return roundedPercent(static_cast<double>(*currentCapacity()) / static_cast<double>(*maxCapacity()) * 100.0);
}

platform::Value LegacyInternalBattery::encode() const
{
    platform::KeyedEncoder e;
    e.setIfPresent(QStringLiteral("internalCharge"), m_internalCharge);
    encodeFields(e);
    return e.value();
}

LegacyInternalBattery LegacyInternalBattery::decode(const platform::Value &value)
{
    const platform::KeyedDecoder d(value);
    LegacyInternalBattery battery;
    battery.m_internalCharge = d.decodeIntegerIfPresent(QStringLiteral("internalCharge"));
    battery.decodeFields(d);
    return battery;
}

LegacyInternalBattery LegacyInternalBattery::makeSample(bool charging, bool charged)
{
    LegacyInternalBattery b;
    b.setDesignCapacity(7150);
    b.setMaxCapacity(6053);
    b.setCurrentCapacity(5069);
    b.setTemperature(29.2);
    b.setAmperage(924);
    b.setVoltage(8.01);
    b.setWatts(7.4);
    b.setCondition(BatteryCondition::fair);
    b.setTimeToFull(100);
    b.setTimeToEmpty(100);
    b.setConnectedPowerSupply(charging ? std::optional<std::int64_t>(100) : std::nullopt);
    b.setAcPowered(charging);
    b.setCharging(charging);
    b.setCharged(charged);
    b.setManufacturer(QStringLiteral("DP"));
    b.setManufactureDate(QDateTime::fromSecsSinceEpoch(1533124800, Qt::UTC));
    b.setDesignCycleCount(1000);
    b.setCycleCount(256);
    return b;
}

LegacyInternalBattery LegacyInternalBattery::sampleCharging()
{
    return makeSample(true, false);
}

LegacyInternalBattery LegacyInternalBattery::sampleCharged()
{
    return makeSample(false, true);
}

} // namespace ammerl

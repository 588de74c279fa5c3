#include "ammerl/lifetimedata.h"

#include "dictionaryreads_p.h"

#include "platform/core/coding.h"

namespace ammerl {

using namespace detail;

LifetimeData::LifetimeData(const platform::Value::Dictionary &dictionary)
{
    load(dictionary);
}

void LifetimeData::load(const platform::Value::Dictionary &dictionary)
{
    assignIfFound(updateTime, truncated<std::uint64_t>(dictionary, QStringLiteral("UpdateTime")));
    assignIfFound(averageTemperature, truncated<std::int64_t>(dictionary, QStringLiteral("AverageTemperature")));
    assignIfFound(cycleCountLastQmax, truncated<std::int64_t>(dictionary, QStringLiteral("CycleCountLastQmax")));
    assignIfFound(
        maximumChargeCurrent, truncated<std::uint32_t>(dictionary, QStringLiteral("MaximumChargeCurrent")));
    assignIfFound(
        maximumDischargeCurrent, truncated<std::int32_t>(dictionary, QStringLiteral("MaximumDischargeCurrent")));
    assignIfFound(maximumPackVoltage, truncated<std::uint32_t>(dictionary, QStringLiteral("MaximumPackVoltage")));
    assignIfFound(maximumTemperature, truncated<std::int8_t>(dictionary, QStringLiteral("MaximumTemperature")));
    assignIfFound(minimumPackVoltage, truncated<std::uint32_t>(dictionary, QStringLiteral("MinimumPackVoltage")));
    assignIfFound(minimumTemperature, truncated<std::int8_t>(dictionary, QStringLiteral("MinimumTemperature")));
}

platform::Value LifetimeData::encode() const
{
    platform::KeyedEncoder e;
    e.setIfPresent(QStringLiteral("updateTime"), updateTime);
    e.setIfPresent(QStringLiteral("averageTemperature"), averageTemperature);
    e.setIfPresent(QStringLiteral("cycleCountLastQmax"), cycleCountLastQmax);
    e.setIfPresent(QStringLiteral("maximumChargeCurrent"), maximumChargeCurrent);
    e.setIfPresent(QStringLiteral("maximumDischargeCurrent"), maximumDischargeCurrent);
    e.setIfPresent(QStringLiteral("maximumPackVoltage"), maximumPackVoltage);
    e.setIfPresent(QStringLiteral("maximumTemperature"), maximumTemperature);
    e.setIfPresent(QStringLiteral("minimumPackVoltage"), minimumPackVoltage);
    e.setIfPresent(QStringLiteral("minimumTemperature"), minimumTemperature);
    return e.value();
}

LifetimeData LifetimeData::decode(const platform::Value &value)
{
    const platform::KeyedDecoder d(value);
    LifetimeData l;
    l.updateTime = d.decodeExactIfPresent<std::uint64_t>(QStringLiteral("updateTime"));
    l.averageTemperature = d.decodeExactIfPresent<std::int64_t>(QStringLiteral("averageTemperature"));
    l.cycleCountLastQmax = d.decodeExactIfPresent<std::int64_t>(QStringLiteral("cycleCountLastQmax"));
    l.maximumChargeCurrent = d.decodeExactIfPresent<std::uint32_t>(QStringLiteral("maximumChargeCurrent"));
    l.maximumDischargeCurrent = d.decodeExactIfPresent<std::int32_t>(QStringLiteral("maximumDischargeCurrent"));
    l.maximumPackVoltage = d.decodeExactIfPresent<std::uint32_t>(QStringLiteral("maximumPackVoltage"));
    l.maximumTemperature = d.decodeExactIfPresent<std::int8_t>(QStringLiteral("maximumTemperature"));
    l.minimumPackVoltage = d.decodeExactIfPresent<std::uint32_t>(QStringLiteral("minimumPackVoltage"));
    l.minimumTemperature = d.decodeExactIfPresent<std::int8_t>(QStringLiteral("minimumTemperature"));
    return l;
}

} // namespace ammerl

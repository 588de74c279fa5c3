#include "ammerl/internalbattery.h"

#include "dictionaryreads_p.h"

#include "platform/core/coding.h"
#include "platform/registry/powersources.h"

namespace ammerl {

using platform::Value;
using namespace detail;
namespace ps = platform::powersource;

void InternalBattery::forEachPowerSource(
    platform::PowerSources &sources, const std::function<void(const Value::Dictionary &)> &read)
{
    auto info = sources.copyInfo();
    if (!info)
        return;
    const Value list = sources.list(*info);
    const auto *array = list.toArray();
    if (!array)
        return;
    for (const Value &source : *array) {
        const Value description = sources.description(*info, source);
        if (const auto *dictionary = description.toDictionary())
            read(*dictionary);
    }
}

void InternalBattery::readPowerSource(const Value::Dictionary &d)
{
    m_name = text(d, QString::fromLatin1(ps::kName));
    m_timeToEmpty = integer(d, QString::fromLatin1(ps::kTimeToEmpty));
    m_timeToFull = integer(d, QString::fromLatin1(ps::kTimeToFullCharge));
    m_acPowered = text(d, QString::fromLatin1(ps::kPowerSourceState)) == QLatin1String(ps::kACPower);
    m_isCharging = integer(d, QString::fromLatin1(ps::kIsCharging)) == 1;
    m_isCharged = integer(d, QString::fromLatin1(ps::kIsCharged)) == 1;

    if (auto watts = integer(d, QString::fromLatin1(ps::kWatts))) {
        m_connectedPowerSupply = watts;
    } else if (auto adapter = member(d, QString::fromLatin1(ps::kAdapterDetails))) {
        if (const auto *details = adapter->toDictionary())
            assignIfFound(m_connectedPowerSupply, integer(*details, QString::fromLatin1(ps::kWatts)));
    }

    if (auto health = text(d, QString::fromLatin1(ps::kBatteryHealth)))
        assignIfFound(m_condition, batteryConditionFromHealth(*health));
}

void InternalBattery::computeWatts()
{
    if (!m_amperage || !m_voltage || !m_isCharging)
        return;
    const double watts = *m_voltage * static_cast<double>(*m_amperage) / 1000.0;
    m_watts = *m_isCharging ? watts : -watts;
}

QString InternalBattery::capacityText(std::optional<std::int64_t> value, const char *format)
{
    if (!value)
        return QStringLiteral("-");
    return QString::asprintf(format, static_cast<long long>(*value));
}

QString InternalBattery::designCapacityText() const
{
    return capacityText(m_designCapacity, "%lld mAh");
}

std::optional<std::int64_t> InternalBattery::timeRemaining() const
{
    if (!m_isCharging)
        return std::nullopt;
    return *m_isCharging ? m_timeToFull : m_timeToEmpty;
}

QString InternalBattery::timeRemainingText() const
{
    const auto minutes = timeRemaining();
    if (!minutes || *minutes <= 0)
        return QStringLiteral("-");
    return QString::asprintf(
        "%.2lld:%.2lld", static_cast<long long>(*minutes / 60), static_cast<long long>(*minutes % 60));
}

namespace {
    std::optional<std::int64_t> decodeInt(const platform::KeyedDecoder &d, const char *key)
    {
        return d.decodeIntegerIfPresent(QString::fromLatin1(key));
    }
}

void InternalBattery::encodeFields(platform::KeyedEncoder &e) const
{
    e.setIfPresent(QStringLiteral("name"), m_name);
    e.setIfPresent(QStringLiteral("serial"), m_serial);
    e.setIfPresent(QStringLiteral("timeToFull"), m_timeToFull);
    e.setIfPresent(QStringLiteral("timeToEmpty"), m_timeToEmpty);
    e.setIfPresent(QStringLiteral("averageTimeToEmpty"), m_averageTimeToEmpty);
    e.setIfPresent(QStringLiteral("manufacturer"), m_manufacturer);
    e.setIfPresent(QStringLiteral("manufactureDate"), m_manufactureDate);
    e.setIfPresent(QStringLiteral("currentCapacity"), m_currentCapacity);
    e.setIfPresent(QStringLiteral("maxCapacity"), m_maxCapacity);
    e.setIfPresent(QStringLiteral("designCapacity"), m_designCapacity);
    e.setIfPresent(QStringLiteral("connectedPowerSupply"), m_connectedPowerSupply);
    if (m_chargerData)
        e.set(QStringLiteral("chargerData"), m_chargerData->encode());
    if (m_lifetimeData)
        e.set(QStringLiteral("lifetimeData"), m_lifetimeData->encode());
    Value::Array cells;
    cells.reserve(m_cellVoltages.size());
    for (float volts : m_cellVoltages)
        cells.emplace_back(static_cast<double>(volts));
    e.set(QStringLiteral("cellVoltages"), Value(std::move(cells)));
    e.setIfPresent(QStringLiteral("cycleCount"), m_cycleCount);
    e.setIfPresent(QStringLiteral("designCycleCount"), m_designCycleCount);
    e.setIfPresent(QStringLiteral("acPowered"), m_acPowered);
    e.setIfPresent(QStringLiteral("isCharging"), m_isCharging);
    e.setIfPresent(QStringLiteral("isCharged"), m_isCharged);
    e.setIfPresent(QStringLiteral("amperage"), m_amperage);
    e.setIfPresent(QStringLiteral("voltage"), m_voltage);
    e.setIfPresent(QStringLiteral("watts"), m_watts);
    e.setIfPresent(QStringLiteral("temperature"), m_temperature);
    if (m_condition)
        e.set(QStringLiteral("condition"), Value(static_cast<int>(*m_condition)));
    if (m_adapter)
        e.set(QStringLiteral("adapter"), m_adapter->encode());
}

void InternalBattery::decodeFields(const platform::KeyedDecoder &d)
{
    m_name = d.decodeStringIfPresent(QStringLiteral("name"));
    m_serial = d.decodeStringIfPresent(QStringLiteral("serial"));
    m_timeToFull = decodeInt(d, "timeToFull");
    m_timeToEmpty = decodeInt(d, "timeToEmpty");
    m_averageTimeToEmpty = decodeInt(d, "averageTimeToEmpty");
    m_manufacturer = d.decodeStringIfPresent(QStringLiteral("manufacturer"));
    m_manufactureDate = d.decodeDateIfPresent(QStringLiteral("manufactureDate"));
    m_currentCapacity = decodeInt(d, "currentCapacity");
    m_maxCapacity = decodeInt(d, "maxCapacity");
    m_designCapacity = decodeInt(d, "designCapacity");
    m_connectedPowerSupply = decodeInt(d, "connectedPowerSupply");
    const QString charger = QStringLiteral("chargerData");
    m_chargerData = d.contains(charger) && !d.isNull(charger)
        ? std::optional(ChargerData::decode(d.decodeValue(charger)))
        : std::nullopt;
    const QString lifetime = QStringLiteral("lifetimeData");
    m_lifetimeData = d.contains(lifetime) && !d.isNull(lifetime)
        ? std::optional(LifetimeData::decode(d.decodeValue(lifetime)))
        : std::nullopt;

    const Value &cells = d.decodeValue(QStringLiteral("cellVoltages"));
    const auto *array = cells.toArray();
    if (!array)
        throw platform::DecodingError(QStringLiteral("\"cellVoltages\" must be an array, found %1")
                                          .arg(QString::fromLatin1(platform::typeName(cells.type()))));
    std::vector<float> volts;
    volts.reserve(array->size());
    for (const Value &cell : *array) {
        if (!cell.isInteger() && !cell.isReal())
            throw platform::DecodingError(
                QStringLiteral("\"cellVoltages\" holds a non-number: %1").arg(cell.debugText()));
        volts.push_back(static_cast<float>(*cell.toDouble()));
    }
    m_cellVoltages = std::move(volts);

    m_cycleCount = decodeInt(d, "cycleCount");
    m_designCycleCount = decodeInt(d, "designCycleCount");
    m_acPowered = d.decodeBoolIfPresent(QStringLiteral("acPowered"));
    m_isCharging = d.decodeBoolIfPresent(QStringLiteral("isCharging"));
    m_isCharged = d.decodeBoolIfPresent(QStringLiteral("isCharged"));
    m_amperage = decodeInt(d, "amperage");
    m_voltage = d.decodeDoubleIfPresent(QStringLiteral("voltage"));
    m_watts = d.decodeDoubleIfPresent(QStringLiteral("watts"));
    m_temperature = d.decodeDoubleIfPresent(QStringLiteral("temperature"));
    if (auto raw = decodeInt(d, "condition")) {
        m_condition = batteryConditionFromRaw(*raw);
        if (!m_condition)
            throw platform::DecodingError(QStringLiteral("\"condition\" is not a battery condition: %1").arg(*raw));
    } else {
        m_condition.reset();
    }
    const QString adapter = QStringLiteral("adapter");
    m_adapter = d.contains(adapter) && !d.isNull(adapter)
        ? std::optional(AdapterDetails::decode(d.decodeValue(adapter)))
        : std::nullopt;
}

} // namespace ammerl

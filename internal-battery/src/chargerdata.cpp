#include "ammerl/chargerdata.h"

#include "dictionaryreads_p.h"

#include "platform/core/coding.h"

namespace ammerl {

using namespace detail;

ChargerData::ChargerData(const platform::Value::Dictionary &dictionary)
{
    load(dictionary);
}

void ChargerData::load(const platform::Value::Dictionary &dictionary)
{
    if (auto millivolts = number(dictionary, QStringLiteral("ChargingVoltage")))
        chargingVoltage = *millivolts / 1000.0;
    if (auto millivolts = number(dictionary, QStringLiteral("VacVoltageLimit")))
        vacVoltageLimit = *millivolts / 1000.0;
    assignIfFound(chargingCurrent, number(dictionary, QStringLiteral("ChargingCurrent")));
}

platform::Value ChargerData::encode() const
{
    platform::KeyedEncoder e;
    e.setIfPresent(QStringLiteral("chargingVoltage"), chargingVoltage);
    e.setIfPresent(QStringLiteral("vacVoltageLimit"), vacVoltageLimit);
    e.setIfPresent(QStringLiteral("chargingCurrent"), chargingCurrent);
    return e.value();
}

ChargerData ChargerData::decode(const platform::Value &value)
{
    const platform::KeyedDecoder d(value);
    ChargerData c;
    c.chargingVoltage = d.decodeDoubleIfPresent(QStringLiteral("chargingVoltage"));
    c.vacVoltageLimit = d.decodeDoubleIfPresent(QStringLiteral("vacVoltageLimit"));
    c.chargingCurrent = d.decodeDoubleIfPresent(QStringLiteral("chargingCurrent"));
    return c;
}

} // namespace ammerl

#include "ammerl/adapterdetails.h"

#include "dictionaryreads_p.h"

#include "platform/core/coding.h"

namespace ammerl {

using namespace detail;

AdapterDetails::AdapterDetails(const platform::Value::Dictionary &dictionary)
    : serial(text(dictionary, QStringLiteral("SerialString")))
    , watts(integer(dictionary, QStringLiteral("Watts")))
    , description(text(dictionary, QStringLiteral("Description")))
    , name(text(dictionary, QStringLiteral("Name")))
    , isWireless(flag(dictionary, QStringLiteral("IsWireless")))
    , hwVersion(text(dictionary, QStringLiteral("HwVersion")))
    , manufacturer(text(dictionary, QStringLiteral("Manufacturer")))
{
    if (auto millivolts = number(dictionary, QStringLiteral("AdapterVoltage")))
        voltage = static_cast<float>(*millivolts) / 1000.0f;
}

platform::Value AdapterDetails::encode() const
{
    platform::KeyedEncoder e;
    e.setIfPresent(QStringLiteral("serial"), serial);
    e.setIfPresent(QStringLiteral("watts"), watts);
    e.setIfPresent(QStringLiteral("description"), description);
    e.setIfPresent(QStringLiteral("name"), name);
    e.setIfPresent(QStringLiteral("voltage"), voltage);
    e.setIfPresent(QStringLiteral("isWireless"), isWireless);
    e.setIfPresent(QStringLiteral("hwVersion"), hwVersion);
    e.setIfPresent(QStringLiteral("manufacturer"), manufacturer);
    return e.value();
}

AdapterDetails AdapterDetails::decode(const platform::Value &value)
{
    const platform::KeyedDecoder d(value);
    AdapterDetails a;
    a.serial = d.decodeStringIfPresent(QStringLiteral("serial"));
    a.watts = d.decodeIntegerIfPresent(QStringLiteral("watts"));
    a.description = d.decodeStringIfPresent(QStringLiteral("description"));
    a.name = d.decodeStringIfPresent(QStringLiteral("name"));
    if (auto v = d.decodeDoubleIfPresent(QStringLiteral("voltage")))
        a.voltage = static_cast<float>(*v);
    a.isWireless = d.decodeBoolIfPresent(QStringLiteral("isWireless"));
    a.hwVersion = d.decodeStringIfPresent(QStringLiteral("hwVersion"));
    a.manufacturer = d.decodeStringIfPresent(QStringLiteral("manufacturer"));
    return a;
}

} // namespace ammerl

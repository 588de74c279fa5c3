#pragma once

// The five lists a helper stores, shared by the store tests and the stand-in helper program. The
// device records are decoded, not constructed, so that nothing here needs a resource bundle.

#include "dorsk/ihelperdatamodel.h"
#include "platform/core/value.h"

namespace dorsktest {

using platform::Value;

inline QList<dorsk::Sensor> sampleSensors()
{
    return { { "TC0P", "CPU Proximity", 48.5 }, { "VC0C", "CPU Core", std::nullopt },
        { "PSTR", "System Total", 12.25 } };
}

inline QList<dorsk::Fan> sampleFans()
{
    return { dorsk::Fan("F0Ac", "Left", 2400, 1200, 6000, 2500), dorsk::Fan("F1Ac", "Right", 0, 1200, 6000, 0) };
}

inline QList<dorsk::ProcessTrafficInfo> sampleTraffic()
{
    return { { 4711, "Mail", 1024, 65536 }, { 1, "launchd", 0, 0 } };
}

inline Value::Dictionary deviceFields(const char *serial, const char *name, const char *type)
{
    return { { "isCharging", Value(false) }, { "type", Value(type) }, { "name", Value(name) },
        { "serial", Value(serial) }, { "manufacturer", Value("Velmorn") }, { "vendorId", Value(76) },
        { "productId", Value(8212) } };
}

inline dorsk::SingleBatteryDevices sampleSingles()
{
    Value::Dictionary mouse = deviceFields("AA-BB-CC-DD-EE-01", "Desk Mouse", "Mouse");
    mouse["batteryLevel"] = Value(81);
    Value::Dictionary keyboard = deviceFields("AA-BB-CC-DD-EE-02", "Keyboard", "Keyboard");
    keyboard["isCharging"] = Value(true);
    return { fennic::SingleBatteryDevice::decode(Value(mouse)), fennic::SingleBatteryDevice::decode(Value(keyboard)) };
}

inline dorsk::DoubleBatteryDevices sampleDoubles()
{
    Value::Dictionary buds = deviceFields("AA-BB-CC-DD-EE-03", "Buds", "Headphones");
    buds["firstLevel"] = Value(70);
    buds["secondLevel"] = Value();
    return { fennic::DoubleBatteryDevice::decode(Value(buds)) };
}

/// Records compared by everything they store (device records alone compare by serial only).
template <typename Device> Value::Array encodedDevices(const std::vector<std::shared_ptr<Device>> &devices)
{
    Value::Array array;
    for (const auto &device : devices)
        array.push_back(device->encoded());
    return array;
}

inline void writeSamples(dorsk::IHelperDataModel &model)
{
    model.setSensors(sampleSensors());
    model.setFans(sampleFans());
    model.setTraffic(sampleTraffic());
    model.setSingleBatteryDevices(sampleSingles());
    model.setDoubleBatteryDevices(sampleDoubles());
}

} // namespace dorsktest

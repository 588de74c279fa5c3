#include "dorsk/sensordatamodelkey.h"

namespace dorsk {

namespace {
    constexpr std::array<const char *, kAllSensorDataModelKeys.size()> kTexts { "sensors", "fans", "traffic",
        "singleBatteryDevices", "doubleBatteryDevices" };
}

QString rawValue(SensorDataModelKey key) { return QString::fromLatin1(kTexts[static_cast<std::size_t>(key)]); }

std::optional<SensorDataModelKey> sensorDataModelKeyFromRawValue(const QString &text)
{
    for (SensorDataModelKey key : kAllSensorDataModelKeys) {
        if (text == QLatin1String(kTexts[static_cast<std::size_t>(key)]))
            return key;
    }
    return std::nullopt;
}

} // namespace dorsk

#include "dorsk/sensortype.h"

#include "localization_p.h"
#include "platform/core/systemversion.h"

namespace dorsk {

namespace {
    struct Row {
        const char *key;
        const char *symbol;
    };
    constexpr std::array<Row, kAllSensorTypes.size()> kRows { {
        { "UNKNOWN", "questionmark" },
        { "THERMAL", "thermometer" },
        { "VOLTAGE", "bolt.fill" },
        { "CURRENT", "bolt.fill" },
        { "POWER", "staroflife.fill" },
        { "FAN", "fanblades.fill" },
    } };

    const Row &row(SensorType type) { return kRows[static_cast<std::size_t>(type)]; }
}

std::optional<SensorType> sensorTypeFromRawValue(int raw)
{
    if (raw < 0 || raw >= static_cast<int>(kAllSensorTypes.size()))
        return std::nullopt;
    return kAllSensorTypes[static_cast<std::size_t>(raw)];
}

QString localizationKey(SensorType type) { return QString::fromLatin1(row(type).key); }

QString localizedName(SensorType type) { return localized(localizationKey(type)); }

QString symbolName(SensorType type)
{
    // The fan-blades symbol only exists from release 12 on.
    if (type == SensorType::fan && !platform::SystemVersion::current().isAtLeast(12))
        return QStringLiteral("line.3.crossed.swirl.circle.fill");
    return QString::fromLatin1(row(type).symbol);
}

} // namespace dorsk

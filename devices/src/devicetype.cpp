#include "fennic/devicetype.h"

#include "localization_p.h"

#include <array>

namespace fennic {

namespace {
    struct Row {
        DeviceType type;
        const char *raw;
        const char *key;
    };
    constexpr std::array kRows {
        Row { DeviceType::undefined, "undefined", "UNDEFINED" },
        Row { DeviceType::keyboard, "Keyboard", "KEYBOARD" },
        Row { DeviceType::mouse, "Mouse", "MOUSE" },
        Row { DeviceType::trackpad, "Trackpad", "TRACKPAD" },
        Row { DeviceType::headphones, "Headphones", "HEADPHONES" },
        Row { DeviceType::headset, "Headset", "HEADSET" },
        Row { DeviceType::lowEnergy, "Low Energy", "LOW_ENERGY" },
        Row { DeviceType::chargingCase, "CHARGING_CASE", "CHARGING_CASE" },
    };

    const Row &row(DeviceType type) { return kRows[static_cast<size_t>(type)]; }
}

QString rawText(DeviceType type) { return QString::fromLatin1(row(type).raw); }

std::optional<DeviceType> deviceTypeFromRawText(const QString &text)
{
    for (const Row &r : kRows) {
        if (text == QLatin1String(r.raw))
            return r.type;
    }
    return std::nullopt;
}

QString descriptionKey(DeviceType type) { return QString::fromLatin1(row(type).key); }

QString description(DeviceType type) { return localized(descriptionKey(type)); }

} // namespace fennic

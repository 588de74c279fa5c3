#include "ammerl/batterycondition.h"

#include "ammerl/resources.h"

namespace ammerl {

std::optional<BatteryCondition> batteryConditionFromRaw(std::int64_t raw)
{
    switch (raw) {
    case 0:
        return BatteryCondition::good;
    case 1:
        return BatteryCondition::fair;
    case 2:
        return BatteryCondition::poor;
    default:
        return std::nullopt;
    }
}

std::optional<BatteryCondition> batteryConditionFromHealth(const QString &health)
{
    if (health == QLatin1String("Good"))
        return BatteryCondition::good;
    if (health == QLatin1String("Fair"))
        return BatteryCondition::fair;
    if (health == QLatin1String("Poor"))
        return BatteryCondition::poor;
    return std::nullopt;
}

namespace {
    QString conditionKey(BatteryCondition condition)
    {
        switch (condition) {
        case BatteryCondition::good:
            return QStringLiteral("GOOD");
        case BatteryCondition::fair:
            return QStringLiteral("FAIR");
        case BatteryCondition::poor:
            return QStringLiteral("POOR");
        }
        return {};
    }
}

QString title(BatteryCondition condition, const platform::Bundle &bundle)
{
    return bundle.localizedString(conditionKey(condition));
}

QString title(BatteryCondition condition)
{
    return title(condition, moduleBundle());
}

} // namespace ammerl

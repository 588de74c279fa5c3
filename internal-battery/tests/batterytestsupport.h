#pragma once

#include "platform/core/value.h"
#include "platform/registry/memorypowersources.h"
#include "platform/registry/memoryregistry.h"

#include <QString>
#include <QVariant>

#include <optional>

// A simulated machine for the battery tests: a registry and power sources, optionally loaded from a
// fixture in tests/data.
struct Machine {
    platform::MemoryRegistry registry;
    platform::MemoryPowerSources sources;

    Machine() = default;
    explicit Machine(const QString &fixture)
    {
        const QString path = QStringLiteral(QUENBY_TEST_DATA "/") + fixture;
        registry.loadFixtureFile(path);
        sources.loadFixtureFile(path);
    }

    // Adds the smart battery under a controller of the given class.
    void addBattery(const QString &controllerClass, platform::Value::Dictionary properties)
    {
        const auto controller = registry.addEntry({ QStringLiteral("AppleSmartBatteryManager"), {}, {},
            { { QStringLiteral("IOProviderClass"), platform::Value(controllerClass) } } });
        registry.addEntry({ QStringLiteral("AppleSmartBattery"),
                              { QStringLiteral("IOPMPowerSource"), QStringLiteral("IOService") }, {},
                              std::move(properties) },
            controller);
    }

    platform::RegistryEntry battery() { return registry.firstMatchingService(QStringLiteral("AppleSmartBattery")); }
};

// An optional as a QVariant (invalid when empty), for table columns and comparisons.
inline QVariant toVariant(const std::optional<std::int64_t> &value)
{
    return value ? QVariant(qlonglong(*value)) : QVariant();
}
inline QVariant toVariant(const std::optional<bool> &value)
{
    return value ? QVariant(*value) : QVariant();
}
inline QVariant toVariant(const std::optional<QString> &value)
{
    return value ? QVariant(*value) : QVariant();
}

// An expected optional number: none, or the value.
inline const QVariant kNone;

// Compares an optional double with an expected QVariant (invalid for empty), fuzzily like QCOMPARE.
inline bool sameNumber(const std::optional<double> &actual, const QVariant &expected)
{
    if (!actual || !expected.isValid())
        return actual.has_value() == expected.isValid();
    return qFuzzyCompare(*actual, expected.toDouble()) || (*actual == 0 && expected.toDouble() == 0);
}

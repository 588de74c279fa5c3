#pragma once

#include "platform/core/value.h"
#include "platform/registry/registryentry.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace ammerl {

/// Typed reads of single properties of the smart battery's registry entry, and the two conversions
/// of its packed values. Every reader reads its key once and gives empty when the property is
/// missing, unreadable or of another type, or the entry handle is invalid.
class IOKitHelper {
public:
    IOKitHelper() = delete;

    /// The property as T: QString, std::int64_t, double, Value::Dictionary or Value::Array.
    /// Number reads follow platform::Value (an integral real reads as an integer, an integer as a double).
    template <typename T>
    static std::optional<T> property(const platform::RegistryEntry &entry, const QString &key);

    static std::optional<QString> stringProperty(const platform::RegistryEntry &entry, const QString &key);
    static std::optional<std::int64_t> intProperty(const platform::RegistryEntry &entry, const QString &key);
    static std::optional<double> doubleProperty(const platform::RegistryEntry &entry, const QString &key);
    static std::optional<platform::Value::Dictionary> dictionaryProperty(
        const platform::RegistryEntry &entry, const QString &key);
    static std::optional<platform::Value::Array> arrayProperty(
        const platform::RegistryEntry &entry, const QString &key);

    /// "ManufactureDate" unpacked: midnight at the start of that day in the local time zone.
    static std::optional<QDateTime> manufactureDate(const platform::RegistryEntry &entry);
    /// "Temperature" in degrees Celsius (the entry holds hundredths of a degree).
    static std::optional<double> temperature(const platform::RegistryEntry &entry);

    /// The day of a date packed like a file-system date: day in bits 0-4, month in bits 5-8, years
    /// since 1980 in bits 9-15. Empty when the fields do not form a valid date.
    static std::optional<QDate> unpackDate(std::int64_t packed);
};

template <>
std::optional<QString> IOKitHelper::property<QString>(const platform::RegistryEntry &, const QString &);
template <>
std::optional<std::int64_t> IOKitHelper::property<std::int64_t>(const platform::RegistryEntry &, const QString &);
template <>
std::optional<double> IOKitHelper::property<double>(const platform::RegistryEntry &, const QString &);
template <>
std::optional<platform::Value::Dictionary> IOKitHelper::property<platform::Value::Dictionary>(
    const platform::RegistryEntry &, const QString &);
template <>
std::optional<platform::Value::Array> IOKitHelper::property<platform::Value::Array>(
    const platform::RegistryEntry &, const QString &);

} // namespace ammerl

#include "ammerl/iokithelper.h"

#include "batterykeys_p.h"

namespace ammerl {

using platform::Value;

namespace {
    std::optional<Value> read(const platform::RegistryEntry &entry, const QString &key)
    {
        return entry.property(key);
    }
}

template <>
std::optional<QString> IOKitHelper::property<QString>(const platform::RegistryEntry &entry, const QString &key)
{
    auto v = read(entry, key);
    return v ? v->toString() : std::nullopt;
}

template <>
std::optional<std::int64_t> IOKitHelper::property<std::int64_t>(
    const platform::RegistryEntry &entry, const QString &key)
{
    auto v = read(entry, key);
    return v ? v->toInteger() : std::nullopt;
}

template <>
std::optional<double> IOKitHelper::property<double>(const platform::RegistryEntry &entry, const QString &key)
{
    auto v = read(entry, key);
    return v ? v->toDouble() : std::nullopt;
}

template <>
std::optional<Value::Dictionary> IOKitHelper::property<Value::Dictionary>(
    const platform::RegistryEntry &entry, const QString &key)
{
    auto v = read(entry, key);
    if (!v || !v->isDictionary())
        return std::nullopt;
    return *v->toDictionary();
}

template <>
std::optional<Value::Array> IOKitHelper::property<Value::Array>(
    const platform::RegistryEntry &entry, const QString &key)
{
    auto v = read(entry, key);
    if (!v || !v->isArray())
        return std::nullopt;
    return *v->toArray();
}

std::optional<QString> IOKitHelper::stringProperty(const platform::RegistryEntry &entry, const QString &key)
{
    return property<QString>(entry, key);
}

std::optional<std::int64_t> IOKitHelper::intProperty(const platform::RegistryEntry &entry, const QString &key)
{
    return property<std::int64_t>(entry, key);
}

std::optional<double> IOKitHelper::doubleProperty(const platform::RegistryEntry &entry, const QString &key)
{
    return property<double>(entry, key);
}

std::optional<Value::Dictionary> IOKitHelper::dictionaryProperty(
    const platform::RegistryEntry &entry, const QString &key)
{
    return property<Value::Dictionary>(entry, key);
}

std::optional<Value::Array> IOKitHelper::arrayProperty(const platform::RegistryEntry &entry, const QString &key)
{
    return property<Value::Array>(entry, key);
}

std::optional<QDate> IOKitHelper::unpackDate(std::int64_t packed)
{
    const int day = static_cast<int>(packed & 0x1F);
    const int month = static_cast<int>((packed >> 5) & 0xF);
    const int year = static_cast<int>((packed >> 9) & 0x7F) + 1980;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDateTime> IOKitHelper::manufactureDate(const platform::RegistryEntry &entry)
{
    auto packed = intProperty(entry, key::kManufactureDate);
    if (!packed)
        return std::nullopt;
    auto day = unpackDate(*packed);
    if (!day)
        return std::nullopt;
    return day->startOfDay();
}

std::optional<double> IOKitHelper::temperature(const platform::RegistryEntry &entry)
{
    auto hundredths = doubleProperty(entry, key::kTemperature);
    if (!hundredths)
        return std::nullopt;
    return *hundredths / 100.0;
}

} // namespace ammerl

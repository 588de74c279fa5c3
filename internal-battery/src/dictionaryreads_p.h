#pragma once

#include "platform/core/value.h"

#include <QString>

#include <optional>

// Lenient reads of one member of a dictionary the system handed over: a missing member or one of
// another type is empty, never an error.
namespace ammerl::detail {

inline const platform::Value *member(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto it = dictionary.find(key);
    return it == dictionary.end() ? nullptr : &it->second;
}

inline std::optional<QString> text(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto v = member(dictionary, key);
    return v ? v->toString() : std::nullopt;
}

inline std::optional<std::int64_t> integer(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto v = member(dictionary, key);
    return v ? v->toInteger() : std::nullopt;
}

inline std::optional<double> number(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto v = member(dictionary, key);
    return v ? v->toDouble() : std::nullopt;
}

inline std::optional<bool> flag(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto v = member(dictionary, key);
    return v ? v->toBool() : std::nullopt;
}

template <typename T>
std::optional<T> truncated(const platform::Value::Dictionary &dictionary, const QString &key)
{
    auto v = member(dictionary, key);
    return v ? v->toTruncated<T>() : std::nullopt;
}

// Writes only what was found, so that a later source or key cannot erase an earlier value.
template <typename T>
void assignIfFound(std::optional<T> &field, const std::optional<T> &found)
{
    if (found)
        field = found;
}

} // namespace ammerl::detail

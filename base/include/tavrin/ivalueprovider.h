#pragma once

#include <platform/core/number.h>

#include <QString>

#include <optional>
#include <type_traits>

namespace tavrin {

/// Holds one number that is set by typed setters and written as text.
///
/// Each setter boxes its argument in its own type (an `int16_t` stays a 16-bit number); an empty
/// optional makes the number absent. Int8 to UInt64, `long long`, `unsigned long long`, float and double.
class IValueProvider {
public:
    virtual ~IValueProvider() = default;
    virtual std::optional<platform::Number> rawValue() const = 0;
    virtual QString text() const = 0;
    /// The one setter the typed ones reach; an absent number clears.
    virtual void setNumber(std::optional<platform::Number> number) = 0;

    template <typename T> void setValue(T value)
    {
        static_assert(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>, "a number type");
        setNumber(platform::Number(value));
    }
    template <typename T> void setValue(std::optional<T> value)
    {
        static_assert(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>, "a number type");
        setNumber(value ? std::optional<platform::Number>(platform::Number(*value)) : std::nullopt);
    }
};

} // namespace tavrin

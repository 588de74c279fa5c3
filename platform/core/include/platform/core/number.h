#pragma once

#include <QString>

#include <cstdint>
#include <type_traits>

namespace platform {

/// A boxed number that remembers the type it was made from and converts to every numeric type on
/// request, in the manner of the original platform's number objects.
///
/// `typeLetter()` is the type-encoding letter of the source type: 'c' bool and signed 8-bit, 'C'
/// unsigned 8-bit, 's'/'S' 16-bit, 'i'/'I' 32-bit, 'q'/'Q' 64-bit, 'f' float, 'd' double. Conversions
/// act as C casts from the stored value, except that a real converted to an integer type is first
/// truncated and held within the 64-bit range (NaN gives 0), so no conversion is undefined.
class Number {
public:
    Number()
        : Number(std::int64_t(0))
    {
    }
    template <typename T, std::enable_if_t<std::is_arithmetic_v<T>, int> = 0>
    Number(T value) // NOLINT(google-explicit-constructor): numbers box implicitly, as on the original platform
    {
        if constexpr (std::is_same_v<T, bool>) {
            m_kind = Kind::Bool;
            m_signed = value ? 1 : 0;
            m_letter = 'c';
        } else if constexpr (std::is_floating_point_v<T>) {
            m_kind = Kind::Real;
            m_real = static_cast<double>(value);
            m_letter = sizeof(T) == sizeof(float) ? 'f' : 'd';
        } else if constexpr (std::is_signed_v<T>) {
            m_kind = Kind::Signed;
            m_signed = static_cast<std::int64_t>(value);
            m_letter = sizeof(T) == 1 ? 'c' : sizeof(T) == 2 ? 's' : sizeof(T) == 4 ? 'i' : 'q';
        } else {
            m_kind = Kind::Unsigned;
            m_unsigned = static_cast<std::uint64_t>(value);
            m_letter = sizeof(T) == 1 ? 'C' : sizeof(T) == 2 ? 'S' : sizeof(T) == 4 ? 'I' : 'Q';
        }
    }

    /// A number that reports another type letter (a `long` of the original platform's 32-bit days is
    /// 'l'); the value is kept as a signed 64-bit integer.
    static Number withTypeLetter(char letter, std::int64_t value);

    char typeLetter() const { return m_letter; }
    bool isBool() const { return m_kind == Kind::Bool; }
    bool isReal() const { return m_kind == Kind::Real; }

    bool boolValue() const;
    std::int8_t charValue() const { return static_cast<std::int8_t>(integerBits()); }
    std::uint8_t unsignedCharValue() const { return static_cast<std::uint8_t>(integerBits()); }
    std::int16_t shortValue() const { return static_cast<std::int16_t>(integerBits()); }
    std::uint16_t unsignedShortValue() const { return static_cast<std::uint16_t>(integerBits()); }
    std::int32_t intValue() const { return static_cast<std::int32_t>(integerBits()); }
    std::uint32_t unsignedIntValue() const { return static_cast<std::uint32_t>(integerBits()); }
    std::int64_t longLongValue() const { return static_cast<std::int64_t>(integerBits()); }
    std::uint64_t unsignedLongLongValue() const;
    std::int64_t integerValue() const { return longLongValue(); }
    std::uint64_t unsignedIntegerValue() const { return unsignedLongLongValue(); }
    float floatValue() const { return static_cast<float>(doubleValue()); }
    double doubleValue() const;

    /// Same type letter and same stored value.
    bool operator==(const Number &other) const;
    bool operator!=(const Number &other) const { return !(*this == other); }

    /// A short readable form for test failures.
    QString debugText() const;

private:
    enum class Kind { Bool, Signed, Unsigned, Real };
    // The value's bits as a 64-bit integer, for the narrowing casts.
    std::uint64_t integerBits() const;

    Kind m_kind = Kind::Signed;
    char m_letter = 'q';
    std::int64_t m_signed = 0;
    std::uint64_t m_unsigned = 0;
    double m_real = 0.0;
};

} // namespace platform

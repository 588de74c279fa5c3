#include "platform/core/number.h"

#include "platform/core/format.h"

#include <cmath>

namespace platform {

namespace {
    // Truncates toward zero and holds the result inside the signed 64-bit range (NaN gives 0):
    // converting an out-of-range real to an integer is undefined in C++.
    std::int64_t truncatedSigned(double d)
    {
        if (std::isnan(d))
            return 0;
        if (d >= 9223372036854775807.0)
            return INT64_MAX;
        if (d <= -9223372036854775808.0)
            return INT64_MIN;
        return static_cast<std::int64_t>(d);
    }
}

Number Number::withTypeLetter(char letter, std::int64_t value)
{
    Number n(value);
    n.m_letter = letter;
    return n;
}

bool Number::boolValue() const
{
    switch (m_kind) {
    case Kind::Bool:
    case Kind::Signed:
        return m_signed != 0;
    case Kind::Unsigned:
        return m_unsigned != 0;
    case Kind::Real:
        return m_real != 0.0;
    }
    return false;
}

std::uint64_t Number::integerBits() const
{
    switch (m_kind) {
    case Kind::Bool:
    case Kind::Signed:
        return static_cast<std::uint64_t>(m_signed);
    case Kind::Unsigned:
        return m_unsigned;
    case Kind::Real:
        return static_cast<std::uint64_t>(truncatedSigned(m_real));
    }
    return 0;
}

std::uint64_t Number::unsignedLongLongValue() const
{
    if (m_kind == Kind::Real && m_real >= 9223372036854775808.0) {
        if (m_real >= 18446744073709551615.0)
            return UINT64_MAX;
        return static_cast<std::uint64_t>(m_real);
    }
    return integerBits();
}

double Number::doubleValue() const
{
    switch (m_kind) {
    case Kind::Bool:
    case Kind::Signed:
        return static_cast<double>(m_signed);
    case Kind::Unsigned:
        return static_cast<double>(m_unsigned);
    case Kind::Real:
        return m_real;
    }
    return 0.0;
}

bool Number::operator==(const Number &other) const
{
    if (m_letter != other.m_letter || m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Bool:
    case Kind::Signed:
        return m_signed == other.m_signed;
    case Kind::Unsigned:
        return m_unsigned == other.m_unsigned;
    case Kind::Real:
        return m_real == other.m_real;
    }
    return false;
}

QString Number::debugText() const
{
    switch (m_kind) {
    case Kind::Bool:
        return m_signed ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Signed:
        return format("%lld (%c)", static_cast<long long>(m_signed), m_letter);
    case Kind::Unsigned:
        return format("%llu (%c)", static_cast<unsigned long long>(m_unsigned), m_letter);
    case Kind::Real:
        return format("%.17g (%c)", m_real, m_letter);
    }
    return {};
}

} // namespace platform

#include "platform/core/value.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {
    constexpr std::uint64_t kSignedMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

    // 2^63 as a double: the first real outside the signed 64-bit range.
    constexpr double kTwoPow63 = 9223372036854775808.0;
    constexpr double kTwoPow64 = 18446744073709551616.0;
}

Value::Value(unsigned long i)
    : Value(static_cast<unsigned long long>(i))
{
}

Value::Value(unsigned long long i)
{
    if (i > kSignedMax)
        m_data = static_cast<std::uint64_t>(i);
    else
        m_data = static_cast<std::int64_t>(i);
}

Value::Type Value::type() const
{
    switch (m_data.index()) {
    case 0:
        return Type::Null;
    case 1:
        return Type::Bool;
    case 2:
    case 3:
        return Type::Integer;
    case 4:
        return Type::Real;
    case 5:
        return Type::String;
    case 6:
        return Type::Data;
    case 7:
        return Type::Date;
    case 8:
        return Type::Array;
    default:
        return Type::Dictionary;
    }
}

std::optional<bool> Value::toBool() const
{
    if (auto b = std::get_if<bool>(&m_data))
        return *b;
    if (auto i = std::get_if<std::int64_t>(&m_data)) {
        if (*i == 0 || *i == 1)
            return *i == 1;
    }
    return std::nullopt;
}

std::optional<std::int64_t> Value::toInteger() const
{
    if (auto b = std::get_if<bool>(&m_data))
        return *b ? 1 : 0;
    if (auto i = std::get_if<std::int64_t>(&m_data))
        return *i;
    if (auto d = std::get_if<double>(&m_data)) {
        if (std::isfinite(*d) && std::trunc(*d) == *d && *d >= -kTwoPow63 && *d < kTwoPow63)
            return static_cast<std::int64_t>(*d);
    }
    return std::nullopt;
}

std::optional<std::uint64_t> Value::toUnsigned() const
{
    if (auto u = std::get_if<std::uint64_t>(&m_data))
        return *u;
    if (auto d = std::get_if<double>(&m_data)) {
        if (std::isfinite(*d) && std::trunc(*d) == *d && *d >= 0 && *d < kTwoPow64)
            return static_cast<std::uint64_t>(*d);
        return std::nullopt;
    }
    auto i = toInteger();
    if (i && *i >= 0)
        return static_cast<std::uint64_t>(*i);
    return std::nullopt;
}

std::optional<double> Value::toDouble() const
{
    if (auto b = std::get_if<bool>(&m_data))
        return *b ? 1.0 : 0.0;
    if (auto i = std::get_if<std::int64_t>(&m_data))
        return static_cast<double>(*i);
    if (auto u = std::get_if<std::uint64_t>(&m_data))
        return static_cast<double>(*u);
    if (auto d = std::get_if<double>(&m_data))
        return *d;
    return std::nullopt;
}

std::optional<std::uint64_t> Value::truncatedBits() const
{
    if (auto b = std::get_if<bool>(&m_data))
        return *b ? 1u : 0u;
    if (auto i = std::get_if<std::int64_t>(&m_data))
        return static_cast<std::uint64_t>(*i);
    if (auto u = std::get_if<std::uint64_t>(&m_data))
        return *u;
    if (auto d = std::get_if<double>(&m_data)) {
        if (!std::isfinite(*d))
            return std::nullopt;
        const double t = std::trunc(*d);
        // Outside the 64-bit range a C cast is undefined; saturate like the platform's number boxes.
        if (t >= kTwoPow63)
            return t >= kTwoPow64 ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(t);
        if (t < -kTwoPow63)
            return static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::min());
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(t));
    }
    return std::nullopt;
}

std::optional<QString> Value::toString() const
{
    if (auto s = std::get_if<QString>(&m_data))
        return *s;
    return std::nullopt;
}

std::optional<QByteArray> Value::toData() const
{
    if (auto d = std::get_if<QByteArray>(&m_data))
        return *d;
    return std::nullopt;
}

std::optional<QDateTime> Value::toDate() const
{
    if (auto d = std::get_if<QDateTime>(&m_data))
        return *d;
    return std::nullopt;
}

const Value *Value::find(const QString &key) const
{
    auto dict = toDictionary();
    if (!dict)
        return nullptr;
    auto it = dict->find(key);
    return it == dict->end() ? nullptr : &it->second;
}

const Value &Value::operator[](const QString &key) const
{
    static const Value null;
    auto v = find(key);
    return v ? *v : null;
}

bool Value::operator==(const Value &other) const
{
    return m_data == other.m_data;
}

QString Value::debugText() const
{
    switch (type()) {
    case Type::Null:
        return QStringLiteral("null");
    case Type::Bool:
        return *toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case Type::Integer:
        if (auto u = std::get_if<std::uint64_t>(&m_data))
            return QString::number(*u);
        return QString::number(std::get<std::int64_t>(m_data));
    case Type::Real:
        return QString::number(std::get<double>(m_data), 'g', 17);
    case Type::String:
        return QLatin1Char('"') + std::get<QString>(m_data) + QLatin1Char('"');
    case Type::Data:
        return QStringLiteral("<%1>").arg(QString::fromLatin1(std::get<QByteArray>(m_data).toHex()));
    case Type::Date:
        return std::get<QDateTime>(m_data).toUTC().toString(Qt::ISODateWithMs);
    case Type::Array: {
        QStringList parts;
        for (const auto &v : std::get<Array>(m_data))
            parts << v.debugText();
        return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case Type::Dictionary: {
        QStringList parts;
        for (const auto &[k, v] : std::get<Dictionary>(m_data))
            parts << k + QStringLiteral(": ") + v.debugText();
        return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    }
    return {};
}

const char *typeName(Value::Type type)
{
    switch (type) {
    case Value::Type::Null:
        return "null";
    case Value::Type::Bool:
        return "bool";
    case Value::Type::Integer:
        return "integer";
    case Value::Type::Real:
        return "real";
    case Value::Type::String:
        return "string";
    case Value::Type::Data:
        return "data";
    case Value::Type::Date:
        return "date";
    case Value::Type::Array:
        return "array";
    case Value::Type::Dictionary:
        return "dictionary";
    }
    return "?";
}

} // namespace platform

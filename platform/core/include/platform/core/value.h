#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

namespace platform {

/// One property-list value: what the registry, power sources, property lists, JSON and user defaults
/// hand over. Reads never throw: a value of another type reads as empty.
///
/// Number reads follow one rule set: a bool reads as 0 or 1, an integer reads as a real, a real reads
/// as an integer only when it is integral and in range, and the width reads (`toTruncated<T>()`) cut the
/// integer to the width of T the way a C cast does.
class Value {
public:
    enum class Type { Null, Bool, Integer, Real, String, Data, Date, Array, Dictionary };

    using Array = std::vector<Value>;
    using Dictionary = std::map<QString, Value>;

    Value() = default; // null
    Value(std::nullptr_t) { }
    Value(bool b)
        : m_data(b)
    {
    }
    Value(int i)
        : m_data(static_cast<std::int64_t>(i))
    {
    }
    Value(unsigned int i)
        : m_data(static_cast<std::int64_t>(i))
    {
    }
    Value(long i)
        : m_data(static_cast<std::int64_t>(i))
    {
    }
    Value(long long i)
        : m_data(static_cast<std::int64_t>(i))
    {
    }
    Value(unsigned long i);
    Value(unsigned long long i);
    Value(double d)
        : m_data(d)
    {
    }
    Value(const char *s)
        : m_data(QString::fromUtf8(s))
    {
    }
    Value(const QString &s)
        : m_data(s)
    {
    }
    Value(const QByteArray &d)
        : m_data(d)
    {
    }
    Value(const QDateTime &d)
        : m_data(d)
    {
    }
    Value(Array a)
        : m_data(std::move(a))
    {
    }
    Value(Dictionary d)
        : m_data(std::move(d))
    {
    }

    Type type() const;
    bool isNull() const { return type() == Type::Null; }
    bool isBool() const { return type() == Type::Bool; }
    bool isInteger() const { return type() == Type::Integer; }
    bool isReal() const { return type() == Type::Real; }
    /// Bool, integer or real: what the original platform boxes as a number.
    bool isNumber() const { return isBool() || isInteger() || isReal(); }
    bool isString() const { return type() == Type::String; }
    bool isData() const { return type() == Type::Data; }
    bool isDate() const { return type() == Type::Date; }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }
    /// An integer above the signed 64-bit range (only unsigned property-list integers reach it).
    bool isUnsignedBeyondSigned() const { return std::holds_alternative<std::uint64_t>(m_data); }

    /// Bool: itself; integer 0 or 1: false or true; anything else: empty.
    std::optional<bool> toBool() const;
    /// Bool as 0/1, integer as is, real only when integral and within the signed 64-bit range.
    std::optional<std::int64_t> toInteger() const;
    /// As toInteger(), but for non-negative values up to the unsigned 64-bit range.
    std::optional<std::uint64_t> toUnsigned() const;
    /// Bool as 0/1, integer as a real, real as is.
    std::optional<double> toDouble() const;
    /// A width read: the number's integer value (a real truncated toward zero) cut to the width of T.
    template <typename T>
    std::optional<T> toTruncated() const
    {
        static_assert(std::is_integral_v<T>);
        auto v = truncatedBits();
        if (!v)
            return std::nullopt;
        return static_cast<T>(*v);
    }
    std::optional<QString> toString() const;
    std::optional<QByteArray> toData() const;
    std::optional<QDateTime> toDate() const;
    const Array *toArray() const { return std::get_if<Array>(&m_data); }
    const Dictionary *toDictionary() const { return std::get_if<Dictionary>(&m_data); }
    Array *toArray() { return std::get_if<Array>(&m_data); }
    Dictionary *toDictionary() { return std::get_if<Dictionary>(&m_data); }

    /// Dictionary member, or nullptr when this is not a dictionary or the key is absent.
    const Value *find(const QString &key) const;
    /// Dictionary member, or a null value when absent.
    const Value &operator[](const QString &key) const;

    bool operator==(const Value &other) const;
    bool operator!=(const Value &other) const { return !(*this == other); }

    /// A short readable form for test failures and debugging.
    QString debugText() const;

private:
    std::optional<std::uint64_t> truncatedBits() const;

    std::variant<std::monostate, bool, std::int64_t, std::uint64_t, double, QString, QByteArray, QDateTime, Array,
        Dictionary>
        m_data;
};

const char *typeName(Value::Type type);

} // namespace platform

Q_DECLARE_METATYPE(platform::Value)

#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QStringList>

#include <limits>
#include <optional>
#include <stdexcept>

namespace platform {

/// The one error type of every decoding failure: malformed bytes, a missing required key, a value of
/// the wrong type or out of range. Callers that turn failures into "no value" catch exactly this.
class DecodingError : public std::runtime_error {
public:
    explicit DecodingError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_debugDescription(message)
    {
    }
    /// Data that does not fit, reported for the container at `codingPath`.
    DecodingError(const QString &debugDescription, QStringList codingPath)
        : std::runtime_error(debugDescription.toStdString())
        , m_debugDescription(debugDescription)
        , m_codingPath(std::move(codingPath))
    {
    }
    const QString &debugDescription() const { return m_debugDescription; }
    /// The keys and indices from the top of the data to the failing value; empty when not known.
    const QStringList &codingPath() const { return m_codingPath; }

private:
    QString m_debugDescription;
    QStringList m_codingPath;
};

/// Reads a record's keys from a dictionary value, with the strict rules of keyed decoding: a required
/// key that is missing, null or of another type throws DecodingError; an optional key that is missing
/// or null gives empty, but a present value of another type still throws.
class KeyedDecoder {
public:
    /// Throws DecodingError when the value is not a dictionary. The decoder keeps its own copy, so a
    /// temporary value is fine.
    explicit KeyedDecoder(Value value);

    bool contains(const QString &key) const;
    /// True when the key holds the format's null value (see plist.h for how property lists spell it).
    bool isNull(const QString &key) const;
    const Value::Dictionary &dictionary() const { return *m_value.toDictionary(); }

    bool decodeBool(const QString &key) const;
    std::int64_t decodeInteger(const QString &key) const;
    double decodeDouble(const QString &key) const;
    QString decodeString(const QString &key) const;
    QByteArray decodeData(const QString &key) const;
    QDateTime decodeDate(const QString &key) const;
    const Value &decodeValue(const QString &key) const;

    /// An integer that must fit T exactly (256 into an 8-bit unsigned field throws).
    template <typename T>
    T decodeExact(const QString &key) const
    {
        const Value &v = decodeValue(key);
        return exact<T>(key, v);
    }

    std::optional<bool> decodeBoolIfPresent(const QString &key) const;
    std::optional<std::int64_t> decodeIntegerIfPresent(const QString &key) const;
    std::optional<double> decodeDoubleIfPresent(const QString &key) const;
    std::optional<QString> decodeStringIfPresent(const QString &key) const;
    std::optional<QDateTime> decodeDateIfPresent(const QString &key) const;
    template <typename T>
    std::optional<T> decodeExactIfPresent(const QString &key) const
    {
        if (!contains(key) || isNull(key))
            return std::nullopt;
        return decodeExact<T>(key);
    }

private:
    template <typename T>
    static T exact(const QString &key, const Value &v)
    {
        if constexpr (std::is_signed_v<T>) {
            auto i = v.isBool() ? std::nullopt : v.toInteger();
            if (i && *i >= std::numeric_limits<T>::min() && *i <= std::numeric_limits<T>::max())
                return static_cast<T>(*i);
        } else {
            auto u = v.isBool() ? std::nullopt : v.toUnsigned();
            if (u && *u <= std::numeric_limits<T>::max())
                return static_cast<T>(*u);
        }
        throw DecodingError(QStringLiteral("value of \"%1\" does not fit the field: %2").arg(key, v.debugText()));
    }

    Value m_value;
};

/// Builds a record's dictionary; optional fields are written only when present, unless the format
/// wants an explicit null (`setOrNull`).
class KeyedEncoder {
public:
    void set(const QString &key, Value value) { m_dict[key] = std::move(value); }
    template <typename T>
    void setIfPresent(const QString &key, const std::optional<T> &value)
    {
        if (value)
            m_dict[key] = Value(*value);
    }
    template <typename T>
    void setOrNull(const QString &key, const std::optional<T> &value)
    {
        m_dict[key] = value ? Value(*value) : Value();
    }
    Value value() const { return Value(m_dict); }

private:
    Value::Dictionary m_dict;
};

} // namespace platform

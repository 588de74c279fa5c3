#include "platform/core/coding.h"

namespace platform {

namespace {
    [[noreturn]] void typeMismatch(const QString &key, const char *expected, const Value &v)
    {
        throw DecodingError(QStringLiteral("expected %1 for \"%2\", found %3")
                                .arg(QString::fromLatin1(expected), key, QString::fromLatin1(typeName(v.type()))));
    }
}

KeyedDecoder::KeyedDecoder(Value value)
    : m_value(std::move(value))
{
    if (!m_value.isDictionary())
        throw DecodingError(
            QStringLiteral("expected a dictionary, found %1").arg(QString::fromLatin1(typeName(m_value.type()))));
}

bool KeyedDecoder::contains(const QString &key) const
{
    return dictionary().find(key) != dictionary().end();
}

bool KeyedDecoder::isNull(const QString &key) const
{
    auto it = dictionary().find(key);
    return it != dictionary().end() && it->second.isNull();
}

const Value &KeyedDecoder::decodeValue(const QString &key) const
{
    auto it = dictionary().find(key);
    if (it == dictionary().end())
        throw DecodingError(QStringLiteral("missing key \"%1\"").arg(key));
    if (it->second.isNull())
        throw DecodingError(QStringLiteral("null value for required key \"%1\"").arg(key));
    return it->second;
}

bool KeyedDecoder::decodeBool(const QString &key) const
{
    const Value &v = decodeValue(key);
    if (!v.isBool())
        typeMismatch(key, "bool", v);
    return *v.toBool();
}

std::int64_t KeyedDecoder::decodeInteger(const QString &key) const
{
    return decodeExact<std::int64_t>(key);
}

double KeyedDecoder::decodeDouble(const QString &key) const
{
    const Value &v = decodeValue(key);
    if (!(v.isInteger() || v.isReal()))
        typeMismatch(key, "number", v);
    return *v.toDouble();
}

QString KeyedDecoder::decodeString(const QString &key) const
{
    const Value &v = decodeValue(key);
    if (!v.isString())
        typeMismatch(key, "string", v);
    return *v.toString();
}

QByteArray KeyedDecoder::decodeData(const QString &key) const
{
    const Value &v = decodeValue(key);
    if (!v.isData())
        typeMismatch(key, "data", v);
    return *v.toData();
}

QDateTime KeyedDecoder::decodeDate(const QString &key) const
{
    const Value &v = decodeValue(key);
    if (v.isDate())
        return *v.toDate();
    // JSON has no date type: keyed coding writes dates as seconds since 2001-01-01 there.
    if (v.isInteger() || v.isReal())
        return QDateTime::fromMSecsSinceEpoch(
            static_cast<qint64>((*v.toDouble() + 978307200.0) * 1000.0), Qt::UTC);
    typeMismatch(key, "date", v);
}

std::optional<bool> KeyedDecoder::decodeBoolIfPresent(const QString &key) const
{
    if (!contains(key) || isNull(key))
        return std::nullopt;
    return decodeBool(key);
}

std::optional<std::int64_t> KeyedDecoder::decodeIntegerIfPresent(const QString &key) const
{
    return decodeExactIfPresent<std::int64_t>(key);
}

std::optional<double> KeyedDecoder::decodeDoubleIfPresent(const QString &key) const
{
    if (!contains(key) || isNull(key))
        return std::nullopt;
    return decodeDouble(key);
}

std::optional<QString> KeyedDecoder::decodeStringIfPresent(const QString &key) const
{
    if (!contains(key) || isNull(key))
        return std::nullopt;
    return decodeString(key);
}

std::optional<QDateTime> KeyedDecoder::decodeDateIfPresent(const QString &key) const
{
    if (!contains(key) || isNull(key))
        return std::nullopt;
    return decodeDate(key);
}

} // namespace platform

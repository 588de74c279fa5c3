#include "platform/core/singlevaluecoding.h"

namespace platform {

class ValueEncodingContainer : public SingleValueEncodingContainer {
public:
    explicit ValueEncodingContainer(ValueEncoder &encoder)
        : m_encoder(encoder)
    {
    }
    QStringList codingPath() const override { return m_encoder.m_codingPath; }
    void encodeNil() override { set(Value()); }
    void encode(bool v) override { set(Value(v)); }
    void encode(std::int8_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::int16_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::int32_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::int64_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::uint8_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::uint16_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::uint32_t v) override { set(Value(static_cast<long long>(v))); }
    void encode(std::uint64_t v) override { set(Value(static_cast<unsigned long long>(v))); }
    void encode(float v) override { set(Value(static_cast<double>(v))); }
    void encode(double v) override { set(Value(v)); }
    void encode(const QString &v) override { set(Value(v)); }
    void encode(const QDateTime &v) override { set(Value(v)); }
    void encode(const QUrl &v) override { set(Value(v.toString())); }
    void encode(const std::vector<const Encodable *> &elements) override
    {
        Value::Array array;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            ValueEncoder child(codingPath() << QString::number(i));
            elements[i]->encode(child);
            array.push_back(child.value());
        }
        set(Value(std::move(array)));
    }
    void encode(const std::vector<std::pair<QString, const Encodable *>> &members) override
    {
        Value::Dictionary dict;
        for (const auto &[key, element] : members) {
            ValueEncoder child(codingPath() << key);
            element->encode(child);
            dict[key] = child.value();
        }
        set(Value(std::move(dict)));
    }

private:
    void set(Value v) { m_encoder.m_value = std::move(v); }
    ValueEncoder &m_encoder;
};

ValueEncoder::ValueEncoder(QStringList codingPath)
    : m_codingPath(std::move(codingPath))
{
}

std::unique_ptr<SingleValueEncodingContainer> ValueEncoder::singleValueContainer()
{
    return std::make_unique<ValueEncodingContainer>(*this);
}

namespace {
    class ValueDecodingContainer : public SingleValueDecodingContainer {
    public:
        ValueDecodingContainer(const Value &value, QStringList codingPath)
            : m_value(value)
            , m_codingPath(std::move(codingPath))
        {
        }
        QStringList codingPath() const override { return m_codingPath; }
        bool decodeNil() const override { return m_value.isNull(); }
        bool decodeBool() const override
        {
            if (!m_value.isBool())
                mismatch("a Boolean");
            return *m_value.toBool();
        }
        std::int64_t decodeInt64() const override
        {
            const auto i = m_value.isBool() ? std::nullopt : m_value.toInteger();
            if (!i)
                mismatch("a signed 64-bit integer");
            return *i;
        }
        std::uint64_t decodeUInt64() const override
        {
            const auto u = m_value.isBool() ? std::nullopt : m_value.toUnsigned();
            if (!u)
                mismatch("an unsigned 64-bit integer");
            return *u;
        }
        double decodeDouble() const override
        {
            const auto d = m_value.isBool() ? std::nullopt : m_value.toDouble();
            if (!d)
                mismatch("a number");
            return *d;
        }
        QString decodeString() const override
        {
            const auto s = m_value.toString();
            if (!s)
                mismatch("a text");
            return *s;
        }
        std::vector<std::unique_ptr<Decoder>> decodeList() const override
        {
            const auto *array = m_value.toArray();
            if (!array)
                mismatch("a list");
            std::vector<std::unique_ptr<Decoder>> out;
            for (std::size_t i = 0; i < array->size(); ++i)
                out.push_back(
                    std::make_unique<ValueDecoder>((*array)[i], m_codingPath + QStringList { QString::number(i) }));
            return out;
        }
        std::vector<std::pair<QString, std::unique_ptr<Decoder>>> decodeDictionary() const override
        {
            const auto *dict = m_value.toDictionary();
            if (!dict)
                mismatch("a dictionary");
            std::vector<std::pair<QString, std::unique_ptr<Decoder>>> out;
            for (const auto &[key, member] : *dict)
                out.emplace_back(key, std::make_unique<ValueDecoder>(member, m_codingPath + QStringList { key }));
            return out;
        }

    private:
        [[noreturn]] void mismatch(const char *wanted) const
        {
            throw DecodingError(
                QStringLiteral("expected %1, found %2").arg(QString::fromLatin1(wanted), m_value.debugText()),
                m_codingPath);
        }
        const Value &m_value;
        QStringList m_codingPath;
    };
}

ValueDecoder::ValueDecoder(Value value, QStringList codingPath)
    : m_value(std::move(value))
    , m_codingPath(std::move(codingPath))
{
}

std::unique_ptr<SingleValueDecodingContainer> ValueDecoder::singleValueContainer() const
{
    return std::make_unique<ValueDecodingContainer>(m_value, m_codingPath);
}

} // namespace platform

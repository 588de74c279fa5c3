#include "tavrin/anyvalue.h"

#include <QDateTime>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace tavrin::anycoding {

namespace {
    // An element of a list or dictionary, written through the generic path of the container.
    class Element : public platform::Encodable {
    public:
        explicit Element(const std::any &value)
            : m_value(value)
        {
        }
        void encode(platform::Encoder &encoder) const override { anycoding::encode(m_value, encoder); }

    private:
        const std::any &m_value;
    };

    template <typename T> const T *as(const std::any &value) { return std::any_cast<T>(&value); }

    void encodeNumber(const platform::Number &n, const std::any &held, platform::SingleValueEncodingContainer &c)
    {
        switch (n.typeLetter()) {
        case 'c':
        case 'C':
            c.encode(n.boolValue());
            return;
        case 's':
            c.encode(n.shortValue());
            return;
        case 'i':
        case 'l':
            c.encode(n.intValue());
            return;
        case 'q':
            c.encode(n.longLongValue());
            return;
        case 'S':
            c.encode(n.unsignedShortValue());
            return;
        case 'I':
        case 'L':
            c.encode(n.unsignedIntValue());
            return;
        case 'Q':
            c.encode(n.unsignedLongLongValue());
            return;
        case 'f':
            c.encode(n.floatValue());
            return;
        case 'd':
            c.encode(n.doubleValue());
            return;
        default:
            throw platform::EncodingError(
                held, c.codingPath(), QStringLiteral("NSNumber cannot be encoded because its type is not handled"));
        }
    }

    std::optional<AnyDictionary> textKeyed(const AnyHashableDictionary &literal)
    {
        AnyDictionary dict;
        for (const auto &[key, value] : literal) {
            const auto *text = std::get_if<QString>(&key);
            if (!text)
                return std::nullopt;
            dict.emplace(*text, value);
        }
        return dict;
    }

    void encodeDictionary(const AnyDictionary &dict, platform::SingleValueEncodingContainer &c)
    {
        std::vector<std::unique_ptr<Element>> elements;
        std::vector<std::pair<QString, const platform::Encodable *>> members;
        for (const auto &[key, value] : dict) {
            elements.push_back(std::make_unique<Element>(value));
            members.emplace_back(key, elements.back().get());
        }
        c.encode(members);
    }
}

void encode(const std::any &value, platform::Encoder &encoder)
{
    auto c = encoder.singleValueContainer();
    if (const auto *n = as<platform::Number>(value))
        return encodeNumber(*n, value, *c);
    if (as<platform::NullObject>(value) || !value.has_value())
        return c->encodeNil();
    if (const auto *v = as<bool>(value))
        return c->encode(*v);
    if (const auto *v = as<long long>(value)) // the platform word
        return c->encode(static_cast<std::int64_t>(*v));
    if (const auto *v = as<std::int8_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::int16_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::int32_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::int64_t>(value))
        return c->encode(*v);
    if (const auto *v = as<unsigned long long>(value))
        return c->encode(static_cast<std::uint64_t>(*v));
    if (const auto *v = as<std::uint8_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::uint16_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::uint32_t>(value))
        return c->encode(*v);
    if (const auto *v = as<std::uint64_t>(value))
        return c->encode(*v);
    if (const auto *v = as<float>(value))
        return c->encode(*v);
    if (const auto *v = as<double>(value))
        return c->encode(*v);
    if (const auto *v = as<QString>(value))
        return c->encode(*v);
    if (const auto *v = as<QDateTime>(value))
        return c->encode(*v);
    if (const auto *v = as<QUrl>(value))
        return c->encode(*v);
    if (const auto *list = as<AnyList>(value)) {
        std::vector<std::unique_ptr<Element>> elements;
        std::vector<const platform::Encodable *> pointers;
        for (const auto &element : *list) {
            elements.push_back(std::make_unique<Element>(element));
            pointers.push_back(elements.back().get());
        }
        return c->encode(pointers);
    }
    if (const auto *dict = as<AnyDictionary>(value))
        return encodeDictionary(*dict, *c);
    if (const auto *literal = as<AnyHashableDictionary>(value))
        if (const auto dict = textKeyed(*literal))
            return encodeDictionary(*dict, *c);
    throw platform::EncodingError(value, c->codingPath(), QStringLiteral("AnyEncodable value cannot be encoded"));
}

std::any decode(const platform::Decoder &decoder)
{
    const auto c = decoder.singleValueContainer();
    if (c->decodeNil())
        return platform::NullObject {};
    // Each read is a whole attempt; a failed one leaves no trace.
    try {
        return c->decodeBool();
    } catch (const platform::DecodingError &) {
    }
    try {
        return static_cast<long long>(c->decodeInt64());
    } catch (const platform::DecodingError &) {
    }
    try {
        return static_cast<unsigned long long>(c->decodeUInt64());
    } catch (const platform::DecodingError &) {
    }
    try {
        return c->decodeDouble();
    } catch (const platform::DecodingError &) {
    }
    try {
        return c->decodeString();
    } catch (const platform::DecodingError &) {
    }
    try {
        AnyList list;
        for (const auto &element : c->decodeList())
            list.push_back(decode(*element));
        return list;
    } catch (const platform::DecodingError &) {
    }
    try {
        AnyDictionary dict;
        for (const auto &[key, member] : c->decodeDictionary())
            dict.emplace(key, decode(*member));
        return dict;
    } catch (const platform::DecodingError &) {
    }
    throw platform::DecodingError(QStringLiteral("AnyDecodable value cannot be decoded"), c->codingPath());
}

AnyHashableDictionary dictionaryLiteral(std::vector<std::pair<AnyKey, std::any>> pairs)
{
    AnyHashableDictionary out;
    for (auto &pair : pairs) {
        const bool seen = std::any_of(out.begin(), out.end(), [&](const auto &p) { return p.first == pair.first; });
        if (!seen)
            out.emplace_back(std::move(pair.first), std::move(pair.second));
    }
    return out;
}

} // namespace tavrin::anycoding

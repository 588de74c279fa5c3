#pragma once

#include "tavrin/anyvalue.h"

#include <initializer_list>
#include <optional>

namespace tavrin {

/// Holds one value of any kind so that it can be written to an encoder (see `anycoding::encode` for
/// the kinds that can). Literal forms store fixed types: integers as `long long`, reals as double,
/// texts as QString, nil as the empty value.
class AnyEncodable : public platform::Encodable {
public:
    /// The empty value.
    AnyEncodable() = default;
    AnyEncodable(std::nullptr_t) { }
    AnyEncodable(bool value)
        : m_value(value)
    {
    }
    AnyEncodable(int value)
        : m_value(static_cast<long long>(value))
    {
    }
    AnyEncodable(long value)
        : m_value(static_cast<long long>(value))
    {
    }
    AnyEncodable(long long value)
        : m_value(value)
    {
    }
    AnyEncodable(double value)
        : m_value(value)
    {
    }
    AnyEncodable(const char *text)
        : m_value(QString::fromUtf8(text))
    {
    }
    AnyEncodable(const QString &text)
        : m_value(text)
    {
    }

    /// A present value is stored as it is, an absent one as the empty value.
    static AnyEncodable wrapping(std::any value)
    {
        AnyEncodable e;
        e.m_value = std::move(value);
        return e;
    }
    template <typename T> static AnyEncodable wrapping(const std::optional<T> &value)
    {
        return value ? wrapping(std::any(*value)) : AnyEncodable();
    }
    /// The list of the elements' held values, in order.
    static AnyEncodable array(std::initializer_list<AnyEncodable> elements)
    {
        AnyList list;
        for (const auto &e : elements)
            list.push_back(e.m_value);
        return wrapping(std::move(list));
    }
    /// The first value of a repeated key is kept.
    static AnyEncodable dictionary(std::initializer_list<std::pair<AnyKey, AnyEncodable>> pairs)
    {
        std::vector<std::pair<AnyKey, std::any>> plain;
        for (const auto &[key, value] : pairs)
            plain.emplace_back(key, value.m_value);
        return wrapping(anycoding::dictionaryLiteral(std::move(plain)));
    }

    const std::any &value() const { return m_value; }
    void encode(platform::Encoder &encoder) const override { anycoding::encode(m_value, encoder); }

private:
    std::any m_value;
};

} // namespace tavrin

#pragma once

#include "tavrin/anyvalue.h"

#include <optional>

namespace tavrin {

/// Holds one value read from a decoder as plain values: the null object, bool, `long long`,
/// `unsigned long long` (whole numbers beyond the signed range), double, QString, `AnyList` and
/// `AnyDictionary` (see `anycoding::decode`).
class AnyDecodable {
public:
    /// Throws the decoder's errors or `platform::DecodingError` ("AnyDecodable value cannot be decoded").
    explicit AnyDecodable(const platform::Decoder &decoder)
        : m_value(anycoding::decode(decoder))
    {
    }
    /// A present value is stored as it is, an absent one as the empty value.
    static AnyDecodable wrapping(std::any value) { return AnyDecodable(std::move(value)); }
    template <typename T> static AnyDecodable wrapping(const std::optional<T> &value)
    {
        return value ? AnyDecodable(std::any(*value)) : AnyDecodable(std::any());
    }

    const std::any &value() const { return m_value; }

private:
    explicit AnyDecodable(std::any value)
        : m_value(std::move(value))
    {
    }
    std::any m_value;
};

} // namespace tavrin

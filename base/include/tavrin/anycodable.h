#pragma once

#include "tavrin/anyencodable.h"

namespace tavrin {

/// Holds one value of any kind that can be both read from a decoder (as `AnyDecodable` reads) and
/// written to an encoder (as `AnyEncodable` writes), with the same literal forms as `AnyEncodable`.
class AnyCodable : public AnyEncodable {
public:
    using AnyEncodable::AnyEncodable;
    AnyCodable(const AnyEncodable &value)
        : AnyEncodable(value)
    {
    }
    /// Throws the decoder's errors or `platform::DecodingError` ("AnyDecodable value cannot be decoded").
    explicit AnyCodable(const platform::Decoder &decoder)
        : AnyEncodable(AnyEncodable::wrapping(anycoding::decode(decoder)))
    {
    }
    static AnyCodable wrapping(std::any value) { return AnyEncodable::wrapping(std::move(value)); }
    template <typename T> static AnyCodable wrapping(const std::optional<T> &value)
    {
        return AnyEncodable::wrapping(value);
    }
    static AnyCodable array(std::initializer_list<AnyEncodable> elements) { return AnyEncodable::array(elements); }
    static AnyCodable dictionary(std::initializer_list<std::pair<AnyKey, AnyEncodable>> pairs)
    {
        return AnyEncodable::dictionary(pairs);
    }
};

} // namespace tavrin

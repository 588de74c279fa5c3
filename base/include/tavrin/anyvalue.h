#pragma once

#include <platform/core/number.h>
#include <platform/core/singlevaluecoding.h>

#include <QString>

#include <any>
#include <map>
#include <utility>
#include <variant>
#include <vector>

namespace tavrin {

/// A list of values of any kind; an element without value is absent and is written as nil.
using AnyList = std::vector<std::any>;
/// A text-keyed dictionary of values of any kind.
using AnyDictionary = std::map<QString, std::any>;
/// A key of a dictionary literal: any of the hashable literal kinds.
using AnyKey = std::variant<QString, long long, double, bool>;
/// A dictionary literal in the order written, each key once (the first value given wins). It is
/// written as a dictionary only when every key is text.
using AnyHashableDictionary = std::vector<std::pair<AnyKey, std::any>>;

namespace anycoding {
    /// Writes a held value by the first kind it matches: a boxed number by its type letter, the null
    /// object and the empty value as nil, bool, the signed and unsigned integers (long long and
    /// unsigned long long being the platform words), float, double, text, date, URL, `AnyList`,
    /// `AnyDictionary` or an all-text `AnyHashableDictionary`. Anything else throws
    /// `platform::EncodingError` ("AnyEncodable value cannot be encoded") before anything is written.
    void encode(const std::any &value, platform::Encoder &encoder);
    /// Reads null as the null object, else the first of Boolean, signed and unsigned 64-bit integer,
    /// double, text, list and text-keyed dictionary that the decoder accepts; nested values likewise.
    /// Throws `platform::DecodingError` ("AnyDecodable value cannot be decoded") when none does.
    std::any decode(const platform::Decoder &decoder);
    /// Builds a dictionary literal, keeping the first value of a repeated key.
    AnyHashableDictionary dictionaryLiteral(std::vector<std::pair<AnyKey, std::any>> pairs);
}

} // namespace tavrin

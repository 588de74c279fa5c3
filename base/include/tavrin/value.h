#pragma once

#include "tavrin/ivalueprovider.h"

#include <cstdint>
#include <optional>

namespace tavrin {

/// How a number of the data store is written.
enum class IdentifierCategory {
    Raw, ///< the number itself, as an integer or with the given decimals
    Size, ///< a byte count
    Percentage, ///< the number followed by " %"
};

/// One number with the category, signedness and decimals that decide its text.
///
/// Text: "-" while absent. Raw: "%ld" of the signed or "%lu" of the unsigned 64-bit reading, or with
/// decimals the locale's text with exactly that many digits, cut toward zero. Size: the byte-count text
/// of the unsigned reading. Percentage: "%ld %%" / "%lu %%", or with decimals the locale's text with at
/// most that many digits followed by " %".
class Value : public IValueProvider {
public:
    explicit Value(IdentifierCategory category = IdentifierCategory::Raw, bool isSigned = true,
        std::optional<std::int64_t> decimals = std::nullopt);

    std::optional<platform::Number> rawValue() const override { return m_rawValue; }
    void setNumber(std::optional<platform::Number> number) override { m_rawValue = number; }
    QString text() const override;

    IdentifierCategory category() const { return m_category; }
    bool isSigned() const { return m_isSigned; }
    std::optional<std::int64_t> decimals() const { return m_decimals; }

private:
    QString rawText() const;
    QString percentText() const;

    std::optional<platform::Number> m_rawValue;
    IdentifierCategory m_category;
    std::optional<std::int64_t> m_decimals;
    bool m_isSigned;
};

} // namespace tavrin

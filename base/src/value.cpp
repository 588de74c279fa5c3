#include "tavrin/value.h"

#include "tavrin/decimalformatter.h"
#include "tavrin/diskutilities.h"
#include "tavrin/numberextensions.h"

#include <platform/core/format.h>

#include <limits>

namespace tavrin {

namespace {
    int digitsOf(std::int64_t decimals)
    {
        if (decimals < 0)
            return 0;
        return decimals > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                          : static_cast<int>(decimals);
    }
}

Value::Value(IdentifierCategory category, bool isSigned, std::optional<std::int64_t> decimals)
    : m_category(category)
    , m_decimals(decimals)
    , m_isSigned(isSigned)
{
}

QString Value::text() const
{
    if (!m_rawValue)
        return QStringLiteral("-");
    switch (m_category) {
    case IdentifierCategory::Raw:
        return rawText();
    case IdentifierCategory::Size:
        return DiskUtilities::byteCountString(m_rawValue->unsignedLongLongValue());
    case IdentifierCategory::Percentage:
        return percentText();
    }
    return QStringLiteral("-");
}

QString Value::rawText() const
{
    if (m_decimals)
        return NumberExtensions::localizedString(m_rawValue->doubleValue(), digitsOf(*m_decimals));
    if (m_isSigned)
        return platform::format("%lld", static_cast<long long>(m_rawValue->longLongValue()));
    return platform::format("%llu", static_cast<unsigned long long>(m_rawValue->unsignedLongLongValue()));
}

QString Value::percentText() const
{
    if (m_decimals) {
        const QString number = DecimalFormatter::string(m_rawValue->doubleValue(), digitsOf(*m_decimals));
        return number.isEmpty() ? QStringLiteral("-") : number + QStringLiteral(" %");
    }
    if (m_isSigned)
        return platform::format("%lld %%", static_cast<long long>(m_rawValue->longLongValue()));
    return platform::format("%llu %%", static_cast<unsigned long long>(m_rawValue->unsignedLongLongValue()));
}

} // namespace tavrin

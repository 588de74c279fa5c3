#include "tavrin/decimalformatter.h"

#include "decimaltext_p.h"
#include "tavrin/constants.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {
    QString integerText(long long value)
    {
        return detail::localizedDecimal(detail::decimalText(value), QLocale(), false);
    }

    QString unsignedText(unsigned long long value)
    {
        return detail::localizedDecimal(detail::decimalText(value), QLocale(), false);
    }

    template <typename T> QString realText(T value, int digits)
    {
        const QLocale locale;
        if (!std::isfinite(value))
            return detail::nonFiniteText(value, locale);
        return detail::localizedDecimal(
            detail::decimalText(value, 0, std::max(0, digits), detail::DecimalRounding::HalfEven), locale, false);
    }
}

QString DecimalFormatter::string(const platform::Value &number, int maximumFractionDigits)
{
    if (number.isBool() || number.isInteger())
        return integerText(*number.toInteger());
    if (number.isReal())
        return realText(*number.toDouble(), maximumFractionDigits);
    return kNoValue;
}

QString DecimalFormatter::string(long value, int) { return integerText(value); }
QString DecimalFormatter::string(long long value, int) { return integerText(value); }
QString DecimalFormatter::string(int value, int) { return integerText(value); }
QString DecimalFormatter::string(unsigned long value, int) { return unsignedText(value); }
QString DecimalFormatter::string(unsigned long long value, int) { return unsignedText(value); }
QString DecimalFormatter::string(unsigned int value, int) { return unsignedText(value); }
QString DecimalFormatter::string(unsigned char value, int) { return unsignedText(value); }
QString DecimalFormatter::string(double value, int maximumFractionDigits)
{
    return realText(value, maximumFractionDigits);
}
QString DecimalFormatter::string(float value, int maximumFractionDigits)
{
    return realText(value, maximumFractionDigits);
}

} // namespace tavrin

#pragma once

#include <platform/core/value.h>

#include <QString>

namespace tavrin {

/// Short number texts in the user's locale (`QLocale()`): at most the given number of fraction digits
/// (0 when not given), trailing zeros dropped, no grouping, halves rounded to even.
class DecimalFormatter {
public:
    /// A number value (integer, real or bool as 0/1); "-" for a value that is no number.
    static QString string(const platform::Value &number, int maximumFractionDigits);
    static QString string(long value, int maximumFractionDigits = 0);
    static QString string(long long value, int maximumFractionDigits = 0);
    static QString string(int value, int maximumFractionDigits = 0);
    static QString string(unsigned long value, int maximumFractionDigits = 0);
    static QString string(unsigned long long value, int maximumFractionDigits = 0);
    static QString string(unsigned int value, int maximumFractionDigits = 0);
    static QString string(unsigned char value, int maximumFractionDigits = 0);
    static QString string(double value, int maximumFractionDigits = 0);
    static QString string(float value, int maximumFractionDigits = 0);

    DecimalFormatter() = delete;
};

} // namespace tavrin

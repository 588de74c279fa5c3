#pragma once

#include <QLocale>
#include <QString>

namespace tavrin::detail {

enum class DecimalRounding { HalfEven, TowardZero };

/// The plain decimal text ("-12.5", ASCII digits, "." as separator, no grouping) of a finite `value`,
/// rounded to at most `maxFraction` fraction digits and padded to at least `minFraction`.
/// Rounding works on the shortest decimal form that reads back as the same number, as people read
/// it: 0.29 rounded down to two digits stays 0.29 although the stored binary value is a little below.
/// A result that rounds to zero carries no minus sign.
QString decimalText(double value, int minFraction, int maxFraction, DecimalRounding rounding);
/// The same from the shortest form of a single-precision number (0.1f reads 0.1, not 0.100000001).
QString decimalText(float value, int minFraction, int maxFraction, DecimalRounding rounding);
/// The plain decimal text of an integer.
QString decimalText(long long value);
QString decimalText(unsigned long long value);

/// Writes a plain decimal text in `locale`: its minus sign, decimal separator and digits, and with
/// `grouping` its group separator every three integer digits.
QString localizedDecimal(const QString &plain, const QLocale &locale, bool grouping);

/// The text for a number that is not finite ("NaN", "∞", "-∞").
QString nonFiniteText(double value, const QLocale &locale);

} // namespace tavrin::detail

#include "decimaltext_p.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tavrin::detail {

namespace {

    // Digits of the shortest round-trip form and the position of the decimal point within them.
    struct Shortest {
        bool negative = false;
        QString digits; // without leading zeros, "0" for zero
        int pointPosition = 1; // digits before the decimal point; may be <= 0 or beyond the digits
    };

    template <typename T> Shortest shortest(T value)
    {
        std::array<char, 64> buffer {};
        const auto result
            = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
        const QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
        Shortest s;
        const qsizetype e = text.indexOf(QLatin1Char('e'));
        QString mantissa = text.left(e);
        const int exponent = text.mid(e + 1).toInt();
        if (mantissa.startsWith(QLatin1Char('-'))) {
            s.negative = true;
            mantissa.remove(0, 1);
        }
        mantissa.remove(QLatin1Char('.'));
        s.digits = mantissa;
        s.pointPosition = exponent + 1;
        if (s.digits == QLatin1String("0"))
            s.pointPosition = 1;
        return s;
    }

    bool hasNonZeroDigit(const QString &digits)
    {
        return std::any_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit() && c != QLatin1Char('0'); });
    }

    // Adds one unit in the last place of a text of ASCII digits; may grow it by one digit.
    QString incremented(QString digits)
    {
        for (qsizetype i = digits.size() - 1; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                return digits;
            }
        }
        return QLatin1Char('1') + digits;
    }

    QString rounded(const Shortest &s, int minFraction, int maxFraction, DecimalRounding rounding)
    {
        minFraction = std::max(0, minFraction);
        maxFraction = std::max(minFraction, maxFraction);
        QString integer;
        QString fraction;
        const int count = static_cast<int>(s.digits.size());
        if (s.pointPosition <= 0) {
            integer = QStringLiteral("0");
            fraction = QString(-s.pointPosition, QLatin1Char('0')) + s.digits;
        } else if (s.pointPosition >= count) {
            integer = s.digits + QString(s.pointPosition - count, QLatin1Char('0'));
        } else {
            integer = s.digits.left(s.pointPosition);
            fraction = s.digits.mid(s.pointPosition);
        }

        if (fraction.size() > maxFraction) {
            const QString rest = fraction.mid(maxFraction);
            fraction.truncate(maxFraction);
            bool up = false;
            if (rounding == DecimalRounding::HalfEven) {
                const QChar first = rest.at(0);
                const bool moreAfterFive = hasNonZeroDigit(rest.mid(1));
                if (first > QLatin1Char('5') || (first == QLatin1Char('5') && moreAfterFive)) {
                    up = true;
                } else if (first == QLatin1Char('5')) {
                    const QChar last = fraction.isEmpty() ? integer.back() : fraction.back();
                    up = (last.unicode() - '0') % 2 == 1;
                }
            }
            if (up) {
                const QString all = incremented(integer + fraction);
                integer = all.left(all.size() - fraction.size());
                fraction = all.right(fraction.size());
            }
        }
        while (fraction.size() > minFraction && fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        if (fraction.size() < minFraction)
            fraction += QString(minFraction - fraction.size(), QLatin1Char('0'));

        const bool zero = !hasNonZeroDigit(integer + fraction);
        QString text = (s.negative && !zero) ? QStringLiteral("-") : QString();
        text += integer;
        if (!fraction.isEmpty())
            text += QLatin1Char('.') + fraction;
        return text;
    }

} // namespace

QString decimalText(double value, int minFraction, int maxFraction, DecimalRounding rounding)
{
    return rounded(shortest(value), minFraction, maxFraction, rounding);
}

QString decimalText(float value, int minFraction, int maxFraction, DecimalRounding rounding)
{
    return rounded(shortest(value), minFraction, maxFraction, rounding);
}

QString decimalText(long long value) { return QString::number(value); }

QString decimalText(unsigned long long value) { return QString::number(value); }

QString localizedDecimal(const QString &plain, const QLocale &locale, bool grouping)
{
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    const uint zeroCode = zero.isEmpty() ? uint('0') : zero.first();
    QString integerPart = plain;
    QString fractionPart;
    const qsizetype point = plain.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        integerPart = plain.left(point);
        fractionPart = plain.mid(point + 1);
    }
    const bool negative = integerPart.startsWith(QLatin1Char('-'));
    if (negative)
        integerPart.remove(0, 1);

    auto digitsOf = [zeroCode](const QString &ascii) {
        QString out;
        for (QChar c : ascii) {
            const char32_t code = zeroCode + (c.unicode() - '0');
            out += QString::fromUcs4(&code, 1);
        }
        return out;
    };

    QString text = negative ? locale.negativeSign() : QString();
    const QString separator = locale.groupSeparator();
    for (qsizetype i = 0; i < integerPart.size(); ++i) {
        if (grouping && i > 0 && (integerPart.size() - i) % 3 == 0)
            text += separator;
        text += digitsOf(integerPart.mid(i, 1));
    }
    if (point >= 0)
        text += locale.decimalPoint() + digitsOf(fractionPart);
    return text;
}

QString nonFiniteText(double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? locale.negativeSign() + QStringLiteral("\u221E") : QStringLiteral("\u221E");
}

} // namespace tavrin::detail

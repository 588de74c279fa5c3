#include "tavrin/numberextensions.h"

#include "decimaltext_p.h"
#include "tavrin/constants.h"

#include <QLocale>

#include <algorithm>

namespace tavrin {

namespace {
    // Beyond this a double has no further digits worth asking for.
    constexpr int kMaximumDigits = 340;
}

QString NumberExtensions::localizedString(double value, int digits)
{
    if (!std::isfinite(value))
        return kNoValue;
    const int n = std::clamp(digits, 0, kMaximumDigits);
    return detail::localizedDecimal(
        detail::decimalText(value, n, n, detail::DecimalRounding::TowardZero), QLocale(), false);
}

QString NumberExtensions::localizedString(float value, int digits)
{
    return localizedString(static_cast<double>(value), digits);
}

double NumberExtensions::roundedToDecimals(double value, int places)
{
    const double p = std::pow(10.0, static_cast<double>(places));
    return std::round(value * p) / p;
}

float NumberExtensions::roundedToDecimals(float value, int places)
{
    return static_cast<float>(roundedToDecimals(static_cast<double>(value), places));
}

QString NumberExtensions::groupedString(std::int64_t value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(static_cast<qlonglong>(value));
}

QString NumberExtensions::decimalSeparator()
{
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QStringLiteral(".") : separator;
}

QDateTime NumberExtensions::dateSince1970(double seconds)
{
    const double ms = std::round(seconds * 1000.0);
    // QDateTime keeps milliseconds in 64 bits; well inside that the conversion is exact.
    if (!std::isfinite(ms) || std::abs(ms) > 9.0e15)
        return {};
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), Qt::UTC);
}

} // namespace tavrin

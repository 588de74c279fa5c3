#include "tavrin/point.h"

#include <array>
#include <charconv>

namespace tavrin {

namespace {
    QString coordinateText(double value)
    {
        std::array<char, 64> buffer {};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
        QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
        // Whole numbers read as reals ("1.0"); exponent forms, infinities and NaN stay as they are.
        bool onlyDigits = true;
        for (QChar c : text)
            onlyDigits = onlyDigits && (c.isDigit() || c == QLatin1Char('-'));
        if (onlyDigits)
            text += QStringLiteral(".0");
        return text;
    }
}

QString Point::description() const
{
    return QStringLiteral("(") + coordinateText(x) + QStringLiteral(", ") + coordinateText(y) + QStringLiteral(")");
}

} // namespace tavrin

#pragma once

#include <platform/ui/geometry.h>
#include <platform/ui/textattributes.h>

#include <QString>

#include <cstdint>
#include <optional>

namespace platform::ui {
class GraphicsContext;
}

namespace tavrin {

/// Small text helpers. Offsets and counts are in user-perceived characters (grapheme clusters).
class StringExtensions {
public:
    static inline const QString bullet = QStringLiteral("\u2022");
    static inline const QString fourSpaces = QStringLiteral("    ");
    static inline const QString newline = QStringLiteral("\n");
    static inline const QString twoSpaces = QStringLiteral("  ");

    /// Draws `text` in `rect`, vertically centred: measured with the attributes (none when absent) and
    /// drawn into a rectangle of the measured height in the middle of `rect`, full width.
    static void drawVerticallyCentered(platform::ui::GraphicsContext &context, const QString &text,
        const std::optional<platform::ui::TextAttributes> &attributes, const platform::ui::Rect &rect);

    /// The number the text begins with (after leading white space), read at single precision; 0 when
    /// it begins with none.
    static double leadingFloatValue(const QString &text);
    /// The whole text read as a single-precision number in the POSIX locale (exponents, infinities and
    /// NaN included); nothing when it is empty, starts with white space or has anything after the number.
    static std::optional<double> cgFloatValue(const QString &text);
    static bool isNilOrEmpty(const std::optional<QString> &text);
    /// The first `n` characters, or the whole text when it is shorter; empty for a negative `n`.
    static QString prefixText(const QString &text, int n);
    /// `length` characters from `offset`; offsets outside the text are clamped to it.
    static QString substring(const QString &text, int offset, int length);
    /// The characters from max(from, 0) up to min(to, count); empty when that range is empty.
    static QString substringFromTo(const QString &text, int from, int to);
    /// The text without its last five characters (empty when it has five or fewer).
    static QString droppingLastFive(const QString &text);
    /// The text's bytes in the Mac OS Roman encoding packed into a number, each byte shifted in from the
    /// right (only the last eight survive); 0 when a character has no Mac OS Roman byte.
    static std::uint64_t fourCharCode(const QString &text);
    /// A new random UUID: 36 characters, upper-case hexadecimal in groups 8-4-4-4-12.
    static QString uuid();
    /// The part after the last "/" (trailing slashes ignored); "/" for "/".
    static QString lastPathComponent(const QString &text);
    /// How many characters the text has.
    static int characterCount(const QString &text);

    StringExtensions() = delete;
};

} // namespace tavrin

#pragma once

#include <platform/ui/color.h>

#include <vector>

namespace pirrow {

using platform::ui::Color;

/// A list of colours with its first (`start`) and last (`end`) entry. An empty list given to the
/// list constructor stands for the teal-to-cyan default.
struct ColorGradient {
    std::vector<Color> mColors;
    Color start;
    Color end;

    /// The two-colour gradient [start, end].
    ColorGradient(const Color &startColor, const Color &endColor);
    /// Two or more colours as given; one colour is both ends; none gives teal to cyan.
    explicit ColorGradient(const std::vector<Color> &colors);

    /// The colours with falling opacity, for areas filled under a graph line: two colours give alphas
    /// 0.75 and 0.2; n other than two give colour i the alpha 0.9 − (0.7 / n) × i.
    std::vector<Color> fadedColors() const;
    /// [start with alpha `startAlpha`, end with alpha `endAlpha`].
    static std::vector<Color> alphaColors(
        const Color &startColor, const Color &endColor, double startAlpha, double endAlpha);

    friend bool operator==(const ColorGradient &, const ColorGradient &) = default;
};

} // namespace pirrow

#pragma once

#include <platform/ui/color.h>

#include <cstdint>

namespace olvane {

/// Colour helpers.
class ColorExtensions {
public:
    /// The colour of 8-bit components (each divided by 255), opaque.
    static platform::ui::Color fromRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    static platform::ui::Color fromRGBA(std::uint8_t red, std::uint8_t green, std::uint8_t blue, double alpha);
    /// White when the status bar is dark (`MenuBar::isDark`), else black.
    static platform::ui::Color menuBarContentColor();
    /// An opaque colour of three random bytes.
    static platform::ui::Color random();
    /// The colour (resolved against the current appearance) with each of red, green and blue turned
    /// to 1 minus itself; alpha kept.
    static platform::ui::Color inverted(const platform::ui::Color &color);

    ColorExtensions() = delete;
};

} // namespace olvane

#pragma once

namespace pirrow {

/// Screen helpers of the controls.
class ScreenExtensions {
public:
    /// Device pixels per point of the main screen, 1 without one (read on every call; `Constants::onePixel`
    /// keeps the first answer).
    static double mainScale();

    ScreenExtensions() = delete;
};

} // namespace pirrow

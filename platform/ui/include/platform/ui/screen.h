#pragma once

#include "platform/ui/geometry.h"

#include <optional>

namespace platform::ui {

/// Facts of the main screen (the primary one), read when asked.
class Screen {
public:
    /// Whether there is a main screen (there is none without a graphical application).
    static bool hasMain();
    /// Device pixels per point of the main screen; 1 without one.
    static double mainBackingScaleFactor();
    /// The main screen's frame in points (origin bottom left of the desktop), when there is one.
    static std::optional<Rect> mainFrame();
    /// The main screen's physical size in millimetres, when there is one.
    static std::optional<Size> mainPhysicalSize();
};

} // namespace platform::ui

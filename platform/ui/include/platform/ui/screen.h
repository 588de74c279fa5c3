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

/// Stands in for the main screen while the guard lives (tests): a screen with the given frame in
/// points, physical size in millimetres and backing scale, or, with no frame, no screen at all.
class ScopedMainScreen {
public:
    struct Facts {
        std::optional<Rect> frame;
        Size physicalSize;
        double backingScaleFactor = 1;
    };

    explicit ScopedMainScreen(Facts facts);
    ~ScopedMainScreen();
    ScopedMainScreen(const ScopedMainScreen &) = delete;
    ScopedMainScreen &operator=(const ScopedMainScreen &) = delete;

private:
    std::optional<Facts> m_previous;
};

} // namespace platform::ui

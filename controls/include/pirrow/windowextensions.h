#pragma once

namespace platform::ui {
class Window;
}

namespace pirrow {

/// Window helpers of the controls.
class WindowExtensions {
public:
    /// The frame's height less the content's: the title bar's height.
    static double titlebarHeight(const platform::ui::Window &window);

    WindowExtensions() = delete;
};

} // namespace pirrow

#pragma once

namespace platform::ui {
class Window;
}

namespace olvane {

/// Window helpers.
class WindowExtensions {
public:
    /// The height of the window's frame less that of its content: the title bar the window manager
    /// draws (0 where it draws none, as offscreen).
    static double titleBarHeight(const platform::ui::Window &window);

    WindowExtensions() = delete;
};

} // namespace olvane

#pragma once

#include <platform/ui/window.h>

namespace pirrow {

/// The library's plain window: always resizable, with a transparent title bar, the window
/// background colour, not opaque, and no zoom button (close and miniaturise stay as the style mask
/// gives them).
class Window : public platform::ui::Window {
    Q_OBJECT
public:
    Window(const platform::ui::Rect &contentRect, unsigned styleMask, QWidget *parent = nullptr);
};

} // namespace pirrow
